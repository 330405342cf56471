#include "scene/Object3D.h"

#include "assets/MeshManager.h"
#include "shell/GraphicsContext.h"
#include "support/RecordingGraphics.h"
#include "support/TempDirectory.h"

#include <gtest/gtest.h>

namespace {

using Kind = DeviceCall::Kind;

void expectPoint(const Vector3& p, float x, float y, float z) {
    EXPECT_NEAR(p.x, x, 1e-5f);
    EXPECT_NEAR(p.y, y, 1e-5f);
    EXPECT_NEAR(p.z, z, 1e-5f);
}

TEST(Object3D, ConstructorsSetTheirFieldsAndTakeTheContextDevice) {
    RecordingDevice& device = installRecordingDevice();
    const Object3D robot(1, 2, 3, 0.5, 0.6, 0.7);
    EXPECT_EQ(robot.device, &device);
    EXPECT_EQ(robot.mesh, nullptr);
    EXPECT_DOUBLE_EQ(robot.z, 3);
    EXPECT_DOUBLE_EQ(robot.scaleZ, 0.7);
    EXPECT_DOUBLE_EQ(robot.rotationX, 0);

    const Object3D disc(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12);
    EXPECT_DOUBLE_EQ(disc.scaleX, 4);
    EXPECT_DOUBLE_EQ(disc.rotationX, 7);
    EXPECT_DOUBLE_EQ(disc.rotationY, 8);
    EXPECT_DOUBLE_EQ(disc.rotationZ, 9);
    EXPECT_DOUBLE_EQ(disc.velocityX, 10);
    EXPECT_DOUBLE_EQ(disc.velocityY, 11);
    EXPECT_DOUBLE_EQ(disc.velocityZ, 12);
}

TEST(Object3D, UpdateMovesByVelocityPerHalfSecondOnEveryAxis) {
    installRecordingDevice();
    Object3D disc(0, 0, 0, 1, 1, 1, 0, 0, 0, 1, -2, 0.5);
    disc.update(500);
    EXPECT_DOUBLE_EQ(disc.x, 1);
    EXPECT_DOUBLE_EQ(disc.y, -2);
    EXPECT_DOUBLE_EQ(disc.z, 0.5);
    disc.update(-250);
    EXPECT_DOUBLE_EQ(disc.x, 0.5);
    EXPECT_DOUBLE_EQ(disc.y, -1);
    EXPECT_DOUBLE_EQ(disc.z, 0.25);
}

TEST(Object3D, RotationTurnsAboutYThenXThenZ) {
    // The tilt the disc and robot parts use lays the model's up (+y) along
    // the world's up (+z).
    const Matrix tilt = rotationMatrix(90, 0, 90);
    expectPoint(transformCoord({0, 1, 0}, tilt), 0, 0, 1);
    // Yaw first: with the tilt, a yaw of 90 still turns about the world's up.
    const Matrix yawed = rotationMatrix(90, 90, 90);
    expectPoint(transformCoord({0, 1, 0}, yawed), 0, 0, 1);
    const Matrix expected = matrixMultiply(matrixMultiply(matrixRotationY(90 * DEG_TO_RAD), matrixRotationX(90 * DEG_TO_RAD)),
                                           matrixRotationZ(90 * DEG_TO_RAD));
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_FLOAT_EQ(yawed.m[r][c], expected.m[r][c]);
}

TEST(Object3D, DrawSetsRotationThenWorldAxisScaleThenTranslation) {
    RecordingDevice& device = installRecordingDevice();
    TempDirectory dir;
    writeTextFile(dir.file("tri.x"), "xof 0302txt 0032\nMesh { 3; 0.0;0.0;0.0;, 0.0;1.0;0.0;, 1.0;0.0;0.0;; 1; 3;0,1,2;; }\n");
    Object3D arena(1, 2, 3, 2.2, 1.5, 1.5, 90, 90, 0, 0, 0, 0);
    arena.mesh = MeshManager::instance().loadMesh("arena", dir.file("tri.x"));
    device.clearCalls();
    arena.draw();

    ASSERT_EQ(device.calls.size(), 3u);
    EXPECT_EQ(device.calls[0].kind, Kind::Transform);
    EXPECT_EQ(device.calls[0].transformKind, TransformKind::World);
    EXPECT_EQ(device.calls[2].kind, Kind::DrawSubset);
    // The model's +x turns onto the world's +y, so it is stretched by the
    // y scale (1.5), not by the x scale it had along the model's own axis.
    expectPoint(transformCoord({1, 0, 0}, device.world), 1, 3.5f, 3);
    expectPoint(transformCoord({0, 0, 0}, device.world), 1, 2, 3);
}

TEST(Object3D, AnEmptyMeshDrawsNothingAndLeavesTheWorldTransform) {
    RecordingDevice& device = installRecordingDevice();
    device.setTransform(TransformKind::World, matrixTranslation(7, 8, 9));
    device.clearCalls();
    Object3D nothing(1, 2, 3, 1, 1, 1);
    nothing.draw();
    EXPECT_TRUE(device.calls.empty());
    EXPECT_FLOAT_EQ(device.world.m[3][0], 7);
}

}  // namespace
