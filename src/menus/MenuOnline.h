#pragma once

#include "menus/Menu.h"

// Playing with someone on another machine: "Host a match" (1), "Join a
// match" (2) or "Back" (3). Its notice says why hosting could not start.
class MenuOnline : public Menu {
public:
    static constexpr int HOST = 1;
    static constexpr int JOIN = 2;
    static constexpr int BACK = 3;

    MenuOnline();
};
