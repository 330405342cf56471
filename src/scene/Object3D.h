#pragma once

#include "platform/Matrix.h"
#include "scene/Point3D.h"

class GraphicsDevice;
struct Mesh;

// A mesh placed in the world: world matrix = rotation · scale · translation.
class Object3D : public Point3D {
public:
    Object3D(double x, double y, double z, double scaleX, double scaleY, double scaleZ);
    Object3D(double x, double y, double z, double scaleX, double scaleY, double scaleZ,
             double rotationX, double rotationY, double rotationZ, double velocityX,
             double velocityY, double velocityZ);

    void draw() override;
    void update(int elapsedMs) override;

    double scaleX = 1.0;
    double scaleY = 1.0;
    double scaleZ = 1.0;
    Mesh* mesh = nullptr;
    GraphicsDevice* device = nullptr;
};

// The single-precision value of π / 180.
constexpr float DEG_TO_RAD = 0.017453292f;

// Ry · Rx · Rz of three angles in degrees: yaw first, then x, then z.
Matrix rotationMatrix(float angleX, float angleY, float angleZ);

// A mesh drawn at a place, scale and rotation (degrees); nothing without a
// device or a mesh.
struct Placement {
    double x, y, z;
    double scaleX, scaleY, scaleZ;
    float rotationX, rotationY, rotationZ;
};
void drawPlaced(GraphicsDevice* device, Mesh* mesh, const Placement& placement);
