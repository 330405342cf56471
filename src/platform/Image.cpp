#include "platform/Image.h"

#include <stb_image.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// A few hundred compressed bytes can announce gigabytes of texels, so the
// size the header announces is checked before any decoding. Reads only the
// header (for a PNG, its chunks up to the first image data, skipped
// unread) and leaves the file where it was.
bool headerFits(std::FILE* file, int maxSide) {
    int width = 0, height = 0, channels = 0;
    const int limit = std::min(maxSide, MAX_PICTURE_SIDE);
    return stbi_info_from_file(file, &width, &height, &channels) && width <= limit && height <= limit;
}

// stb sets aside room for a PNG chunk's data as its length announces,
// before reading it (a gigabyte for a 72-byte file): every chunk must fit
// in what is left of the file. Leaves the file where it was.
bool pngChunksFit(std::FILE* file) {
    constexpr unsigned char SIGNATURE[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    constexpr long CRC_SIZE = 4;
    const long start = std::ftell(file);
    unsigned char bytes[sizeof SIGNATURE];
    bool fits = true;
    if (std::fread(bytes, 1, sizeof SIGNATURE, file) == sizeof SIGNATURE &&
        std::memcmp(bytes, SIGNATURE, sizeof SIGNATURE) == 0 && std::fseek(file, 0, SEEK_END) == 0) {
        const long end = std::ftell(file);
        long at = start + static_cast<long>(sizeof SIGNATURE);
        // Each chunk: its length and type, then its data and a checksum.
        while (std::fseek(file, at, SEEK_SET) == 0 && std::fread(bytes, 1, 8, file) == 8) {
            const long length = static_cast<long>(bytes[0]) << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
            at += 8 + length + CRC_SIZE;
            if (at > end) fits = false;
            if (at > end || std::memcmp(bytes + 4, "IEND", 4) == 0) break;
        }
    }
    std::fseek(file, start, SEEK_SET);
    return fits;
}

}  // namespace

std::optional<Image> loadImage(const std::string& path, int maxSide) {
    constexpr int RGBA_CHANNELS = 4;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file || !headerFits(file.get(), maxSide) || !pngChunksFit(file.get())) return std::nullopt;
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_file(file.get(), &width, &height, &channels, RGBA_CHANNELS);
    if (!pixels) return std::nullopt;

    Image image;
    image.width = width;
    image.height = height;
    const std::size_t bytes = static_cast<std::size_t>(width) * height * RGBA_CHANNELS;
    image.rgba.resize(bytes);
    std::memcpy(image.rgba.data(), pixels, bytes);
    stbi_image_free(pixels);
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
