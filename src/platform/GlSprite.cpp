#include "platform/GlSprite.h"

#include "platform/GlDevice.h"
#include "platform/GlTexture.h"

GlSprite::GlSprite(GlDevice& device) : device_(device) {}

void GlSprite::begin(std::uint32_t) {}

void GlSprite::end() {}

void GlSprite::setTransform(const Matrix& transform) { transform_ = transform; }

void GlSprite::draw(Texture* texture, const Vector3* position, std::uint32_t color) {
    auto* glTexture = dynamic_cast<GlTexture*>(texture);
    if (glTexture == nullptr) return;
    const float px = position != nullptr ? position->x : 0.0f;
    const float py = position != nullptr ? position->y : 0.0f;
    const float w = static_cast<float>(glTexture->width());
    const float h = static_cast<float>(glTexture->height());
    const Matrix& m = transform_;
    auto corner = [&](float x, float y, float u, float v, float* out) {
        const float tx = x + px;
        const float ty = y + py;
        out[0] = tx * m.m[0][0] + ty * m.m[1][0] + m.m[3][0];
        out[1] = tx * m.m[0][1] + ty * m.m[1][1] + m.m[3][1];
        out[2] = u;
        out[3] = v;
    };
    float vertices[6 * 4];
    corner(0, 0, 0, 0, vertices + 0);
    corner(w, 0, 1, 0, vertices + 4);
    corner(0, h, 0, 1, vertices + 8);
    corner(w, 0, 1, 0, vertices + 12);
    corner(w, h, 1, 1, vertices + 16);
    corner(0, h, 0, 1, vertices + 20);
    device_.drawScreenQuads(vertices, 1, glTexture->id(), color);
}
