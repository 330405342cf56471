#pragma once

#include "menus/Menu.h"

#include <array>

class Texture;

// The opening slideshow: three full-screen pictures, each fading in over the
// one before, for INTRO_MS; a press of action1 or Return cuts it short. Shows
// no title and no items.
class MenuIntro : public Menu {
public:
    static constexpr int INTRO_MS = 6000;
    static constexpr int FINISHED = 1;
    // The pictures by name and file, in the order they show.
    static constexpr std::array<std::array<const char*, 2>, 3> PICTURES{{
        {"intro1", "Images/Menu/intro1.png"},
        {"intro2", "Images/Menu/intro2.png"},
        {"intro3", "Images/Menu/intro3.png"},
    }};

    MenuIntro();

    void draw() override;
    void update(int elapsedMs) override;
    void drawPictures() override;

    // Alphas of "intro1", "intro2" and "intro3" at the current time left.
    std::array<int, 3> pictureAlphas() const;

    int remainingMs = INTRO_MS;
    Texture* picture2 = nullptr;
    Texture* picture3 = nullptr;

private:
    void loadShownPictures();

    std::array<bool, 3> asked_{};
};
