#include "scene/Object2D.h"

#include "assets/TextureManager.h"
#include "support/PictureFiles.h"
#include "support/RecordingGraphics.h"
#include "support/TempDirectory.h"

#include <gtest/gtest.h>

namespace {

using Kind = DeviceCall::Kind;

TEST(Object2D, UpdateMovesByVelocityPerHalfSecondEvenBackward) {
    installRecordingDevice();
    Object2D picture(10, 20, 0, 0);
    picture.velocityX = 2;
    picture.velocityY = -4;
    picture.update(250);
    EXPECT_DOUBLE_EQ(picture.x, 11);
    EXPECT_DOUBLE_EQ(picture.y, 18);
    picture.update(-500);
    EXPECT_DOUBLE_EQ(picture.x, 9);
    EXPECT_DOUBLE_EQ(picture.y, 22);
    EXPECT_DOUBLE_EQ(picture.z, 0);
}

struct Object2DDrawTest : ::testing::Test {
    RecordingDevice& device = installRecordingDevice();
    TempDirectory dir;
    Texture* picture = nullptr;

    Object2DDrawTest() {
        writeFlatPng(dir.file("menu.png"), 1024, 1024, 0x808080FFu);
        picture = TextureManager::instance().loadTexture("menu", dir.file("menu.png"));
        device.clearCalls();
    }
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
    EXPECT_EQ(draw.texture, picture);
    EXPECT_FALSE(draw.hasPosition);
    EXPECT_EQ(draw.color, 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(draw.topLeft.x, 64);
    EXPECT_FLOAT_EQ(draw.topLeft.y, 32);
    EXPECT_FLOAT_EQ(draw.bottomRight.x, 576);
    EXPECT_FLOAT_EQ(draw.bottomRight.y, 416);
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
    EXPECT_FLOAT_EQ(draw.position.x, 100);
    EXPECT_FLOAT_EQ(draw.position.y, 50);
    EXPECT_FLOAT_EQ(draw.position.z, 0.25f);
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

}  // namespace
