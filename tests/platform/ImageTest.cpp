#include "platform/Image.h"

#include "support/PictureFiles.h"
#include "support/TempDirectory.h"

#include <gtest/gtest.h>

namespace {

TEST(Image, PngDecodesToItsOwnSizeWithRgbaTexelsFromTheTopRow) {
    TempDirectory dir;
    // 3 × 2: red, green, blue on top; white, half-transparent grey, clear below.
    const std::vector<std::uint8_t> texels = {255, 0, 0, 255,   0, 255, 0, 255,     0, 0, 255, 255,
                                              255, 255, 255, 255, 128, 128, 128, 128, 0, 0, 0, 0};
    writePng(dir.file("small.png"), 3, 2, texels);

    const std::optional<Image> image = loadImage(dir.file("small.png"));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(image->rgba, texels);
}

TEST(Image, MissingCutAndNonPictureFilesGiveNothing) {
    TempDirectory dir;
    writeTextFile(dir.file("notes.png"), "this is not a picture at all");
    writeTextFile(dir.file("cut.png"), "\x89PNG\r\n\x1a\n");
    for (const std::string& path : {dir.file("missing.png"), dir.file("notes.png"), dir.file("cut.png"), dir.path().string()})
        EXPECT_FALSE(loadImage(path)) << path;
}

TEST(Image, ColorKeyClearsOnlyOpaqueMagenta) {
    Image image{4, 1, {255, 0, 255, 255,    // opaque magenta: keyed out
                  255, 0, 255, 254,    // nearly opaque magenta: kept
                  254, 0, 255, 255,    // nearly magenta: kept
                  10, 20, 30, 255}};
    applyColorKey(image, 0xFFFF00FFu);
    const std::vector<std::uint8_t> expected = {0, 0, 0, 0, 255, 0, 255, 254, 254, 0, 255, 255, 10, 20, 30, 255};
    EXPECT_EQ(image.rgba, expected);
}

}  // namespace
