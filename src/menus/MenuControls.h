#pragma once

#include "input/ControlState.h"
#include "input/JoystickSet.h"
#include "menus/Menu.h"
#include "platform/JoystickDevice.h"
#include "platform/KeyboardDevice.h"

#include <array>
#include <string>
#include <vector>

// Both players' six controls, each with its keys and its pad button, then
// "Restore defaults" and "Back". Choosing a control waits for the next key
// or pad button pressed and binds it to that control alone (Escape, or X on
// a pad, takes the choice back); a control that loses it is named under the
// list. Every change is in force and saved at once.
class MenuControls : public Menu {
public:
    static constexpr int CONTROL_ROWS = PLAYER_COUNT * CONTROL_KIND_COUNT;
    static constexpr int RESTORE_DEFAULTS = CONTROL_ROWS + 1;
    static constexpr int BACK = CONTROL_ROWS + 2;
    static constexpr const char* PICTURE_PATH = "Images/Menu/menuControls.png";

    MenuControls();

    void draw() override;
    void update(int elapsedMs) override;

    bool listening() const { return listening_; }

    // Under the list: what the page waits for, or what the last change did.
    std::string notice;
    std::string listFont = "arialList";

private:
    // Looks for a key or pad button pressed since the last step.
    void listen();
    void bindKey(Key key);
    void bindPadButton(PadButton button);
    // Stops listening; the press that ended it is used up everywhere, so it
    // neither moves nor chooses on this page.
    void stopListening();
    void restoreDefaults();
    void save();
    // As many of the names as fit between left and right (fractions of the
    // width), then "..." for the rest.
    std::string fitInColumn(const std::vector<std::string>& names, double left, double right) const;
    void tellLosers(const std::vector<int>& losers, const std::string& what);
    enum class Ink { Plain, Highlight, Heading, Notice };
    // One line of the list, from left to right in fractions of the width.
    void drawLine(double line, const std::string& text, double left, double right, int format, Ink ink);

    bool listening_ = false;
    KeyBuffer keysBefore_{};
    std::array<JoystickReading, JoystickSet::MAX_JOYSTICKS> padsBefore_{};
};
