#include "platform/Image.h"

#include <spng.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// Ancillary chunks are read whole into memory: a few hundred bytes can
// announce gigabytes, so each is capped, and all of them together. The
// image data itself is streamed and needs neither.
constexpr std::size_t CHUNK_LIMIT = std::size_t{1} << 20;
constexpr std::size_t CHUNK_CACHE_LIMIT = std::size_t{4} << 20;

}  // namespace

std::optional<Image> loadImage(const std::string& path, int maxSide) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    const std::unique_ptr<spng_ctx, void (*)(spng_ctx*)> png(spng_ctx_new(0), spng_ctx_free);
    if (!file || !png) return std::nullopt;
    // The header's size is checked against the limits before any decoding.
    const auto limit = static_cast<std::uint32_t>(std::min(maxSide, MAX_PICTURE_SIDE));
    spng_ihdr header{};
    std::size_t bytes = 0;
    if (spng_set_image_limits(png.get(), limit, limit) != 0 ||
        spng_set_chunk_limits(png.get(), CHUNK_LIMIT, CHUNK_CACHE_LIMIT) != 0 ||
        spng_set_png_file(png.get(), file.get()) != 0 || spng_get_ihdr(png.get(), &header) != 0 ||
        spng_decoded_image_size(png.get(), SPNG_FMT_RGBA8, &bytes) != 0)
        return std::nullopt;

    Image image;
    image.width = static_cast<int>(header.width);
    image.height = static_cast<int>(header.height);
    image.rgba.resize(bytes);
    if (spng_decode_image(png.get(), image.rgba.data(), bytes, SPNG_FMT_RGBA8, SPNG_DECODE_TRNS) != 0)
        return std::nullopt;
    return image;
}

void applyColorKey(Image& image, std::uint32_t colorKey) {
    const std::uint8_t a = colorKey >> 24, r = colorKey >> 16, g = colorKey >> 8, b = colorKey;
    for (std::size_t i = 0; i + 3 < image.rgba.size(); i += 4) {
        std::uint8_t* texel = &image.rgba[i];
        if (texel[0] == r && texel[1] == g && texel[2] == b && texel[3] == a)
            std::memset(texel, 0, 4);
    }
}
