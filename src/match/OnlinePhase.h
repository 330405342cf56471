#pragma once

#include <cstdint>

class MenuJoin;

// Starts hosting on the port, with the waiting page; the online page says
// why when the port cannot be taken.
void hostOnline(std::uint16_t port);
// Starts reaching the address typed on the join page; the page says why not.
void joinOnline(MenuJoin& page);
// Leaves the online game, telling the other side.
void leaveOnline();

// Once per main-loop iteration while an online game goes on, whatever page
// is open: takes what arrived, runs the match's steps that are due with this
// player's controls, and follows the session: the characters page once both
// sides greeted, the match once both locked, the pause page on both sides,
// and the main menu with the reason when it ends. An ended game is let go
// a moment later, once the other side could hear why.
void updateOnline();
