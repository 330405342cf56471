#include "scene/Object2D.h"

#include "assets/TextureManager.h"
#include "platform/Matrix.h"
#include "platform/Sprite.h"

namespace {

// Opaque and unmodulated.
constexpr std::uint32_t PLAIN_COLOR = 0xFFFFFFFFu;

}  // namespace

Object2D::Object2D() : sprite(TextureManager::instance().sprite) {}

Object2D::Object2D(int x, int y, int width, int height)
    : width(width), height(height), sprite(TextureManager::instance().sprite) {
    this->x = x;
    this->y = y;
}

void Object2D::update(int elapsedMs) {
    const double elapsed = elapsedMs;
    x += elapsed * velocityX / VELOCITY_TIME_UNIT;
    y += elapsed * velocityY / VELOCITY_TIME_UNIT;
}

void Object2D::draw() {
    if (!texture || !sprite) return;
    if (width == 0.0 || height == 0.0) {
        // At the picture's own size, under whatever transform the last sized
        // draw left on the sprite.
        const Vector3 position{static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
        sprite->draw(texture, &position, PLAIN_COLOR);
        return;
    }
    const Vector2 scaling{static_cast<float>(width) * PICTURE_SCALE, static_cast<float>(height) * PICTURE_SCALE};
    const Vector2 rotationCentre{0.0f, 0.0f};
    const Vector2 translation{static_cast<float>(x), static_cast<float>(y)};
    sprite->setTransform(matrixTransformation2D(nullptr, 0.0f, &scaling, &rotationCentre, 0.0f, &translation));
    sprite->draw(texture, nullptr, PLAIN_COLOR);
}
