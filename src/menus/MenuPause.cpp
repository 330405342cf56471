#include "menus/MenuPause.h"

MenuPause::MenuPause() {
    items = {"Return to game", "Exit to main menu"};
    itemCount = static_cast<int>(items.size());
    title = "Pause";
}
