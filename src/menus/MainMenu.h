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
    // Nobody has touched a key or a button for DEMO_IDLE_MS.
    static constexpr int DEMO = 100;
    static constexpr int DEMO_IDLE_MS = 30000;

    MainMenu();

    void update(int elapsedMs) override;

private:
    int idleMs_ = 0;
};
