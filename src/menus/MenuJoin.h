#pragma once

#include "menus/Menu.h"

#include <string>

// Asks for the other player's address, typed as "host" or "host:port",
// starting from the one last joined. Return connects (result CONNECT),
// Escape goes back (BACK); no other key chooses here, since any other key
// may be part of an address. While the game connects, the page says so and
// Escape gives up.
class MenuJoin : public Menu {
public:
    static constexpr int CONNECT = 1;
    static constexpr int BACK = 2;

    explicit MenuJoin(std::string address);
    ~MenuJoin() override;

    void update(int elapsedMs) override;
    void draw() override;

    // The connection is under way: the page waits and Escape gives up.
    void connecting();
    // The connection failed or was refused: why, and the address to edit again.
    void fail(const std::string& why);

    std::string address;

private:
    bool connecting_ = false;
    bool backspaceWasDown_ = false;
};
