#include "menus/MenuOptions.h"

#include "assets/FontManager.h"
#include "audio/SoundManager.h"
#include "input/InputManager.h"
#include "input/KeyboardState.h"
#include "platform/GraphicsDevice.h"
#include "platform/GraphicsTypes.h"
#include "shell/Config.h"
#include "shell/GraphicsContext.h"

#include <algorithm>
#include <string>

namespace {
// Multisample counts run 0, 2, 4, 8, 16: doubling stops at the largest
// count any device offers.
constexpr int FIRST_MULTISAMPLE = 2;
// The values end at the right edge of a box narrower than the item rows.
constexpr double VALUE_HALF_WIDTH_DIVISOR = 3.5;
}  // namespace

MenuOptions::MenuOptions() {
    items = {"Resolution", "FullScreen", "Antialiasing", "Music", "Effects", "Controls", "Return to main menu"};
    itemCount = static_cast<int>(items.size());
    rowSpacing = OPTIONS_ROW_SPACING;
    title = "Options";
    fullscreenChoice = config->savedFullscreen == 1;
    multisampleChoice = config->savedMultisample;
    for (int i = 0; i < RESOLUTION_COUNT; ++i)
        if (resolutionWidths[i] == config->savedWidth && resolutionHeights[i] == config->savedHeight)
            resolutionIndex = i;
}

void MenuOptions::validateMultisample() {
    const GraphicsDevice* device = GraphicsContext::instance().device.get();
    if (!device || !device->checkMultisample(multisampleChoice)) multisampleChoice = 0;
}

void MenuOptions::changeVolume(Item item, int level) {
    const int music = item == ItemMusic ? level : config->musicVolume;
    const int effects = item == ItemEffects ? level : config->effectsVolume;
    sounds->setVolume(SoundKind::Music, music);
    sounds->setVolume(SoundKind::Effect, effects);
    config->saveVolumes(music, effects);
}

void MenuOptions::stepForward() {
    switch (selected) {
    case ItemResolution:
        resolutionIndex = (resolutionIndex + 1) % RESOLUTION_COUNT;
        break;
    case ItemFullscreen:
        fullscreenChoice = !fullscreenChoice;
        break;
    case ItemAntialiasing:
        if (multisampleChoice == 0)
            multisampleChoice = FIRST_MULTISAMPLE;
        else if (multisampleChoice > 0 && multisampleChoice < GraphicsDevice::MAX_MULTISAMPLE)
            multisampleChoice *= 2;
        validateMultisample();
        break;
    // Forward past the top starts again from silence, so that Return alone
    // reaches every level.
    case ItemMusic:
        changeVolume(ItemMusic, (config->musicVolume + 1) % (SoundManager::MAX_VOLUME + 1));
        break;
    case ItemEffects:
        changeVolume(ItemEffects, (config->effectsVolume + 1) % (SoundManager::MAX_VOLUME + 1));
        break;
    default:
        config->saveConfig(resolutionWidths[resolutionIndex], resolutionHeights[resolutionIndex],
                           fullscreenChoice, multisampleChoice);
        result = selected;
        break;
    }
}

void MenuOptions::stepBackward() {
    switch (selected) {
    case ItemResolution:
        resolutionIndex = (resolutionIndex + RESOLUTION_COUNT - 1) % RESOLUTION_COUNT;
        break;
    case ItemFullscreen:
        fullscreenChoice = !fullscreenChoice;
        break;
    case ItemAntialiasing:
        multisampleChoice = multisampleChoice <= FIRST_MULTISAMPLE ? 0 : multisampleChoice / 2;
        validateMultisample();
        break;
    // Backward stops at silence rather than jump to the loudest.
    case ItemMusic:
        changeVolume(ItemMusic, std::max(config->musicVolume - 1, 0));
        break;
    case ItemEffects:
        changeVolume(ItemEffects, std::max(config->effectsVolume - 1, 0));
        break;
    default:
        break;
    }
}

void MenuOptions::update(int elapsedMs) {
    if (takeChoice()) {
        stepForward();
        playAtCentre(selectSound);
    }
    if (isActive(controlIndex(Action2, 1)) || isActive(controlIndex(Action2, 2))) {
        input->consume(Action2, 1);
        input->consume(Action2, 2);
        input->keyboard->enter = Consumed;
        stepBackward();
        playAtCentre(selectSound);
    }
    moveHighlight(elapsedMs);
}

void MenuOptions::draw() {
    Menu::draw();
    const int w = config->width;
    const int s = rowHeight();
    const int t = config->height / 3;
    const int left = static_cast<int>(w / 2 - w / VALUE_HALF_WIDTH_DIVISOR);
    const int right = static_cast<int>(w / VALUE_HALF_WIDTH_DIVISOR + w / 2);
    const std::string values[] = {
        std::to_string(resolutionWidths[resolutionIndex]) + " x " +
            std::to_string(resolutionHeights[resolutionIndex]),
        fullscreenChoice ? "yes" : "no",
        std::to_string(multisampleChoice) + "x",
        std::to_string(config->musicVolume),
        std::to_string(config->effectsVolume),
    };
    for (std::size_t i = 0; i < std::size(values); ++i) {
        const double top = i * rowSpacing * s + t;
        fonts->drawText(itemFont, values[i], left, static_cast<int>(top), right,
                        static_cast<int>(top + s), 255, 255, 255, 255, DT_RIGHT | DT_VCENTER);
    }
}
