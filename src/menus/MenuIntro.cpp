#include "menus/MenuIntro.h"

#include "assets/TextureManager.h"
#include "menus/FadedPicture.h"

#include <algorithm>

namespace {
// The second picture fades in over the first from the start until this much
// time is left, the third over the second until THIRD_OPAQUE_MS is left.
constexpr int SECOND_OPAQUE_MS = 4500;
constexpr int THIRD_OPAQUE_MS = 3000;
constexpr int FADE_MS = 1500;
constexpr int FADE_STEPS = 256;

int fadeIn(int elapsedInFadeMs) {
    return std::clamp(FADE_STEPS * elapsedInFadeMs / FADE_MS, 0, OPAQUE);
}
}  // namespace

MenuIntro::MenuIntro() {
    items = {""};
    itemCount = static_cast<int>(items.size());
    title = "MenuIntro";
    texture = textures->loadTexture(PICTURES[0][0], PICTURES[0][1], fullScreen());
    picture2 = textures->loadTexture(PICTURES[1][0], PICTURES[1][1], fullScreen());
    picture3 = textures->loadTexture(PICTURES[2][0], PICTURES[2][1], fullScreen());
}

void MenuIntro::draw() {}

void MenuIntro::update(int elapsedMs) {
    // Once over, it takes no more presses while the main menu waits for the
    // start-up loading.
    if (result != 0) return;
    if (takeChoice()) {
        result = selected;
        playAtCentre(selectSound);
    }
    remainingMs -= elapsedMs;
    if (remainingMs <= 0) result = FINISHED;
}

std::array<int, 3> MenuIntro::pictureAlphas() const {
    const int t = remainingMs;
    const int first = t > SECOND_OPAQUE_MS ? OPAQUE : 0;
    const int second = t >= SECOND_OPAQUE_MS ? fadeIn(INTRO_MS - t) : OPAQUE;
    const int third = t >= SECOND_OPAQUE_MS  ? 0
                      : t >= THIRD_OPAQUE_MS ? fadeIn(SECOND_OPAQUE_MS - t)
                                             : OPAQUE;
    return {first, second, third};
}

void MenuIntro::drawPictures() {
    const std::array<int, 3> alphas = pictureAlphas();
    const std::array<Texture*, 3> pictures = {texture, picture2, picture3};
    for (int i = 0; i < 3; ++i)
        drawFadedPicture(sprite, pictures[i], x, y, width, height, alphas[i]);
}
