#pragma once

#include "platform/GraphicsTypes.h"

// Where a picture goes in an area without being distorted: the largest
// rectangle of the picture's proportions that fits, centred, in area pixels
// from the top left. Empty when either size is not positive.
Rect fitPicture(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight);
