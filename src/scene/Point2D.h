#pragma once

#include "scene/Element.h"

// A positioned, moving element: pixels for 2D objects, world units for 3D.
class Point2D : public Element {
public:
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double rotationY = 0.0;
    double velocityX = 0.0;
    double velocityY = 0.0;
};
