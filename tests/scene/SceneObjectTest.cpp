#include "scene/Object2D.h"
#include "scene/Object3D.h"

#include "assets/MeshManager.h"
#include "assets/TextureManager.h"
#include "support/PictureFiles.h"
#include "support/RecordingGraphics.h"
#include "support/TempDirectory.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace {

using Kind = DeviceCall::Kind;

TEST(Object2DDrawTest, ASizedPictureCoversItsRectangleAndUnsizedOnesDrawUnderItsTransform) {
    RecordingDevice& device = installRecordingDevice();
    TempDirectory dir;
    writeFlatPng(dir.file("menu.png"), 1024, 1024, 0x808080FFu);
    Texture* picture = TextureManager::instance().loadTexture("menu", dir.file("menu.png"));
    // Without a picture nothing is drawn, sized or not.
    Object2D sized(64, 32, 512, 384), unsized;
    device.clearCalls();
    sized.draw();
    unsized.draw();
    EXPECT_TRUE(device.calls.empty());

    sized.texture = picture;
    sized.draw();
    ASSERT_EQ(device.calls.size(), 2u);
    ASSERT_EQ(device.calls[0].kind, Kind::SpriteTransform);
    // The corners are where the transform set puts the 1024 × 1024 picture.
    const DeviceCall& draw = device.calls[1];
    EXPECT_EQ(std::tuple(draw.kind, draw.texture, draw.hasPosition, draw.color),
              std::tuple(Kind::SpriteDraw, picture, false, 0xFFFFFFFFu));
    EXPECT_EQ(std::tuple(draw.topLeft.x, draw.topLeft.y, draw.bottomRight.x, draw.bottomRight.y),
              std::tuple(64.0f, 32.0f, 576.0f, 416.0f));

    // Unsized, or sized in one direction only: at its own place under the sized draw's half scale.
    Object2D flat(100, 50, 512, 0);
    std::tie(unsized.x, unsized.y) = std::tuple(100, 50);
    for (Object2D* object : {&unsized, &flat}) {
        std::tie(object->texture, object->z) = std::tuple(picture, 0.25);
        device.clearCalls();
        object->draw();
        ASSERT_EQ(device.calls.size(), 1u);
        const DeviceCall& at = device.calls[0];
        EXPECT_EQ(std::tuple(at.kind, at.hasPosition, at.position.x, at.position.y, at.position.z, at.topLeft.x),
                  std::tuple(Kind::SpriteDraw, true, 100.0f, 50.0f, 0.25f, 64 + 100 * 0.5f));
    }
}

void expectPoint(const Vector3& p, float x, float y, float z) {
    EXPECT_THAT((std::array{p.x, p.y, p.z}), testing::Pointwise(testing::FloatNear(1e-5f), std::array{x, y, z}));
}

TEST(Object3D, DrawTurnsAboutYThenXThenZScalesAlongTheWorldAxesThenMovesAndAnEmptyMeshDrawsNothing) {
    // The tilt the disc and robot parts use lays the model's up (+y) along
    // the world's up (+z); a yaw, applied first, still turns about that up.
    const Matrix yawed = rotationMatrix(90, 90, 90);
    expectPoint(transformCoord({0, 1, 0}, yawed), 0, 0, 1);
    // Worked out by hand: the yaw, then x, then z, each a quarter turn.
    expectPoint(transformCoord({1, 0, 0}, yawed), -1, 0, 0);
    expectPoint(transformCoord({0, 0, 1}, yawed), 0, 1, 0);

    RecordingDevice& device = installRecordingDevice();
    device.setTransform(TransformKind::World, matrixTranslation(7, 8, 9));
    device.clearCalls();
    Object3D arena(1, 2, 3, 2.2, 1.5, 1.5, 90, 90, 0, 0, 0, 0);
    arena.draw();
    EXPECT_TRUE(device.calls.empty());
    EXPECT_FLOAT_EQ(device.world.m[3][0], 7);

    TempDirectory dir;
    writeTextFile(dir.file("tri.x"), "xof 0302txt 0032\nMesh { 3; 0.0;0.0;0.0;, 0.0;1.0;0.0;, 1.0;0.0;0.0;; 1; 3;0,1,2;; }\n");
    arena.mesh = MeshManager::instance().loadMesh("arena", dir.file("tri.x"));
    arena.draw();
    ASSERT_EQ(device.count(DeviceCall::Kind::DrawSubset), 1u);
    // The model's +x turns onto the world's +y, so it is stretched by the
    // y scale (1.5), not by the x scale it had along the model's own axis.
    expectPoint(transformCoord({1, 0, 0}, device.world), 1, 3.5f, 3);
    expectPoint(transformCoord({0, 0, 0}, device.world), 1, 2, 3);
}

}  // namespace
