#include "platform/GlTexture.h"

#include "platform/GlDevice.h"
#include "platform/GlHeaders.h"

#include <algorithm>

GlTexture::GlTexture(GlDevice& device, const Image& image)
    : device_(device), width_(image.drawnWidth()), height_(image.drawnHeight()) {
    device_.textureChanged();
    glGenTextures(1, &id_);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, id_);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // Pictures decoded ahead bring their smaller levels; others make them
    // here, the same way.
    std::vector<Texels> made;
    if (image.smallerLevels.empty()) made = makeSmallerLevels(image);
    const std::vector<Texels>& levels = image.smallerLevels.empty() ? made : image.smallerLevels;
    const auto levelCount = static_cast<GLsizei>(levels.size() + 1);
    // Levels given one by one leave the driver reallocating the texture as
    // it grows (40 MB more resident for our pictures); allocated at once,
    // they are not. Rows go in from the top of the picture, so texture v
    // runs downward as the models and the sprite expect.
    if (device_.textureStorage())
        glTexStorage2D(GL_TEXTURE_2D, levelCount, GL_RGBA8, image.width, image.height);
    int levelWidth = image.width;
    int levelHeight = image.height;
    for (GLint level = 0; level < levelCount; ++level) {
        const void* texels = level == 0 ? image.rgba.data() : levels[level - 1].data();
        if (device_.textureStorage())
            glTexSubImage2D(GL_TEXTURE_2D, level, 0, 0, levelWidth, levelHeight, GL_RGBA,
                            GL_UNSIGNED_BYTE, texels);
        else
            glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, levelWidth, levelHeight, 0, GL_RGBA,
                         GL_UNSIGNED_BYTE, texels);
        levelWidth = std::max(1, levelWidth / 2);
        levelHeight = std::max(1, levelHeight / 2);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

GlTexture::~GlTexture() {
    device_.forgetTexture(this);
    device_.textureChanged();
    glDeleteTextures(1, &id_);
}
