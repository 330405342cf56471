#include "platform/Matrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr float kHalfPi = std::numbers::pi_v<float> / 2.0f;

void expectPoint(const Vector3& p, float x, float y, float z) {
    EXPECT_NEAR(p.x, x, 1e-5f);
    EXPECT_NEAR(p.y, y, 1e-5f);
    EXPECT_NEAR(p.z, z, 1e-5f);
}

TEST(Matrix, BasicTransformsMoveRowVectorsAsWorkedOutByHand) {
    expectPoint(transformCoord({1, 2, 3}, matrixTranslation(10, 20, 30)), 11, 22, 33);
    expectPoint(transformCoord({1, 2, 3}, matrixScaling(2, 3, 4)), 2, 6, 12);
    // Left-handed rotations: a quarter turn about x takes +y to +z,
    // about y takes +z to +x, about z takes +x to +y.
    expectPoint(transformCoord({0, 1, 0}, matrixRotationX(kHalfPi)), 0, 0, 1);
    expectPoint(transformCoord({0, 0, 1}, matrixRotationY(kHalfPi)), 1, 0, 0);
    expectPoint(transformCoord({1, 0, 0}, matrixRotationZ(kHalfPi)), 0, 1, 0);
}

TEST(Matrix, MultiplyAppliesTheLeftMatrixFirst) {
    const Matrix scaleThenMove = matrixMultiply(matrixScaling(2, 2, 2), matrixTranslation(1, 0, 0));
    expectPoint(transformCoord({1, 1, 1}, scaleThenMove), 3, 2, 2);
    const Matrix moveThenScale = matrixMultiply(matrixTranslation(1, 0, 0), matrixScaling(2, 2, 2));
    expectPoint(transformCoord({1, 1, 1}, moveThenScale), 4, 2, 2);
}

TEST(Matrix, Transformation2DWithoutCentresIsScaleThenTranslate) {
    const Vector2 scale{0.5f, 0.25f};
    const Vector2 move{100.0f, 50.0f};
    const Matrix m = matrixTransformation2D(nullptr, 0.0f, &scale, nullptr, 0.0f, &move);
    expectPoint(transformCoord({1024, 1024, 0}, m), 612, 306, 0);
    expectPoint(transformCoord({0, 0, 0}, m), 100, 50, 0);
}

TEST(Matrix, CameraShowsWorldPlusXOnTheLeftAndPlusYAtTheTop) {
    const Matrix view = matrixLookAtLH({0, 0, 8}, {0, 0, 0}, {0, 1, 0});
    const Matrix projection = matrixPerspectiveFovLH(0.7853982f, 640.0f / 480.0f, 1.0f, 100.0f);
    const Matrix viewProjection = matrixMultiply(view, projection);
    const Vector3 plusX = transformCoord({2, 0, -5}, viewProjection);
    const Vector3 plusY = transformCoord({0, 2, -5}, viewProjection);
    EXPECT_LT(plusX.x, 0.0f);  // clip-space x < 0 is the left half
    EXPECT_NEAR(plusX.y, 0.0f, 1e-5f);
    EXPECT_GT(plusY.y, 0.0f);  // clip-space y > 0 is the top half
    // Depth runs 0 at the near plane to 1 at the far plane.
    EXPECT_NEAR(transformCoord({0, 0, 7}, viewProjection).z, 0.0f, 1e-5f);
    EXPECT_NEAR(transformCoord({0, 0, -92}, viewProjection).z, 1.0f, 1e-5f);
}

TEST(Matrix, PerspectiveHoldsTheAspectOfTheWindow) {
    const float aspect = 800.0f / 600.0f;
    EXPECT_FLOAT_EQ(aspect, 1.3333334f);
    const Matrix p = matrixPerspectiveFovLH(0.7853982f, aspect, 1.0f, 100.0f);
    const float ys = 1.0f / std::tan(0.7853982f / 2.0f);
    EXPECT_FLOAT_EQ(p.m[1][1], ys);
    EXPECT_FLOAT_EQ(p.m[0][0], ys / aspect);
    EXPECT_FLOAT_EQ(p.m[2][3], 1.0f);
    EXPECT_FLOAT_EQ(p.m[3][3], 0.0f);
}

}  // namespace
