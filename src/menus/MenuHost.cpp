#include "menus/MenuHost.h"

#include "assets/FontManager.h"
#include "input/InputManager.h"
#include "input/KeyboardState.h"
#include "platform/GraphicsTypes.h"
#include "shell/Config.h"

namespace {
// Under the title what the page waits for, then "Back" a few rows down, then
// how to be reached.
constexpr double WAITING_TOP = 0.35;
constexpr int BACK_ROW = 3;
constexpr double ROUTER_TOP = 0.64;
}  // namespace

MenuHost::MenuHost(std::uint16_t port, const std::vector<std::string>& addresses) {
    title = "Host";
    items = {"Back"};
    itemCount = 1;
    std::string list;
    for (const std::string& address : addresses) list += (list.empty() ? "" : " or ") + address;
    const std::string portText = std::to_string(port);
    waiting_ = "Waiting for the other player\non port " + portText + (list.empty() ? "" : " of " + list);
    notice = "Over the internet, the router must forward\nUDP port " + portText + " to this machine";
}

void MenuHost::update(int elapsedMs) {
    Menu::update(elapsedMs);
    if (input->controls[PAUSE_CONTROL] == Active) {
        input->controls[PAUSE_CONTROL] = Consumed;
        input->keyboard->escape = Consumed;
        result = BACK;
    }
}

void MenuHost::draw() {
    drawTitle();
    drawItem(0, BACK_ROW);
    drawNotice(ROUTER_TOP);
    const int top = static_cast<int>(WAITING_TOP * config->height);
    fonts->drawText(noticeFont, waiting_, 0, top, config->width, top + NOTICE_FONT_HEIGHT * 2, 255, 255, 255, 255,
                    DT_CENTER);
}
