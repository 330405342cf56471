#pragma once

#include "menus/MenuCharacters.h"

#include <array>

class OnlineSession;

// The characters page of an online match: this machine's player steers
// their own side with either set of keys, and the other side's cursor and
// lock arrive from the other machine. The host plays player 1. The session
// starts the match once both have locked a robot; "Go Back" reports GO_BACK.
class MenuOnlineCharacters : public MenuCharacters {
public:
    explicit MenuOnlineCharacters(OnlineSession& session);

    void update(int elapsedMs) override;

private:
    OnlineSession& session_;
    std::array<float, 2> timers_{MENU_REPEAT_MS, MENU_REPEAT_MS};
};
