#pragma once

// One step of the menu phase: advances the open page and acts on its
// result: the next page, the start of a match, the return to a paused match,
// or the end of the program. All knowledge of which page leads where is here.
void updateMenu(int elapsedMs);
