#pragma once

#include "menus/Menu.h"

// Each player picks a robot model with a cursor and controls of their own.
// The result is player 1's row plus ten times player 2's (11, 12, 21, 22)
// once both have locked a row, or GO_BACK; Return plays no part here.
class MenuCharacters : public Menu {
public:
    static constexpr int GO_BACK = 3;
    static constexpr int NO_CHOICE = -1;

    MenuCharacters();

    void draw() override;
    void update(int elapsedMs) override;

    int cursor2 = 1;
    float repeatTimer2 = MENU_REPEAT_MS;
    int choice1 = NO_CHOICE;
    int choice2 = NO_CHOICE;

private:
    // One player's cursor and lock; player 1 uses the inherited selected and
    // repeatTimer.
    void moveCursor(int player, int& cursor, float& timer, int choice, int elapsedMs);
    void lockChoice(int player, int cursor, int& choice);
};
