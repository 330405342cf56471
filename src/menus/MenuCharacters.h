#pragma once

#include "menus/Menu.h"

#include <array>
#include <string>

// Each player picks a robot model with a cursor and controls of their own.
// A person may hand the other side to the computer, at a level, and picks
// its robot too; that side then counts as locked on its robot. The result
// is player 1's row plus ten times player 2's (11, 12, 21, 22) once both
// have locked a row, or GO_BACK; Return plays no part here.
class MenuCharacters : public Menu {
public:
    static constexpr int GO_BACK = 3;
    static constexpr int NO_CHOICE = -1;
    static constexpr int PERSON = -1;

    MenuCharacters();

    void draw() override;
    void update(int elapsedMs) override;

    int cursor2 = 1;
    float repeatTimer2 = MENU_REPEAT_MS;
    int choice1 = NO_CHOICE;
    int choice2 = NO_CHOICE;
    // The computer's level on each side, or PERSON.
    std::array<int, 2> computerLevel{PERSON, PERSON};
    std::string helpFont = "arialHelp";
    std::string helpText;  // along the bottom

protected:
    // One player's cursor and lock; player 1 uses the inherited selected and
    // repeatTimer.
    void moveCursor(int player, int& cursor, float& timer, int choice, int elapsedMs);
    void lockChoice(int player, int cursor, int& choice);
    // A person's second action hands the other side to the computer with
    // the small robot, then the big one, then back to a person; left and
    // right change its level.
    void chooseComputer(int player, int elapsedMs);
    int& cursorOf(int player) { return player == 1 ? selected : cursor2; }
    int& choiceOf(int player) { return player == 1 ? choice1 : choice2; }

private:

    std::array<float, 2> levelTimer_{MENU_REPEAT_MS, MENU_REPEAT_MS};
    int lastLevel_ = 0;  // the level a side handed to the computer starts at
    bool computerWasThere_ = false;
};
