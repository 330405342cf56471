#pragma once

#include "common/Canvas.h"
#include "common/Lettering.h"

#include <vector>

// One picture of the game: where it goes in the run folder and how it is drawn.
struct Picture {
    const char* path;
    void (*draw)(Canvas& canvas, const Lettering& lettering);
};

// Menu backgrounds and the intro cards (opaque, under Images/Menu/).
const std::vector<Picture>& menuPictures();
// Messages over the match (transparent, under Images/Interface/).
const std::vector<Picture>& messagePictures();
// The desktop icon, square, drawn to the canvas's size.
void drawIcon(Canvas& canvas);
