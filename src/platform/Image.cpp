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

std::vector<Texels> makeSmallerLevels(const Image& image) {
    constexpr int CHANNELS = 4;
    std::vector<Texels> levels;
    const std::uint8_t* above = image.rgba.data();
    int aboveWidth = image.width;
    int aboveHeight = image.height;
    if (image.rgba.size() < static_cast<std::size_t>(aboveWidth) * aboveHeight * CHANNELS)
        return levels;
    while (aboveWidth > 1 || aboveHeight > 1) {
        const int width = std::max(1, aboveWidth / 2);
        const int height = std::max(1, aboveHeight / 2);
        Texels level(static_cast<std::size_t>(width) * height * CHANNELS);
        for (int y = 0; y < height; ++y) {
            // An odd side's last texel row or column is left out, as the
            // level below has no room for it; a side of 1 is used twice.
            const std::uint8_t* row0 =
                above + static_cast<std::size_t>(2 * y) * aboveWidth * CHANNELS;
            const std::uint8_t* row1 =
                aboveHeight > 1 ? row0 + static_cast<std::size_t>(aboveWidth) * CHANNELS : row0;
            const int nextColumn = aboveWidth > 1 ? CHANNELS : 0;
            std::uint8_t* out = &level[static_cast<std::size_t>(y) * width * CHANNELS];
            for (int x = 0; x < width; ++x) {
                const std::size_t at = static_cast<std::size_t>(2 * x) * CHANNELS;
                for (int c = 0; c < CHANNELS; ++c) {
                    const int top = (row0[at + c] + row0[at + nextColumn + c] + 1) / 2;
                    const int bottom = (row1[at + c] + row1[at + nextColumn + c] + 1) / 2;
                    *out++ = static_cast<std::uint8_t>((top + bottom + 1) / 2);
                }
            }
        }
        levels.push_back(std::move(level));
        above = levels.back().data();
        aboveWidth = width;
        aboveHeight = height;
    }
    return levels;
}

int unseenLevels(int pictureWidth, int pictureHeight, DrawnSize drawn) {
    if (drawn.width <= 0 || drawn.height <= 0) return 0;
    // Level k is sampled while the picture shrinks by 2^k or more along
    // either side, so levels below k are unseen while it shrinks by more
    // than 2^k: compared in integers, against the side shrunk most. A level
    // whose sides are not exactly halved would change the level of detail
    // the driver works out from the first level kept, so it stays.
    const std::int64_t width = pictureWidth;
    const std::int64_t height = pictureHeight;
    int unseen = 0;
    while (width > 0 && height > 0) {
        const std::int64_t halving = std::int64_t{2} << unseen;
        if (width % halving != 0 || height % halving != 0) break;
        if (width <= drawn.width * halving && height <= drawn.height * halving) break;
        ++unseen;
    }
    return unseen;
}

void leaveOutLevels(Image& image, int count) {
    count = std::min(count, static_cast<int>(image.smallerLevels.size()));
    if (count <= 0) return;
    if (image.levelsLeftOut == 0) {
        image.pictureWidth = image.width;
        image.pictureHeight = image.height;
    }
    for (int level = 0; level < count; ++level) {
        image.width = std::max(1, image.width / 2);
        image.height = std::max(1, image.height / 2);
    }
    image.rgba = std::move(image.smallerLevels[count - 1]);
    image.smallerLevels.erase(image.smallerLevels.begin(), image.smallerLevels.begin() + count);
    image.levelsLeftOut += count;
}
