#include "platform/GlTexture.h"

#include "platform/GlDevice.h"
#include "platform/GlHeaders.h"

GlTexture::GlTexture(GlDevice& device, const Image& image)
    : device_(device), width_(image.width), height_(image.height) {
    glGenTextures(1, &id_);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, id_);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // Rows go in from the top of the picture, so texture v runs downward as
    // the models and the sprite expect.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width_, height_, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 image.rgba.data());
    glGenerateMipmap(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
}

GlTexture::~GlTexture() {
    device_.forgetTexture(this);
    glDeleteTextures(1, &id_);
}
