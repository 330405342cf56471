#pragma once

#include "menus/Menu.h"

// The hub page: "Play", "Online", "Options", "About", "Replays", "Exit"
// (results 1 to 6). Its notice says why the last online match ended.
class MainMenu : public Menu {
public:
    static constexpr int PLAY = 1;
    static constexpr int ONLINE = 2;
    static constexpr int OPTIONS = 3;
    static constexpr int ABOUT = 4;
    static constexpr int REPLAYS = 5;
    static constexpr int EXIT = 6;
    // Nobody has touched a key or a button for DEMO_IDLE_MS.
    static constexpr int DEMO = 100;
    static constexpr int DEMO_IDLE_MS = 30000;

    MainMenu();

    void update(int elapsedMs) override;

private:
    int idleMs_ = 0;
};
