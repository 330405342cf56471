#include "menus/MainMenu.h"

#include "input/InputManager.h"

MainMenu::MainMenu() {
    items = {"Play", "Online", "Options", "About", "Replays", "Exit"};
    itemCount = static_cast<int>(items.size());
    title = "Menu";
}

void MainMenu::update(int elapsedMs) {
    Menu::update(elapsedMs);
    idleMs_ = input->anyInput() ? 0 : idleMs_ + elapsedMs;
    if (result == 0 && idleMs_ >= DEMO_IDLE_MS) result = DEMO;
}
