#pragma once

#include "menus/Menu.h"

#include <string>

// The credits: a block of text under the title and a single "Back" item.
class MenuAbout : public Menu {
public:
    static constexpr int BACK = 1;
    // Eight lines of Windows-1252 text: French, blank, English, blank, where
    // to read more.
    static const char* const CREDITS;

    MenuAbout();

    void draw() override;

    std::string textFont = "smallFont";
};
