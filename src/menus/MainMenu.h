#pragma once

#include "menus/Menu.h"

// The hub page: "Play", "Options", "About", "Replays", "Exit" (results 1
// to 5).
class MainMenu : public Menu {
public:
    static constexpr int PLAY = 1;
    static constexpr int OPTIONS = 2;
    static constexpr int ABOUT = 3;
    static constexpr int REPLAYS = 4;
    static constexpr int EXIT = 5;

    MainMenu();
};
