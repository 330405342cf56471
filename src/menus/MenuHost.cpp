#include "menus/MenuHost.h"

#include "assets/FontManager.h"
#include "input/InputManager.h"
#include "input/KeyboardState.h"
#include "platform/GraphicsTypes.h"
#include "shell/Config.h"

namespace {
// Under the title what the page waits for, then "Back" a few rows down, then
// how to be reached.
constexpr double WAITING_TOP = 0.36;
constexpr int BACK_ROW = 3;
constexpr double ADDRESSES_TOP = 0.68;
}  // namespace

MenuHost::MenuHost(std::uint16_t port, const std::vector<std::string>& addresses) {
    title = "Host";
    items = {"Back"};
    itemCount = 1;
    std::string list;
    for (const std::string& address : addresses) list += (list.empty() ? "" : ", ") + address;
    waiting_ = "Waiting for the other player on port " + std::to_string(port);
    notice = list.empty() ? "This machine has no network address but its own."
                          : "The other player joins " + list + (addresses.size() > 1 ? " (one of these)" : "") +
                                "\nfrom outside a home network, the router must forward UDP port " +
                                std::to_string(port) + " here";
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
    drawNotice(ADDRESSES_TOP);
    const int top = static_cast<int>(WAITING_TOP * config->height);
    fonts->drawText(noticeFont, waiting_, 0, top, config->width, top + NOTICE_FONT_HEIGHT * 2, 255, 255, 255, 255,
                    DT_CENTER);
}
