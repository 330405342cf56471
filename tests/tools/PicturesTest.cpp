// The generated pictures: present, the right size, quiet where the game
// writes its own text, transparent around the messages, the same bytes on
// every run.
#include "platform/Image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int SIZE = 1024;
const std::vector<std::string> MENU_PICTURES = {"menu", "intro1", "intro2", "intro3", "menuCharacters"};
const std::vector<std::string> MESSAGE_PICTURES = {"5points", "3points", "2points",   "timesup",  "p1WonSet",
                                                   "p2WonSet", "draw",    "p1WonGame", "p2WonGame"};
// Every screen size the options page offers.
constexpr std::array<std::array<int, 2>, 8> RESOLUTIONS = {
    {{640, 480}, {800, 600}, {1024, 768}, {1280, 800}, {1280, 960}, {1280, 1024}, {1600, 1200}, {1680, 1050}}};

struct Picture {
    int width = 0, height = 0;
    bool storedAsRgba8 = false;  // the file itself holds 8-bit RGBA, not just decodes to it
    std::vector<unsigned char> rgba;

    const unsigned char* at(int x, int y) const { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
};

std::string pathOf(const std::string& name)
{
    const bool menu = std::find(MENU_PICTURES.begin(), MENU_PICTURES.end(), name) != MENU_PICTURES.end();
    return std::string(KORV_GAME_DIR) + (menu ? "/Images/Menu/" : "/Images/Interface/") + name + ".png";
}

std::string readAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Picture load(const std::string& path)
{
    Picture p;
    if (std::optional<Image> image = loadImage(path)) {
        p.width = image->width;
        p.height = image->height;
        p.rgba = std::move(image->rgba);
    }
    // The PNG header: bit depth at byte 24, colour type at byte 25 (6 is RGBA).
    const std::string file = readAll(path);
    p.storedAsRgba8 = file.size() > 25 && file[24] == 8 && file[25] == 6;
    return p;
}

// Relative luminance of an sRGB colour, as contrast ratios are defined.
double luminance(const unsigned char* c)
{
    auto lin = [](unsigned char v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(c[0]) + 0.7152 * lin(c[1]) + 0.0722 * lin(c[2]);
}

double contrast(double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); }

const double RED = 0.2126;   // the game's red text (255, 0, 0)
const double BLUE = 0.0722;  // the characters page's "P2" (0, 0, 255)
const double WHITE = 1.0;

// A screen rectangle in fractions of the picture, which the game stretches over the screen.
struct Area {
    double x0, y0, x1, y1;
};

struct Stats {
    double worstContrast = 1e9;
    double meanLuminance = 0;
    double spread = 0;  // standard deviation of the luminance
};

Stats measure(const Picture& p, const Area& a, double textLuminance)
{
    Stats s;
    double sum = 0, sum2 = 0;
    int n = 0;
    for (int y = static_cast<int>(a.y0 * p.height); y < static_cast<int>(std::ceil(a.y1 * p.height)); ++y)
        for (int x = static_cast<int>(a.x0 * p.width); x < static_cast<int>(std::ceil(a.x1 * p.width)); ++x) {
            const double l = luminance(p.at(x, y));
            s.worstContrast = std::min(s.worstContrast, contrast(l, textLuminance));
            sum += l;
            sum2 += l * l;
            ++n;
        }
    s.meanLuminance = sum / n;
    s.spread = std::sqrt(std::max(0.0, sum2 / n - s.meanLuminance * s.meanLuminance));
    return s;
}

} // namespace

TEST(PicturesTest, everyPictureIs1024SquareRgbaAndMenuPicturesAreOpaque)
{
    for (const auto& names : {MENU_PICTURES, MESSAGE_PICTURES})
        for (const std::string& name : names) {
            SCOPED_TRACE(name);
            const Picture p = load(pathOf(name));
            ASSERT_EQ(p.width, SIZE);
            ASSERT_EQ(p.height, SIZE);
            EXPECT_TRUE(p.storedAsRgba8);
            const bool menu = names == MENU_PICTURES;
            if (menu) {
                for (std::size_t i = 3; i < p.rgba.size(); i += 4)
                    ASSERT_EQ(p.rgba[i], 255) << "texel " << i / 4;
            }
        }
}

TEST(PicturesTest, menuTitleAndItemBandIsDarkAndCalmForRedAndWhiteText)
{
    // Title at 25 % to 31.7 % of the height, items from a third downward
    // (four rows end at 61 %, the About text at 75 %), in the middle two thirds.
    for (const char* name : {"menu", "menuCharacters"}) {
        SCOPED_TRACE(name);
        const Picture p = load(pathOf(name));
        ASSERT_EQ(p.width, SIZE);
        const Area title{1.0 / 6, 0.25, 5.0 / 6, 0.317};
        const Stats t = measure(p, title, RED);
        EXPECT_GE(t.worstContrast, 4.5);
        EXPECT_GE(measure(p, title, WHITE).worstContrast, 12.0);
        EXPECT_LT(t.spread, 0.01);
    }
    const Picture menu = load(pathOf("menu"));
    const Area items{1.0 / 6, 1.0 / 3, 5.0 / 6, 0.75};
    const Stats s = measure(menu, items, RED);
    EXPECT_GE(s.worstContrast, 4.5);
    EXPECT_GE(measure(menu, items, WHITE).worstContrast, 12.0);
    EXPECT_LT(s.spread, 0.01);
}

TEST(PicturesTest, charactersPageKeepsMarkerLanesAndGoBackClear)
{
    const Picture p = load(pathOf("menuCharacters"));
    ASSERT_EQ(p.width, SIZE);
    for (const auto& [w, h] : RESOLUTIONS) {
        const int s = h / 20;
        // "P1" starts at W/2 - W/3 + 150, "P2" ends at W/3 + W/2 - 150; two
        // letters of a font s pixels high are at most 1.15 s wide.
        const double p1Left = static_cast<int>(w / 2 - w / 3.0 + 150);
        const double p2Right = static_cast<int>(w / 3.0 + 0.5 * w - 150);
        const double markerWidth = 1.15 * s;
        for (int row = 0; row < 2; ++row) {
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + " row " + std::to_string(row + 1));
            const double top = static_cast<int>(3 * row * s + h / 2.5);
            const Area band1{p1Left / w, top / h, (p1Left + markerWidth) / w, (top + s) / h};
            const Area band2{(p2Right - markerWidth) / w, top / h, p2Right / w, (top + s) / h};
            const Stats m1 = measure(p, band1, RED);
            const Stats m2 = measure(p, band2, BLUE);
            EXPECT_GE(m1.worstContrast, 3.0);
            EXPECT_GE(m2.worstContrast, 3.0);
            EXPECT_LT(m1.spread, 0.02);
            EXPECT_LT(m2.spread, 0.02);
        }
    }
    const Area goBack{1.0 / 6, 0.70, 5.0 / 6, 0.75};
    const Stats g = measure(p, goBack, WHITE);
    EXPECT_GE(g.worstContrast, 12.0);
    EXPECT_LT(g.spread, 0.01);
}

TEST(PicturesTest, messagesAreLetteringOnTransparencyInEachPlayersColour)
{
    for (const std::string& name : MESSAGE_PICTURES) {
        SCOPED_TRACE(name);
        const Picture p = load(pathOf(name));
        ASSERT_EQ(p.width, SIZE);
        // A clear frame all round, so the picture has no visible edge over the arena.
        constexpr int FRAME = 24;
        for (int y = 0; y < SIZE; ++y)
            for (int x = 0; x < SIZE; ++x)
                if (x < FRAME || y < FRAME || x >= SIZE - FRAME || y >= SIZE - FRAME) {
                    ASSERT_EQ(p.at(x, y)[3], 0) << x << "," << y;
                }
        // Solid lettering, yet most of the picture lets the match show through.
        int solid = 0, clear = 0;
        double warm = 0, cool = 0;
        for (int y = 0; y < SIZE; ++y)
            for (int x = 0; x < SIZE; ++x) {
                const unsigned char* c = p.at(x, y);
                solid += c[3] == 255;
                clear += c[3] < 40;
                if (c[3] == 255 && std::max({c[0], c[1], c[2]}) >= 128) {
                    warm += std::max(0, c[0] - c[2]);
                    cool += std::max(0, c[2] - c[0]);
                }
            }
        EXPECT_GT(solid, SIZE * SIZE / 20);
        EXPECT_GT(clear, SIZE * SIZE / 2);
        if (name.rfind("p1", 0) == 0) {
            EXPECT_GT(warm, 1.5 * cool);
        }
        if (name.rfind("p2", 0) == 0) {
            EXPECT_GT(cool, 1.5 * warm);
        }
    }
}

TEST(PicturesTest, generatorWritesTheSameBytesOnEveryRun)
{
    const fs::path generator = fs::path(KORV_GAME_DIR).parent_path() / "tools" / "korv_gen_pictures";
    ASSERT_TRUE(fs::exists(generator));
    const fs::path base = fs::temp_directory_path() / ("korv_pictures_" + std::to_string(::getpid()));
    const fs::path first = base / "a", second = base / "b";
    for (const fs::path& dir : {first, second}) {
        fs::create_directories(dir);
        ASSERT_EQ(std::system((generator.string() + " " + dir.string()).c_str()), 0);
    }
    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(first)) {
        if (!entry.is_regular_file())
            continue;
        const fs::path relative = fs::relative(entry.path(), first);
        SCOPED_TRACE(relative.string());
        const std::string a = readAll(entry.path());
        EXPECT_EQ(a, readAll(second / relative));
        EXPECT_EQ(a, readAll(fs::path(KORV_GAME_DIR) / relative));
        ++compared;
    }
    EXPECT_EQ(compared, static_cast<int>(MENU_PICTURES.size() + MESSAGE_PICTURES.size()));
    fs::remove_all(base);
}

namespace {

// How strongly a texel shows player 1's orange-red or player 2's cyan.
// Gold (the logo, the goals) and violet (the middle of the backdrop) count as neither.
double orangeness(const unsigned char* c) { return c[0] > 150 && c[1] < 0.65 * c[0] && c[2] < 0.4 * c[0]; }
double cyanness(const unsigned char* c) { return c[2] > 150 && c[1] > 0.6 * c[2] && c[0] < 0.4 * c[2]; }

double sumOver(const Picture& p, const Area& a, double (*measure)(const unsigned char*))
{
    double sum = 0;
    for (int y = static_cast<int>(a.y0 * p.height); y < static_cast<int>(a.y1 * p.height); ++y)
        for (int x = static_cast<int>(a.x0 * p.width); x < static_cast<int>(a.x1 * p.width); ++x)
            sum += measure(p.at(x, y));
    return sum;
}

} // namespace

TEST(PicturesTest, playerOneIsOrangeOnTheLeftAndPlayerTwoCyanOnTheRight)
{
    // Player 1 plays on the left half of the screen, player 2 on the right.
    const Area left{0.0, 0.0, 0.5, 1.0}, right{0.5, 0.0, 1.0, 1.0};
    for (const char* name : {"menu", "menuCharacters", "intro1", "intro2", "intro3"}) {
        SCOPED_TRACE(name);
        const Picture p = load(pathOf(name));
        ASSERT_EQ(p.width, SIZE);
        EXPECT_GT(sumOver(p, left, orangeness), 3 * sumOver(p, right, orangeness) + 1000);
        EXPECT_GT(sumOver(p, right, cyanness), 3 * sumOver(p, left, cyanness) + 1000);
    }
}

TEST(PicturesTest, charactersRowsEachShowADifferentRobotBesideTheMarkers)
{
    const Picture p = load(pathOf("menuCharacters"));
    ASSERT_EQ(p.width, SIZE);
    // The portrait left of the lanes: a drawn figure, not a plain panel.
    std::array<std::array<int, 2>, 2> lit{};  // gold and violet texels per row
    for (int row = 0; row < 2; ++row) {
        SCOPED_TRACE(row + 1);
        const double top = 0.40 + 0.15 * row;
        const Area portrait{0.03, top - 0.04, 0.22, top + 0.09};
        EXPECT_GT(measure(p, portrait, WHITE).spread, 0.08);
        const Area stats{0.78, top - 0.04, 0.98, top + 0.09};
        for (int y = static_cast<int>(stats.y0 * SIZE); y < static_cast<int>(stats.y1 * SIZE); ++y)
            for (int x = static_cast<int>(stats.x0 * SIZE); x < static_cast<int>(stats.x1 * SIZE); ++x)
            {
                const unsigned char* c = p.at(x, y);
                lit[row][0] += c[0] > 150 && c[1] > c[2] + 80;
                lit[row][1] += c[2] > 150 && c[2] > c[1] + 80;
            }
    }
    // The small robot's row is lit in gold, the big robot's in violet.
    EXPECT_GT(lit[0][0], 1000);
    EXPECT_LT(lit[0][1], lit[0][0] / 10);
    EXPECT_GT(lit[1][1], 1000);
    EXPECT_LT(lit[1][0], lit[1][1] / 10);
}
