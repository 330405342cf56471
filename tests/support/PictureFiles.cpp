#include "support/PictureFiles.h"

#include <array>
#include <fstream>

namespace {

std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void putBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void putChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data) {
    putBigEndian(out, static_cast<std::uint32_t>(data.size()));
    std::vector<std::uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    putBigEndian(out, crc32(typed.data(), typed.size()));
}

}  // namespace

void writePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba) {
    std::vector<std::uint8_t> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // no filter
        raw.insert(raw.end(), rgba.begin() + y * width * 4, rgba.begin() + (y + 1) * width * 4);
    }
    std::vector<std::uint8_t> zlib = {0x78, 0x01};
    constexpr std::size_t MAX_STORED = 65535;
    for (std::size_t pos = 0; pos < raw.size() || pos == 0;) {
        const std::size_t length = std::min(MAX_STORED, raw.size() - pos);
        const bool last = pos + length == raw.size();
        zlib.push_back(last ? 1 : 0);
        zlib.push_back(length & 0xFF);
        zlib.push_back(length >> 8);
        zlib.push_back(~length & 0xFF);
        zlib.push_back((~length >> 8) & 0xFF);
        zlib.insert(zlib.end(), raw.begin() + pos, raw.begin() + pos + length);
        pos += length;
        if (last) break;
    }
    std::uint32_t a = 1, b = 0;
    for (const std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    putBigEndian(zlib, (b << 16) | a);

    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    putBigEndian(header, width);
    putBigEndian(header, height);
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, no interlace
    putChunk(png, "IHDR", header);
    putChunk(png, "IDAT", zlib);
    putChunk(png, "IEND", {});
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(png.data()), png.size());
}

void writeFlatPng(const std::string& path, int width, int height, std::uint32_t rgba) {
    std::vector<std::uint8_t> texels;
    texels.reserve(static_cast<std::size_t>(width) * height * 4);
    for (int i = 0; i < width * height; ++i)
        for (int shift = 24; shift >= 0; shift -= 8) texels.push_back(static_cast<std::uint8_t>(rgba >> shift));
    writePng(path, width, height, texels);
}
