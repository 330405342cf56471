#include "menus/MenuPause.h"

MenuPause::MenuPause() {
    items = {"Return to game", "Exit to main menu"};
    itemCount = static_cast<int>(items.size());
    title = "Pause";
}

MenuPause::MenuPause(const std::string& pausedBy, bool mayResume) : MenuPause() {
    notice = "Paused by " + pausedBy;
    mayResume_ = mayResume;
    if (!mayResume_) {
        items = {"Exit to main menu"};
        itemCount = 1;
    }
}

int MenuPause::getResult() {
    if (!mayResume_ && result == 1) return EXIT_TO_MAIN_MENU;
    return result;
}
