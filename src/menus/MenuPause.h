#pragma once

#include "menus/Menu.h"

#include <string>

// Shown over a paused match: "Return to game" (1) or "Exit to main menu" (2).
// In an online match only the player who paused may go on; the other sees
// who paused and may only leave.
class MenuPause : public Menu {
public:
    static constexpr int RETURN_TO_GAME = 1;
    static constexpr int EXIT_TO_MAIN_MENU = 2;

    MenuPause();
    MenuPause(const std::string& pausedBy, bool mayResume);

    int getResult() override;

private:
    bool mayResume_ = true;
};
