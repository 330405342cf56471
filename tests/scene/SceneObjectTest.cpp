#include "scene/Object2D.h"
#include "scene/Object3D.h"

#include "assets/MeshManager.h"
#include "assets/TextureManager.h"
#include "support/PictureFiles.h"
#include "support/RecordingGraphics.h"
#include "support/TempDirectory.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using Kind = DeviceCall::Kind;

struct Object2DDrawTest : ::testing::Test {
    RecordingDevice& device = installRecordingDevice();
    TempDirectory dir;
    Texture* picture = (writeFlatPng(dir.file("menu.png"), 1024, 1024, 0x808080FFu),
                        TextureManager::instance().loadTexture("menu", dir.file("menu.png")));
    Object2DDrawTest() { device.clearCalls(); }
};

TEST_F(Object2DDrawTest, ASizedPictureCoversExactlyItsRectangle) {
    Object2D sized(64, 32, 512, 384);
    sized.texture = picture;
    sized.draw();

    ASSERT_EQ(device.calls.size(), 2u);
    ASSERT_EQ(device.calls[0].kind, Kind::SpriteTransform);
    // The corners are where the transform set puts the 1024 × 1024 picture.
    const DeviceCall& draw = device.calls[1];
    ASSERT_EQ(draw.kind, Kind::SpriteDraw);
    EXPECT_EQ(std::tuple(draw.texture, draw.hasPosition, draw.color), std::tuple(picture, false, 0xFFFFFFFFu));
    EXPECT_EQ(std::tuple(draw.topLeft.x, draw.topLeft.y, draw.bottomRight.x, draw.bottomRight.y),
              std::tuple(64.0f, 32.0f, 576.0f, 416.0f));
}

TEST_F(Object2DDrawTest, AnUnsizedPictureKeepsTheTransformOfTheLastSizedDraw) {
    Object2D sized(64, 32, 512, 384);
    sized.texture = picture;
    Object2D unsized;  // takes the shared sprite as the sized one does
    unsized.texture = picture;
    unsized.x = 100;
    unsized.y = 50;
    unsized.z = 0.25;
    sized.draw();
    device.clearCalls();
    unsized.draw();

    ASSERT_EQ(device.calls.size(), 1u);
    const DeviceCall& draw = device.calls[0];
    ASSERT_EQ(draw.kind, Kind::SpriteDraw);
    EXPECT_TRUE(draw.hasPosition);
    EXPECT_EQ(std::tuple(draw.position.x, draw.position.y, draw.position.z), std::tuple(100.0f, 50.0f, 0.25f));
    EXPECT_FLOAT_EQ(draw.topLeft.x, 64 + 100 * 0.5f);  // under the sized draw's half scale

    // One sized in a single direction is drawn unsized as well.
    Object2D flat(100, 50, 512, 0);
    flat.texture = picture;
    device.clearCalls();
    flat.draw();
    ASSERT_EQ(device.calls.size(), 1u);
    EXPECT_TRUE(device.calls[0].hasPosition);
}

TEST_F(Object2DDrawTest, AnEmptyPictureDrawsNothingAndLeavesTheTransform) {
    Object2D empty(64, 32, 512, 384);
    empty.draw();
    Object2D unsizedEmpty;
    unsizedEmpty.draw();
    EXPECT_TRUE(device.calls.empty());
}

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
