#pragma once

#include "menus/Menu.h"

#include <cstdint>
#include <string>
#include <vector>

// Waits for the other player to join: says the port this machine listens on,
// its addresses, and that a router must let the port through. "Back", or
// Escape, stops waiting (result BACK).
class MenuHost : public Menu {
public:
    static constexpr int BACK = 1;

    MenuHost(std::uint16_t port, const std::vector<std::string>& addresses);

    void update(int elapsedMs) override;
    void draw() override;

private:
    std::string waiting_;
};
