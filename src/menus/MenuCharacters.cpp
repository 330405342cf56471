#include "menus/MenuCharacters.h"

#include "assets/FontManager.h"
#include "assets/TextureManager.h"
#include "computer/ComputerChoice.h"
#include "computer/ComputerLevel.h"
#include "input/InputManager.h"
#include "platform/GraphicsTypes.h"
#include "shell/Config.h"

#include <algorithm>
#include <string>

namespace {
// Rows are three item heights apart and start at two fifths of the screen.
constexpr int ROW_SPACING = 3;
constexpr double ROWS_TOP_DIVISOR = 2.5;
// The markers sit this far in from the row box, left and right of centre.
constexpr int MARKER_INSET = 150;
constexpr int PLAYER2_CODE_FACTOR = 10;
// The boxes under each robot's name, around the markers: their centres left
// and right of the middle, and their half width, in screen widths.
constexpr double CPU_BOX_CENTRE = 0.152;
constexpr double CPU_BOX_HALF_WIDTH = 0.113;
// How to hand a side to the computer, along the bottom in a small font.
constexpr int HELP_FONT_DIVISOR = 30;
constexpr double HELP_TOP = 0.87;  // of the screen height
constexpr const char* HELP =
    "H, Right Shift or a pad's right button: the other side plays itself\n"
    "(the computer, small robot, big robot, or a person again); left and right: its level";
}  // namespace

MenuCharacters::MenuCharacters() {
    items = {"", "", "Go Back"};
    itemCount = static_cast<int>(items.size());
    title = "Character";
    helpText = HELP;
    texture = textures->loadTexture("menuCharacters", "Images/Menu/menuCharacters.png", fullScreen());
    fonts->createFont(helpFont, "Arial", config->height / HELP_FONT_DIVISOR, 0, false,
                      FontManager::FONT_WEIGHT_NORMAL);
    // The computer as it was last chosen, on its robot.
    const ComputerChoice last = ComputerChoice::read(Config::filePath);
    lastLevel_ = last.level;
    computerWasThere_ = last.side != 0;
    if (last.side == 1 || last.side == 2) {
        computerLevel[last.side - 1] = last.level;
        cursorOf(last.side) = last.robot + 1;
        choiceOf(last.side) = last.robot + 1;
    }
}

void MenuCharacters::moveCursor(int player, int& cursor, float& timer, int choice,
                                int elapsedMs) {
    if (timer < MENU_REPEAT_MS) {
        timer += elapsedMs;
        bool anyDirection = false;
        for (ControlKind kind : {Up, Down, Left, Right})
            anyDirection = anyDirection || isActive(controlIndex(kind, player));
        if (!anyDirection) timer = MENU_REPEAT_MS;
        return;
    }
    if (choice != NO_CHOICE) return;
    if (isActive(controlIndex(Up, player))) {
        if (--cursor <= 0) cursor = itemCount;
    } else if (isActive(controlIndex(Down, player))) {
        if (++cursor > itemCount) cursor = 1;
    } else {
        return;
    }
    timer = 0;
    playAtCentre(moveSound);
}

void MenuCharacters::lockChoice(int player, int cursor, int& choice) {
    if (!isActive(controlIndex(Action1, player))) return;
    input->consume(Action1, player);
    if (cursor == GO_BACK)
        result = GO_BACK;
    else
        choice = cursor;
    playAtCentre(selectSound);
}

void MenuCharacters::chooseComputer(int player, int elapsedMs) {
    const int other = 3 - player;
    int& level = computerLevel[other - 1];
    if (isActive(controlIndex(Action2, player))) {
        input->consume(Action2, player);
        playAtCentre(selectSound);
        if (level == PERSON) {
            level = lastLevel_;
            cursorOf(other) = choiceOf(other) = 1;
        } else if (choiceOf(other) == 1) {
            cursorOf(other) = choiceOf(other) = 2;
        } else {
            level = PERSON;
            choiceOf(other) = NO_CHOICE;
        }
    }
    // Left and right step the level, at once and then while held.
    float& timer = levelTimer_[player - 1];
    const bool left = isActive(controlIndex(Left, player));
    const bool right = isActive(controlIndex(Right, player));
    if (level == PERSON || (!left && !right)) {
        timer = MENU_REPEAT_MS;
        return;
    }
    timer += elapsedMs;
    if (timer < MENU_REPEAT_MS) return;
    timer = 0;
    level = lastLevel_ = std::clamp(level + (right ? 1 : -1), 0, COMPUTER_LEVEL_COUNT - 1);
    playAtCentre(moveSound);
}

void MenuCharacters::update(int elapsedMs) {
    // A side the computer plays is steered by the person on the other.
    for (int player : {1, 2}) {
        if (computerLevel[player - 1] != PERSON) continue;
        moveCursor(player, cursorOf(player), player == 1 ? repeatTimer : repeatTimer2, choiceOf(player), elapsedMs);
        lockChoice(player, cursorOf(player), choiceOf(player));
        chooseComputer(player, elapsedMs);
    }
    if (result == GO_BACK || choice1 == NO_CHOICE || choice2 == NO_CHOICE) return;
    result = choice1 + PLAYER2_CODE_FACTOR * choice2;
    // Kept for the next time; two people leave the file alone unless the
    // computer was there before.
    const int side = computerLevel[0] != PERSON ? 1 : computerLevel[1] != PERSON ? 2 : 0;
    if (side != 0)
        ComputerChoice{side, computerLevel[side - 1], choiceOf(side) - 1}.write(Config::filePath);
    else if (computerWasThere_)
        ComputerChoice{0, lastLevel_, 0}.write(Config::filePath);
}

void MenuCharacters::draw() {
    const int w = config->width;
    const int h = config->height;
    const int s = rowHeight();
    drawTitle();
    for (int i = 0; i < itemCount; ++i) {
        const int top = static_cast<int>(ROW_SPACING * i * s + h / ROWS_TOP_DIVISOR);
        const int bottom = static_cast<int>(ROW_SPACING * i * s + h / ROWS_TOP_DIVISOR + s);
        if (i + 1 == selected && computerLevel[0] == PERSON)
            fonts->drawText(itemFont, "P1", static_cast<int>(w / 2 - w / 3.0 + MARKER_INSET), top,
                            static_cast<int>(w / 3.0 + w / 2), bottom, 255, 0, 0, 255,
                            DT_LEFT | DT_VCENTER);
        if (i + 1 == cursor2 && computerLevel[1] == PERSON)
            fonts->drawText(itemFont, "P2", rowLeft(), top,
                            static_cast<int>(w / 3.0 + 0.5 * w - MARKER_INSET), bottom, 0, 0, 255,
                            255, DT_RIGHT | DT_VCENTER);
        // The computer's longer sign fills its side's box.
        for (int player : {1, 2}) {
            if (i + 1 != cursorOf(player) || computerLevel[player - 1] == PERSON) continue;
            const double centre = w * (0.5 + (player == 1 ? -CPU_BOX_CENTRE : CPU_BOX_CENTRE));
            const std::string sign = std::string("CPU ") + COMPUTER_LEVELS[computerLevel[player - 1]].name;
            fonts->drawText(itemFont, sign, static_cast<int>(centre - CPU_BOX_HALF_WIDTH * w), top,
                            static_cast<int>(centre + CPU_BOX_HALF_WIDTH * w), bottom, player == 1 ? 255 : 0, 0,
                            player == 1 ? 0 : 255, 255, DT_CENTER | DT_VCENTER);
        }
        fonts->drawText(itemFont, items[i], rowLeft(), top, rowRight(), bottom, 255, 255, 255,
                        255, DT_CENTER | DT_VCENTER);
    }
    const int helpTop = static_cast<int>(HELP_TOP * h);
    fonts->drawText(helpFont, helpText, 0, helpTop, w, h, 255, 255, 255, 255, DT_CENTER);
}
