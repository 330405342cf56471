#include "menus/Notification.h"

#include "menus/FadedPicture.h"
#include "platform/Sprite.h"

namespace {
constexpr double FADE_IN_END = 0.75;   // of the life still remaining
constexpr double FADE_OUT_START = 0.25;
constexpr double FADE_FRACTION = 0.25;
}  // namespace

Notification::Notification(int x, int y, int width, int height) : Object2D(x, y, width, height) {}

void Notification::update(int elapsedMs) {
    remainingMs -= elapsedMs;
    Object2D::update(elapsedMs);
}

int Notification::alpha() const {
    const double d = durationMs;
    const double r = remainingMs;
    if (r > FADE_IN_END * d) return OPAQUE - static_cast<int>((r - FADE_IN_END * d) / (FADE_FRACTION * d) * OPAQUE);
    if (r < FADE_OUT_START * d) return static_cast<int>(r / (FADE_FRACTION * d) * OPAQUE);
    return OPAQUE;
}

void Notification::draw() {
    if (!texture || !sprite) return;
    if (width == 0.0 || height == 0.0) {
        const Vector3 position{static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
        sprite->draw(texture, &position, fadedColor(alpha()));
        return;
    }
    drawFadedPicture(sprite, texture, x, y, width, height, alpha());
}
