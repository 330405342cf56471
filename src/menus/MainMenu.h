#pragma once

#include "menus/Menu.h"

// The hub page: "Play", "Options", "About", "Exit" (results 1 to 4).
class MainMenu : public Menu {
public:
    static constexpr int PLAY = 1;
    static constexpr int OPTIONS = 2;
    static constexpr int ABOUT = 3;
    static constexpr int EXIT = 4;

    MainMenu();
};
