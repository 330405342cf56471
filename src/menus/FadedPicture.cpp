#include "menus/FadedPicture.h"

#include "platform/Matrix.h"
#include "platform/Sprite.h"
#include "scene/Object2D.h"

#include <algorithm>

namespace {
constexpr std::uint32_t OPAQUE_WHITE_RGB = 0xFFFFFFu;
constexpr int ALPHA_SHIFT = 24;
}  // namespace

std::uint32_t fadedColor(int alpha) {
    return (static_cast<std::uint32_t>(std::clamp(alpha, 0, OPAQUE)) << ALPHA_SHIFT) + OPAQUE_WHITE_RGB;
}

void drawFadedPicture(Sprite* sprite, Texture* texture, double x, double y, double width,
                      double height, int alpha) {
    if (!texture || !sprite) return;
    const Vector2 scaling{static_cast<float>(width) * PICTURE_SCALE,
                          static_cast<float>(height) * PICTURE_SCALE};
    const Vector2 translation{static_cast<float>(x), static_cast<float>(y)};
    sprite->setTransform(
        matrixTransformation2D(nullptr, 0.0f, &scaling, nullptr, 0.0f, &translation));
    sprite->draw(texture, nullptr, fadedColor(alpha));
}
