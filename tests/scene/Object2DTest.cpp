#include "scene/Object2D.h"

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

}  // namespace
