#include "platform/RecordingDevice.h"

#include "platform/RecordedTexture.h"

#include "support/PictureFiles.h"
#include "support/TempDirectory.h"

#include <gtest/gtest.h>

namespace {

using Kind = DeviceCall::Kind;

TEST(RecordingDevice, TexturesComeFromTheirFilesAndFailuresAreRecorded) {
    TempDirectory dir;
    writeFlatPng(dir.file("magenta.png"), 8, 4, 0xFF00FFFFu);
    RecordingDevice device;

    EXPECT_FALSE(device.createTextureFromFile(dir.file("missing.png")));
    const std::unique_ptr<Texture> plain = device.createTextureFromFile(dir.file("magenta.png"));
    const std::unique_ptr<Texture> keyed = device.createTextureFromFileKeyed(dir.file("magenta.png"), COLOR_KEY_MAGENTA);
    ASSERT_TRUE(plain && keyed);
    EXPECT_EQ(plain->width(), 8);
    EXPECT_EQ(plain->height(), 4);
    EXPECT_EQ(static_cast<RecordedTexture&>(*plain).image.rgba[3], 255);
    EXPECT_EQ(static_cast<RecordedTexture&>(*keyed).image.rgba[3], 0);

    const std::vector<const DeviceCall*> loads = device.callsOf(Kind::CreateTexture);
    ASSERT_EQ(loads.size(), 3u);
    EXPECT_FALSE(loads[0]->succeeded);
    EXPECT_TRUE(loads[1]->succeeded && !loads[1]->keyed);
    EXPECT_TRUE(loads[2]->succeeded && loads[2]->keyed);
    EXPECT_EQ(loads[2]->texture, keyed.get());

    device.keyedTexturesFail = true;
    EXPECT_FALSE(device.createTextureFromFileKeyed(dir.file("magenta.png"), COLOR_KEY_MAGENTA));
    EXPECT_TRUE(device.createTextureFromFile(dir.file("magenta.png")));
}

TEST(RecordingDevice, DrawsCarryTheStateTheyWereMadeUnder) {
    TempDirectory dir;
    writeFlatPng(dir.file("pic.png"), 1024, 512, 0xFFFFFFFFu);
    RecordingDevice device;
    const std::unique_ptr<Texture> picture = device.createTextureFromFile(dir.file("pic.png"));
    const std::unique_ptr<Sprite> sprite = device.createSprite();
    device.clearCalls();

    // A halved picture moved to (10, 20), then an untransformed draw at
    // (4, 6) under the same transform.
    sprite->begin(0);
    sprite->setTransform(matrixMultiply(matrixScaling(0.5f, 0.5f, 1), matrixTranslation(10, 20, 0)));
    sprite->draw(picture.get(), nullptr, 0x80FFFFFFu);
    const Vector3 at{4, 6, 0};
    sprite->draw(picture.get(), &at, 0xFFFFFFFFu);
    sprite->end();

    const std::vector<const DeviceCall*> draws = device.callsOf(Kind::SpriteDraw);
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0]->color, 0x80FFFFFFu);
    EXPECT_FLOAT_EQ(draws[0]->topLeft.x, 10);
    EXPECT_FLOAT_EQ(draws[0]->topLeft.y, 20);
    EXPECT_FLOAT_EQ(draws[0]->bottomRight.x, 522);
    EXPECT_FLOAT_EQ(draws[0]->bottomRight.y, 276);
    EXPECT_TRUE(draws[1]->hasPosition);
    EXPECT_FLOAT_EQ(draws[1]->topLeft.x, 12);
    EXPECT_FLOAT_EQ(draws[1]->topLeft.y, 23);
    EXPECT_EQ(device.calls.front().kind, Kind::SpriteBegin);
    EXPECT_EQ(device.calls.back().kind, Kind::SpriteEnd);

    // Transforms, materials and textures are state that later draws see.
    Material red;
    red.diffuse = {1, 0, 0, 1};
    device.setTransform(TransformKind::World, matrixTranslation(1, 2, 3));
    device.setMaterial(red);
    device.setTexture(0, picture.get());
    EXPECT_FLOAT_EQ(device.world.m[3][2], 3);
    EXPECT_EQ(device.stage0Texture, picture.get());
    EXPECT_FLOAT_EQ(device.last(Kind::Material)->material.diffuse.r, 1);
    EXPECT_TRUE(device.checkMultisample(0) && device.checkMultisample(1) && device.checkMultisample(4));
    EXPECT_FALSE(device.checkMultisample(8) || device.checkMultisample(17) || device.checkMultisample(-2));
}

TEST(RecordingDevice, TextIsRecordedWithItsLaidOutGlyphs) {
    RecordingDevice device;
    const std::unique_ptr<Font> font = device.createFont(25, 0, 400, false, "Arial");
    ASSERT_TRUE(font);
    EXPECT_EQ(font->drawText("Hi\nyou", Rect{0, 0, 200, 100}, DT_CENTER, 0xFF00FF00u), 50);
    EXPECT_EQ(font->drawText("", Rect{0, 0, 200, 100}, 0, 0xFFFFFFFFu), 0);

    const std::vector<const DeviceCall*> texts = device.callsOf(Kind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0]->font, font.get());
    EXPECT_EQ(texts[0]->text, "Hi\nyou");
    EXPECT_EQ(texts[0]->format, DT_CENTER);
    EXPECT_EQ(texts[0]->color, 0xFF00FF00u);
    EXPECT_EQ(texts[0]->rect.right, 200);
    EXPECT_EQ(texts[0]->glyphs.size(), 5u);
    EXPECT_TRUE(texts[1]->glyphs.empty());
}

}  // namespace
