#include "menus/MainMenu.h"

MainMenu::MainMenu() {
    items = {"Play", "Options", "About", "Exit"};
    itemCount = static_cast<int>(items.size());
    title = "Menu";
}
