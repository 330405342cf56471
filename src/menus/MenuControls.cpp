#include "menus/MenuControls.h"

#include "assets/FontManager.h"
#include "assets/TextureManager.h"
#include "input/InputManager.h"
#include "input/KeyboardState.h"
#include "platform/GraphicsTypes.h"
#include "shell/Config.h"

#include <cstdio>

namespace {

// The page's layout in fractions of the screen: the title, then the list's
// lines, a twenty-fourth of the height high and a tenth more apart, in three
// columns.
constexpr double TITLE_TOP = 0.06;
constexpr double LIST_TOP = 0.14;
constexpr int LIST_FONT_DIVISOR = 24;
constexpr double LINE_SPACING = 1.1;
constexpr double LABEL_LEFT = 0.08;
constexpr double KEYS_LEFT = 0.36;
constexpr double PAD_LEFT = 0.68;
constexpr double LIST_RIGHT = 0.92;

// Each player's heading line, then their six controls; half a line apart
// from them, "Restore defaults", "Back" and the notice.
constexpr int LINES_PER_PLAYER = CONTROL_KIND_COUNT + 1;
constexpr double RESTORE_LINE = PLAYER_COUNT * LINES_PER_PLAYER + 0.5;
constexpr double NOTICE_LINE = RESTORE_LINE + 2;

constexpr const char* KIND_LABELS[CONTROL_KIND_COUNT] = {"Up", "Down", "Left", "Right", "Dash / throw", "Lob"};
// By button, in the pad's own order.
constexpr const char* PAD_LABELS[PAD_BUTTON_COUNT] = {
    "A", "B", "X", "Y", "Back", "Guide", "Start", "Left stick", "Right stick", "Left shoulder", "Right shoulder",
    "D-pad up", "D-pad down", "D-pad left", "D-pad right", "Misc", "Paddle 1", "Paddle 2", "Paddle 3", "Paddle 4",
    "Touchpad",
};
constexpr const char* NONE = "none";
constexpr const char* LISTENING = "...";
// After the names that fit in their column, when not all do.
constexpr const char* MORE = ", ...";

int playerOfRow(int row) { return (row - 1) / CONTROL_KIND_COUNT + 1; }
ControlKind kindOfRow(int row) { return ControlKind((row - 1) % CONTROL_KIND_COUNT); }
int controlOfRow(int row) { return controlIndex(kindOfRow(row), playerOfRow(row)); }

std::string controlName(int control) {
    return "Player " + std::to_string((control - 1) % PLAYER_COUNT + 1) + " " +
           KIND_LABELS[(control - 1) / PLAYER_COUNT];
}

bool newlyDown(const KeyBuffer& now, const KeyBuffer& before, std::size_t key) {
    return (now[key] & KEY_DOWN_BIT) != 0 && (before[key] & KEY_DOWN_BIT) == 0;
}

std::string joined(const std::vector<std::string>& names, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text.append(i == 0 ? "" : ", ").append(names[i]);
    return text;
}

}  // namespace

MenuControls::MenuControls() {
    for (int row = 1; row <= CONTROL_ROWS; ++row) items.push_back(controlName(controlOfRow(row)));
    items.emplace_back("Restore defaults");
    items.emplace_back("Back");
    itemCount = static_cast<int>(items.size());
    title = "Controls";
    texture = textures->loadTexture("menuControls", PICTURE_PATH, fullScreen());
    fonts->createFont(listFont, "Arial", config->height / LIST_FONT_DIVISOR, 0, false,
                      FontManager::FONT_WEIGHT_NORMAL);
}

void MenuControls::update(int elapsedMs) {
    if (listening_) {
        listen();
        return;
    }
    moveHighlight(elapsedMs);
    if (!takeChoice()) return;
    playAtCentre(selectSound);
    if (selected <= CONTROL_ROWS) {
        listening_ = true;
        keysBefore_ = input->keyboard->keys;
        padsBefore_ = input->joysticks->states;
        notice = "Press a key or a pad button; Escape or pad X cancels";
    } else if (selected == RESTORE_DEFAULTS) {
        restoreDefaults();
    } else {
        result = selected;
    }
}

void MenuControls::listen() {
    const KeyBuffer& keys = input->keyboard->keys;
    for (std::size_t key = 0; key < KEY_COUNT; ++key) {
        if (!newlyDown(keys, keysBefore_, key)) continue;
        if (key == KeyCode::Escape) {
            notice.clear();
            stopListening();
            return;
        }
        if (KeyBindings::canBind(static_cast<Key>(key))) {
            bindKey(static_cast<Key>(key));
            return;
        }
    }
    keysBefore_ = keys;

    const JoystickSet& pads = *input->joysticks;
    for (int slot = 0; slot < JoystickSet::MAX_JOYSTICKS; ++slot) {
        const JoystickReading& reading = pads.states[slot];
        for (int button = 0; button < PAD_BUTTON_COUNT; ++button) {
            if (!reading.buttons[button] || padsBefore_[slot].buttons[button]) continue;
            if (button == PadBindings::PAUSE_BUTTON) {
                notice.clear();
                stopListening();
                return;
            }
            if (PadBindings::canBind(static_cast<PadButton>(button))) {
                bindPadButton(static_cast<PadButton>(button));
                return;
            }
        }
        padsBefore_[slot] = reading;
    }
}

void MenuControls::bindKey(Key key) {
    notice.clear();
    tellLosers(input->keyboard->bindings.bind(controlOfRow(selected), key), "key " + keyName(key));
    stopListening();
    save();
}

void MenuControls::bindPadButton(PadButton button) {
    notice.clear();
    tellLosers(input->joysticks->bindings.bind(controlOfRow(selected), button),
               std::string("pad ") + PAD_LABELS[button]);
    stopListening();
    save();
}

void MenuControls::tellLosers(const std::vector<int>& losers, const std::string& what) {
    std::string names;
    for (const int control : losers) names += (names.empty() ? "" : " and ") + controlName(control);
    if (!names.empty()) notice = names + " lost " + what;
}

void MenuControls::stopListening() {
    listening_ = false;
    for (int player = 1; player <= PLAYER_COUNT; ++player)
        for (int kind = 0; kind < CONTROL_KIND_COUNT; ++kind) input->consume(ControlKind(kind), player);
    input->keyboard->enter = Consumed;
    input->keyboard->escape = Consumed;
    // A pad's direction is read afresh every step: held on, it moves the
    // highlight only once a held direction would repeat.
    repeatTimer = 0;
}

void MenuControls::restoreDefaults() {
    input->keyboard->bindings.restoreDefaults();
    input->joysticks->bindings.restoreDefaults();
    notice = "Defaults restored";
    save();
}

void MenuControls::save() {
    std::string failure;
    if (input->keyboard->bindings.save(Config::filePath, failure) &&
        input->joysticks->bindings.save(Config::filePath, failure))
        return;
    std::fprintf(stderr, "korvandeltix: the controls could not be saved to %s (%s)\n", Config::filePath.c_str(),
                 failure.c_str());
    notice = "In force, but not saved: the settings file cannot be written";
}

void MenuControls::drawLine(double line, const std::string& text, double left, double right, int format, Ink ink) {
    // Red, green and blue of each ink: the items' white and red, the title's
    // blue, and a pale yellow for what the page says.
    constexpr int INKS[][3] = {{255, 255, 255}, {255, 0, 0}, {128, 128, 255}, {255, 255, 128}};
    const int* rgb = INKS[static_cast<int>(ink)];
    const int w = config->width;
    const int h = config->height;
    const int lineHeight = h / LIST_FONT_DIVISOR;
    const double top = LIST_TOP * h + line * LINE_SPACING * lineHeight;
    fonts->drawText(listFont, text, static_cast<int>(left * w), static_cast<int>(top), static_cast<int>(right * w),
                    static_cast<int>(top + lineHeight), rgb[0], rgb[1], rgb[2], 255, format | DT_VCENTER);
}

std::string MenuControls::fitInColumn(const std::vector<std::string>& names, double left, double right) const {
    if (names.empty()) return NONE;
    // Half a line clear of the next column.
    const int width = static_cast<int>((right - left) * config->width) - config->height / LIST_FONT_DIVISOR / 2;
    std::string text = joined(names, names.size());
    for (std::size_t shown = names.size(); shown > 1 && fonts->textWidth(listFont, text) > width;)
        text = joined(names, --shown) + MORE;
    return text;
}

void MenuControls::draw() {
    const int h = config->height;
    const int titleTop = static_cast<int>(TITLE_TOP * h);
    fonts->drawText(titleFont, title, rowLeft(), titleTop, rowRight(), titleTop + h / TITLE_FONT_DIVISOR, 128, 128,
                    255, 255, DT_CENTER | DT_VCENTER);

    for (int player = 1; player <= PLAYER_COUNT; ++player) {
        const int heading = (player - 1) * LINES_PER_PLAYER;
        drawLine(heading, "Player " + std::to_string(player), LABEL_LEFT, KEYS_LEFT, DT_LEFT, Ink::Heading);
        drawLine(heading, "Keys", KEYS_LEFT, PAD_LEFT, DT_LEFT, Ink::Heading);
        drawLine(heading, "Pad", PAD_LEFT, LIST_RIGHT, DT_LEFT, Ink::Heading);
    }
    for (int row = 1; row <= CONTROL_ROWS; ++row) {
        const int line = (playerOfRow(row) - 1) * LINES_PER_PLAYER + kindOfRow(row) + 1;
        const Ink ink = row == selected ? Ink::Highlight : Ink::Plain;
        const bool waiting = row == selected && listening_;
        const int control = controlOfRow(row);
        std::vector<std::string> keys;
        for (const int key : input->keyboard->bindings.codes(control)) keys.push_back(keyName(static_cast<Key>(key)));
        std::vector<std::string> buttons;
        for (const int button : input->joysticks->bindings.codes(control)) buttons.emplace_back(PAD_LABELS[button]);
        drawLine(line, KIND_LABELS[kindOfRow(row)], LABEL_LEFT, KEYS_LEFT, DT_LEFT, ink);
        drawLine(line, waiting ? LISTENING : fitInColumn(keys, KEYS_LEFT, PAD_LEFT), KEYS_LEFT, PAD_LEFT, DT_LEFT,
                 ink);
        drawLine(line, waiting ? LISTENING : fitInColumn(buttons, PAD_LEFT, LIST_RIGHT), PAD_LEFT, LIST_RIGHT,
                 DT_LEFT, ink);
    }
    for (const int item : {RESTORE_DEFAULTS, BACK})
        drawLine(RESTORE_LINE + item - RESTORE_DEFAULTS, items[item - 1], LABEL_LEFT, LIST_RIGHT, DT_CENTER,
                 item == selected ? Ink::Highlight : Ink::Plain);
    drawLine(NOTICE_LINE, notice, LABEL_LEFT, LIST_RIGHT, DT_CENTER, Ink::Notice);
}
