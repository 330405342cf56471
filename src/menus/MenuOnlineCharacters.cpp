#include "menus/MenuOnlineCharacters.h"

#include "net/OnlineSession.h"

#include <string>

MenuOnlineCharacters::MenuOnlineCharacters(OnlineSession& session) : session_(session) {
    // No computer online, whatever was chosen last at this keyboard.
    computerLevel = {PERSON, PERSON};
    selected = cursor2 = 1;
    choice1 = choice2 = NO_CHOICE;
    const std::string own = std::to_string(session.localPlayer());
    helpText = "You play P" + own + ": pick your robot with either player's keys\n" +
               "The match starts when both players have locked theirs";
}

void MenuOnlineCharacters::update(int elapsedMs) {
    const int own = session_.localPlayer();
    const int other = 3 - own;
    for (int player : {1, 2}) {
        moveCursor(player, cursorOf(own), timers_[player - 1], choiceOf(own), elapsedMs);
        lockChoice(player, cursorOf(own), choiceOf(own));
    }
    const NetPacket::ChoicePacket& theirs = session_.otherChoice();
    cursorOf(other) = theirs.row;
    choiceOf(other) = theirs.locked ? theirs.row : NO_CHOICE;
    if (result != GO_BACK) session_.choose(cursorOf(own), choiceOf(own) != NO_CHOICE);
}
