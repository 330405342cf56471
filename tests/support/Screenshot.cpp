#include "support/Screenshot.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <cstdlib>

void saveScreenshot(const std::string& name, const Image& image) {
    const char* folder = std::getenv("KORV_SCREENSHOT_DIR");
    if (folder == nullptr || folder[0] == '\0') return;
    const std::string path = std::string(folder) + "/" + name + ".png";
    stbi_write_png(path.c_str(), image.width, image.height, 4, image.rgba.data(), image.width * 4);
}
