#pragma once

#include "scene/Point2D.h"

class Point3D : public Point2D {
public:
    double rotationX = 0.0;
    double rotationZ = 0.0;
    double velocityZ = 0.0;
};
