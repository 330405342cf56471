#include "scene/Object3D.h"

#include "assets/MeshManager.h"
#include "support/RecordingGraphics.h"
#include "support/TempDirectory.h"

#include <gtest/gtest.h>


namespace {

void expectPoint(const Vector3& p, float x, float y, float z) {
    EXPECT_NEAR(p.x, x, 1e-5f);
    EXPECT_NEAR(p.y, y, 1e-5f);
    EXPECT_NEAR(p.z, z, 1e-5f);
}

TEST(Object3D, RotationTurnsAboutYThenXThenZ) {
    // The tilt the disc and robot parts use lays the model's up (+y) along
    // the world's up (+z); a yaw, applied first, still turns about that up.
    const Matrix yawed = rotationMatrix(90, 90, 90);
    expectPoint(transformCoord({0, 1, 0}, yawed), 0, 0, 1);
    // Worked out by hand: the yaw, then x, then z, each a quarter turn.
    expectPoint(transformCoord({1, 0, 0}, yawed), -1, 0, 0);
    expectPoint(transformCoord({0, 0, 1}, yawed), 0, 1, 0);
}

TEST(Object3D, DrawSetsRotationThenWorldAxisScaleThenTranslation) {
    RecordingDevice& device = installRecordingDevice();
    TempDirectory dir;
    writeTextFile(dir.file("tri.x"), "xof 0302txt 0032\nMesh { 3; 0.0;0.0;0.0;, 0.0;1.0;0.0;, 1.0;0.0;0.0;; 1; 3;0,1,2;; }\n");
    Object3D arena(1, 2, 3, 2.2, 1.5, 1.5, 90, 90, 0, 0, 0, 0);
    arena.mesh = MeshManager::instance().loadMesh("arena", dir.file("tri.x"));
    device.clearCalls();
    arena.draw();

    ASSERT_EQ(device.count(DeviceCall::Kind::DrawSubset), 1u);
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
