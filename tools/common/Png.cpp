#include "common/Png.h"

#include "common/Canvas.h"

#include <filesystem>
#include <system_error>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

#include <fstream>

namespace {

void append(void* context, void* data, int size)
{
    auto* out = static_cast<std::string*>(context);
    out->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

} // namespace

bool writePng(const std::string& path, const Canvas& canvas)
{
    std::error_code ignored;
    const std::filesystem::path file(path);
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path(), ignored);
    const auto bytes = canvas.toBytes();
    std::string png;
    stbi_write_png_compression_level = 6;
    if (!stbi_write_png_to_func(append, &png, canvas.width(), canvas.height(), 4, bytes.data(), canvas.width() * 4))
        return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(png.data(), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(out);
}
