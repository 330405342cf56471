#include "menus/MenuJoin.h"

#include "assets/FontManager.h"
#include "input/InputManager.h"
#include "input/KeyboardState.h"
#include "platform/GraphicsTypes.h"
#include "shell/Config.h"

#include <utility>

namespace {
constexpr std::size_t MAX_ADDRESS_LENGTH = 64;
constexpr double ADDRESS_TOP = 0.36;
constexpr const char* TYPING_HELP =
    "Type the host's address, with :port if it is not 7788\nReturn connects, Escape goes back";
constexpr char CARET = '_';
}  // namespace

MenuJoin::MenuJoin(std::string lastAddress) : address(std::move(lastAddress)) {
    title = "Join";
    notice = TYPING_HELP;
    if (KeyboardDevice* device = input->keyboard->device.get()) device->setTyping(true);
}

MenuJoin::~MenuJoin() {
    if (KeyboardDevice* device = input->keyboard->device.get()) device->setTyping(false);
}

void MenuJoin::update(int) {
    KeyboardState& keyboard = *input->keyboard;
    const bool escape = keyboard.escape == Active;
    if (escape) {
        keyboard.escape = Consumed;
        input->controls[PAUSE_CONTROL] = Consumed;
    }
    const std::string typed = keyboard.device ? keyboard.device->takeTyped() : std::string();
    if (connecting_) {
        if (escape) result = BACK;
        return;
    }
    for (char c : typed)
        if (c > ' ' && c < 0x7F && address.size() < MAX_ADDRESS_LENGTH) address += c;
    const bool backspace = (keyboard.keys[KeyCode::Backspace] & KEY_DOWN_BIT) != 0;
    if (backspace && !backspaceWasDown_ && !address.empty()) address.pop_back();
    backspaceWasDown_ = backspace;

    if (escape) {
        result = BACK;
    } else if (keyboard.enter == Active) {
        keyboard.enter = Consumed;
        result = CONNECT;
        playAtCentre(selectSound);
    }
}

void MenuJoin::connecting() {
    connecting_ = true;
    result = 0;
    notice = "Connecting to " + address + " ...  Escape gives up";
}

void MenuJoin::fail(const std::string& why) {
    connecting_ = false;
    result = 0;
    notice = why + "\nReturn tries again, Escape goes back";
}

void MenuJoin::draw() {
    drawTitle();
    const int top = static_cast<int>(ADDRESS_TOP * config->height);
    fonts->drawText(itemFont, address + (connecting_ ? "" : std::string(1, CARET)), rowLeft(), top, rowRight(),
                    top + rowHeight(), 255, 255, 255, 255, DT_CENTER | DT_VCENTER);
    drawNotice();
}
