#include "platform/Image.h"

#include "support/PictureFiles.h"
#include "support/TempDirectory.h"

#include <gtest/gtest.h>

namespace {

TEST(Image, PngDecodesToItsOwnSizeWithRgbaTexelsFromTheTopRow) {
    TempDirectory dir;
    // 3 × 2: red, green, blue on top; white, half-transparent grey, clear below.
    const Texels texels = {255, 0, 0, 255,   0, 255, 0, 255,     0, 0, 255, 255,
                           255, 255, 255, 255, 128, 128, 128, 128, 0, 0, 0, 0};
    writePng(dir.file("small.png"), 3, 2, texels);

    const std::optional<Image> image = loadImage(dir.file("small.png"));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 3);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(image->rgba, texels);
}

TEST(Image, MissingCutAndNonPngFilesGiveNothing) {
    TempDirectory dir;
    writeTextFile(dir.file("notes.png"), "this is not a picture at all");
    writeTextFile(dir.file("cut.png"), "\x89PNG\r\n\x1a\n");
    // A whole 1 × 1 TGA picture: other formats are refused, however well formed.
    writeTextFile(dir.file("tga.png"), std::string("\0\0\2\0\0\0\0\0\0\0\0\0\1\0\1\0\x20\x08\xff\0\0\xff", 22));
    for (const std::string& path : {dir.file("missing.png"), dir.file("notes.png"), dir.file("cut.png"),
                                    dir.file("tga.png"), dir.path().string()})
        EXPECT_FALSE(loadImage(path)) << path;
}

TEST(Image, PicturesWiderOrTallerThanTheDeviceOrTheGameAllowAreRefused) {
    TempDirectory dir;
    writeFlatPng(dir.file("wide.png"), 5, 2, 0xFFFFFFFFu);
    writeFlatPng(dir.file("tall.png"), 2, 5, 0xFFFFFFFFu);
    writeFlatPng(dir.file("widest.png"), MAX_PICTURE_SIDE, 1, 0xFFFFFFFFu);
    writeFlatPng(dir.file("too-wide.png"), MAX_PICTURE_SIDE + 1, 1, 0xFFFFFFFFu);
    const struct {
        const char* file;
        int maxSide;
        bool loads;
    } cases[] = {{"wide.png", 5, true},    {"wide.png", 4, false},        {"tall.png", 4, false},
                 {"widest.png", 2 * MAX_PICTURE_SIDE, true}, {"too-wide.png", 2 * MAX_PICTURE_SIDE, false}};
    for (const auto& c : cases) EXPECT_EQ(loadImage(dir.file(c.file), c.maxSide).has_value(), c.loads) << c.file << " " << c.maxSide;
}

TEST(Image, ColorKeyClearsOnlyOpaqueMagenta) {
    Image image{4, 1, {255, 0, 255, 255,    // opaque magenta: keyed out
                  255, 0, 255, 254,    // nearly opaque magenta: kept
                  254, 0, 255, 255,    // nearly magenta: kept
                  10, 20, 30, 255}};
    applyColorKey(image, 0xFFFF00FFu);
    const Texels expected = {0, 0, 0, 0, 255, 0, 255, 254, 254, 0, 255, 255, 10, 20, 30, 255};
    EXPECT_EQ(image.rgba, expected);
}

}  // namespace

TEST(Image, SmallerLevelsHalveEachSideDownToOneTexelAveragingTwoByTwoAsTheDriverRounds) {
    // 3 x 2: the odd column is left out of the 1 x 1 level below it.
    const Image image{3, 2, {0, 0, 0, 0, 4, 8, 12, 255, 99, 99, 99, 99,  //
                             2, 2, 2, 2, 6, 8, 10, 255, 99, 99, 99, 99}};
    const std::vector<Texels> levels = makeSmallerLevels(image);
    ASSERT_EQ(levels.size(), 1u);
    EXPECT_EQ(levels[0], (Texels{3, 5, 6, 129}));  // halved across, then down
    EXPECT_EQ(makeSmallerLevels(Image{1024, 1, Texels(4096)}).size(), 10u);
}
