#pragma once

#include "menus/Menu.h"

// Shown over a paused match: "Return to game" (1) or "Exit to main menu" (2).
class MenuPause : public Menu {
public:
    static constexpr int RETURN_TO_GAME = 1;
    static constexpr int EXIT_TO_MAIN_MENU = 2;

    MenuPause();
};
