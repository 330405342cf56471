#include "menus/MainMenu.h"

MainMenu::MainMenu() {
    items = {"Play", "Options", "About", "Replays", "Exit"};
    itemCount = static_cast<int>(items.size());
    title = "Menu";
}
