#pragma once

#include "menus/Menu.h"

#include <array>

// The screen settings for the next start (resolution, full screen and
// antialiasing), the volumes of music and effects, heard and saved at once,
// and the way to the controls page. action1 or Return steps a value forward,
// action2 backward; leaving the page, for the controls or the main menu,
// saves the screen settings.
class MenuOptions : public Menu {
public:
    static constexpr int RESOLUTION_COUNT = 8;
    static constexpr int CONTROLS = 6;
    static constexpr int RETURN_TO_MAIN_MENU = 7;
    // Seven rows fit above the foot of the page only a little closer.
    static constexpr double OPTIONS_ROW_SPACING = 1.25;

    MenuOptions();

    void draw() override;
    void update(int elapsedMs) override;

    std::array<int, RESOLUTION_COUNT> resolutionWidths{640, 800, 1024, 1280, 1280, 1280, 1600, 1680};
    std::array<int, RESOLUTION_COUNT> resolutionHeights{480, 600, 768, 800, 960, 1024, 1200, 1050};
    int resolutionIndex = 0;
    int multisampleChoice = 0;
    bool fullscreenChoice = false;

private:
    enum Item { ItemResolution = 1, ItemFullscreen = 2, ItemAntialiasing = 3, ItemMusic = 4, ItemEffects = 5 };

    void stepForward();
    void stepBackward();
    // A count the graphics device refuses falls back to none.
    void validateMultisample();
    // Sets, plays and saves a volume the player changed.
    void changeVolume(Item item, int level);
};
