#include "menus/MenuCharacters.h"

#include "assets/FontManager.h"
#include "assets/TextureManager.h"
#include "input/InputManager.h"
#include "platform/GraphicsTypes.h"
#include "shell/Config.h"

namespace {
// Rows are three item heights apart and start at two fifths of the screen.
constexpr int ROW_SPACING = 3;
constexpr double ROWS_TOP_DIVISOR = 2.5;
// The markers sit this far in from the row box, left and right of centre.
constexpr int MARKER_INSET = 150;
constexpr int PLAYER2_CODE_FACTOR = 10;
}  // namespace

MenuCharacters::MenuCharacters() {
    items = {"", "", "Go Back"};
    itemCount = static_cast<int>(items.size());
    title = "Character";
    texture = textures->loadTexture("menuCharacters", "Images/Menu/menuCharacters.png");
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

void MenuCharacters::update(int elapsedMs) {
    moveCursor(1, selected, repeatTimer, choice1, elapsedMs);
    moveCursor(2, cursor2, repeatTimer2, choice2, elapsedMs);
    lockChoice(1, selected, choice1);
    lockChoice(2, cursor2, choice2);
    if (choice1 != NO_CHOICE && choice2 != NO_CHOICE)
        result = choice1 + PLAYER2_CODE_FACTOR * choice2;
}

void MenuCharacters::draw() {
    const int w = config->width;
    const int h = config->height;
    const int s = rowHeight();
    drawTitle();
    for (int i = 0; i < itemCount; ++i) {
        const int top = static_cast<int>(ROW_SPACING * i * s + h / ROWS_TOP_DIVISOR);
        const int bottom = static_cast<int>(ROW_SPACING * i * s + h / ROWS_TOP_DIVISOR + s);
        if (i + 1 == selected)
            fonts->drawText(itemFont, "P1", static_cast<int>(w / 2 - w / 3.0 + MARKER_INSET), top,
                            static_cast<int>(w / 3.0 + w / 2), bottom, 255, 0, 0, 255,
                            DT_LEFT | DT_VCENTER);
        if (i + 1 == cursor2)
            fonts->drawText(itemFont, "P2", rowLeft(), top,
                            static_cast<int>(w / 3.0 + 0.5 * w - MARKER_INSET), bottom, 0, 0, 255,
                            255, DT_RIGHT | DT_VCENTER);
        fonts->drawText(itemFont, items[i], rowLeft(), top, rowRight(), bottom, 255, 255, 255,
                        255, DT_CENTER | DT_VCENTER);
    }
}
