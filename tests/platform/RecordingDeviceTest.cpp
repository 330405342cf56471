// What the drawing tests rely on beyond what they check themselves: the
// state it keeps, the sprite's transforms, the text records, the failing
// keyed loads and the multisample answers are checked where they are used.
#include "platform/RecordingDevice.h"

#include "platform/RecordedTexture.h"
#include "platform/Sprite.h"
#include "support/PictureFiles.h"
#include "support/TempDirectory.h"

#include <gtest/gtest.h>

namespace {

using Kind = DeviceCall::Kind;

TEST(RecordingDevice, LoadsTexturesKeyedOrPlainSeesSpriteDrawsAndMeasuresText) {
    TempDirectory dir;
    const std::string magenta = dir.file("magenta.png");
    writeFlatPng(magenta, 8, 4, 0xFF00FFFFu);
    RecordingDevice device;

    const std::unique_ptr<Texture> plain = device.createTextureFromFile(magenta);
    const std::unique_ptr<Texture> keyed = device.createTextureFromFileKeyed(magenta, COLOR_KEY_MAGENTA);
    ASSERT_TRUE(plain && keyed);
    EXPECT_EQ(plain->width(), 8);
    EXPECT_EQ(plain->height(), 4);
    EXPECT_EQ(static_cast<RecordedTexture&>(*plain).image.rgba[3], 255);
    EXPECT_EQ(static_cast<RecordedTexture&>(*keyed).image.rgba[3], 0);
    EXPECT_EQ(device.callsOf(Kind::CreateTexture).back()->texture, keyed.get());

    // A sprite draw covers the picture's own width and height, transformed.
    const std::unique_ptr<Sprite> sprite = device.createSprite();
    sprite->setTransform(matrixMultiply(matrixScaling(0.5f, 0.5f, 1), matrixTranslation(10, 20, 0)));
    sprite->draw(plain.get(), nullptr, 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(device.last(Kind::SpriteDraw)->bottomRight.x, 14);
    EXPECT_FLOAT_EQ(device.last(Kind::SpriteDraw)->bottomRight.y, 22);

    // drawText gives the height of the lines it laid out.
    const std::unique_ptr<Font> font = device.createFont(25, 0, 400, false, "Arial");
    ASSERT_TRUE(font);
    EXPECT_EQ(font->drawText("Hi\nyou", Rect{0, 0, 200, 100}, DT_CENTER, 0xFF00FF00u), 50);
    EXPECT_EQ(font->drawText("", Rect{0, 0, 200, 100}, 0, 0xFFFFFFFFu), 0);
}

}  // namespace
