// The generated pictures: present, 1024 square RGBA, menu pictures opaque,
// messages lettering on a clear frame, the same bytes on every run.
#include "GeneratorRun.h"
#include "platform/Image.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int SIZE = 1024;
const std::vector<std::string> MENU_PICTURES = {"menu", "intro1", "intro2", "intro3", "menuCharacters",
                                                "menuControls"};
const std::vector<std::string> MESSAGE_PICTURES = {"5points", "3points", "2points",   "timesup",  "p1WonSet",
                                                   "p2WonSet", "draw",    "p1WonGame", "p2WonGame"};

// The picture's RGBA texels, blank when it fails to load as 1024 square so
// that the checks after it stay in bounds.
Texels load(const std::string& name) {
    const bool menu = std::find(MENU_PICTURES.begin(), MENU_PICTURES.end(), name) != MENU_PICTURES.end();
    const std::string path =
        std::string(KORV_GAME_DIR) + (menu ? "/Images/Menu/" : "/Images/Interface/") + name + ".png";
    std::optional<Image> image = loadImage(path);
    EXPECT_TRUE(image && image->width == SIZE && image->height == SIZE) << name;
    // The file itself holds 8-bit RGBA, not just decodes to it: the PNG
    // header has the bit depth at byte 24 and the colour type (6) at byte 25.
    const std::string file = readTextFile(path);
    EXPECT_TRUE(file.size() > 25 && file[24] == 8 && file[25] == 6) << name;
    if (!image || image->rgba.size() != std::size_t{SIZE} * SIZE * 4) return Texels(SIZE * SIZE * 4);
    return std::move(image->rgba);
}

}  // namespace

TEST(PicturesTest, everyPictureIs1024SquareRgbaAndMenuPicturesAreOpaque) {
    for (const std::string& name : MENU_PICTURES) {
        const Texels rgba = load(name);
        for (std::size_t i = 3; i < rgba.size(); i += 4)
            ASSERT_EQ(rgba[i], 255) << name << " texel " << i / 4;
    }
}

TEST(PicturesTest, messagesAreSolidLetteringOnTransparencyWithAClearFrame) {
    // A clear frame all round, so the picture has no visible edge over the arena.
    constexpr int FRAME = 24;
    for (const std::string& name : MESSAGE_PICTURES) {
        SCOPED_TRACE(name);
        const Texels rgba = load(name);
        int solid = 0, clear = 0;
        for (int y = 0; y < SIZE; ++y)
            for (int x = 0; x < SIZE; ++x) {
                const unsigned char alpha = rgba[(static_cast<std::size_t>(y) * SIZE + x) * 4 + 3];
                if (x < FRAME || y < FRAME || x >= SIZE - FRAME || y >= SIZE - FRAME) {
                    ASSERT_EQ(alpha, 0) << x << "," << y;
                }
                solid += alpha == 255;
                clear += alpha < 40;
            }
        EXPECT_GT(solid, SIZE * SIZE / 20);
        EXPECT_GT(clear, SIZE * SIZE / 2);
    }
}

TEST(PicturesTest, generatorWritesTheSameBytesOnEveryRun) {
    EXPECT_EQ(expectGeneratorRepeatsTheRunFolder("korv_gen_pictures"),
              static_cast<int>(MENU_PICTURES.size() + MESSAGE_PICTURES.size()));
}
