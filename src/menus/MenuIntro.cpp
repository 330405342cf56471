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

MenuIntro::MenuIntro() : Menu(OwnPictures{}) {
    items = {""};
    itemCount = static_cast<int>(items.size());
    title = "MenuIntro";
    loadShownPictures();
}

// Only what shows is on the device before the first frame; the start-up
// loading brings the rest behind it, and a picture it has not brought yet
// comes when it shows. Until then it is left out of the drawing, which at
// alpha 0 it would not change.
void MenuIntro::loadShownPictures() {
    const std::array<int, 3> alphas = pictureAlphas();
    const std::array<Texture**, 3> pictures = {&texture, &picture2, &picture3};
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        if (asked_[i] || alphas[i] == 0) continue;
        *pictures[i] = textures->loadTexture(PICTURES[i][0], PICTURES[i][1], fullScreen());
        asked_[i] = true;
    }
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
    loadShownPictures();
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
