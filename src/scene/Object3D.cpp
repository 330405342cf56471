#include "scene/Object3D.h"

#include "assets/MeshManager.h"
#include "platform/GraphicsDevice.h"
#include "shell/GraphicsContext.h"

Object3D::Object3D(double x, double y, double z, double scaleX, double scaleY, double scaleZ)
    : Object3D(x, y, z, scaleX, scaleY, scaleZ, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0) {}

Object3D::Object3D(double x, double y, double z, double scaleX, double scaleY, double scaleZ,
                   double rotationX, double rotationY, double rotationZ, double velocityX,
                   double velocityY, double velocityZ)
    : scaleX(scaleX), scaleY(scaleY), scaleZ(scaleZ), device(GraphicsContext::instance().device.get()) {
    this->x = x;
    this->y = y;
    this->z = z;
    this->rotationX = rotationX;
    this->rotationY = rotationY;
    this->rotationZ = rotationZ;
    this->velocityX = velocityX;
    this->velocityY = velocityY;
    this->velocityZ = velocityZ;
}

void Object3D::update(int elapsedMs) {
    const double elapsed = elapsedMs;
    x += elapsed * velocityX / VELOCITY_TIME_UNIT;
    y += elapsed * velocityY / VELOCITY_TIME_UNIT;
    z += elapsed * velocityZ / VELOCITY_TIME_UNIT;
}

Matrix rotationMatrix(float angleX, float angleY, float angleZ) {
    const Matrix rx = matrixRotationX(angleX * DEG_TO_RAD);
    const Matrix ry = matrixRotationY(angleY * DEG_TO_RAD);
    const Matrix rz = matrixRotationZ(angleZ * DEG_TO_RAD);
    return matrixMultiply(matrixMultiply(ry, rx), rz);
}

void Object3D::draw() {
    drawPlaced(device, mesh,
               {x, y, z, scaleX, scaleY, scaleZ, static_cast<float>(rotationX), static_cast<float>(rotationY),
                static_cast<float>(rotationZ)});
}

void drawPlaced(GraphicsDevice* device, Mesh* mesh, const Placement& p) {
    if (!mesh || !device) return;
    const Matrix translation =
        matrixTranslation(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z));
    const Matrix scaling =
        matrixScaling(static_cast<float>(p.scaleX), static_cast<float>(p.scaleY), static_cast<float>(p.scaleZ));
    const Matrix rotation = rotationMatrix(p.rotationX, p.rotationY, p.rotationZ);
    // Scaling after the rotation stretches along the world axes.
    device->setTransform(TransformKind::World, matrixMultiply(matrixMultiply(rotation, scaling), translation));
    drawMesh(mesh);
}
