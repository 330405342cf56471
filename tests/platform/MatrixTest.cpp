#include "platform/Matrix.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

constexpr float HALF_PI = std::numbers::pi_v<float> / 2.0f;

void expectPoint(const Vector3& p, float x, float y, float z) {
    EXPECT_NEAR(p.x, x, 1e-5f);
    EXPECT_NEAR(p.y, y, 1e-5f);
    EXPECT_NEAR(p.z, z, 1e-5f);
}

// Row vectors, worked out by hand. The camera's view and projection are
// checked where the frame sets them.
TEST(Matrix, TransformsMoveRowVectorsAndMultiplyAppliesTheLeftMatrixFirst) {
    expectPoint(transformCoord({1, 2, 3}, matrixTranslation(10, 20, 30)), 11, 22, 33);
    expectPoint(transformCoord({1, 2, 3}, matrixScaling(2, 3, 4)), 2, 6, 12);
    // Left-handed rotations: a quarter turn about x takes +y to +z,
    // about y takes +z to +x, about z takes +x to +y.
    expectPoint(transformCoord({0, 1, 0}, matrixRotationX(HALF_PI)), 0, 0, 1);
    expectPoint(transformCoord({0, 0, 1}, matrixRotationY(HALF_PI)), 1, 0, 0);
    expectPoint(transformCoord({1, 0, 0}, matrixRotationZ(HALF_PI)), 0, 1, 0);

    expectPoint(transformCoord({1, 1, 1}, matrixMultiply(matrixScaling(2, 2, 2), matrixTranslation(1, 0, 0))), 3, 2, 2);
    expectPoint(transformCoord({1, 1, 1}, matrixMultiply(matrixTranslation(1, 0, 0), matrixScaling(2, 2, 2))), 4, 2, 2);

    // Without centres, the 2-D transformation scales, then translates.
    const Vector2 scale{0.5f, 0.25f};
    const Vector2 move{100.0f, 50.0f};
    expectPoint(transformCoord({1024, 1024, 0}, matrixTransformation2D(nullptr, 0.0f, &scale, nullptr, 0.0f, &move)), 612, 306, 0);
}

}  // namespace
