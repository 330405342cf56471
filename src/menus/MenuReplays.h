#pragma once

#include "menus/Menu.h"

#include <string>
#include <vector>

// The recorded matches, newest first: date, both robots, the sets and the
// score that decided the match (or stood when it was left), then "Back".
// The list scrolls with the highlight; a file that cannot be watched says
// why on the page.
class MenuReplays : public Menu {
public:
    static constexpr int VISIBLE_ROWS = 6;

    explicit MenuReplays(const std::string& folder);

    void draw() override;
    // The chosen item's replay file; empty for "Back".
    std::string chosenPath() const;
    bool backChosen() const { return result == itemCount; }
    // Says why the chosen replay cannot be watched, naming its file without
    // the folder, and waits for another choice.
    void refuse(const std::string& error);

private:
    std::vector<std::string> paths_;
    int firstShown_ = 0;
};
