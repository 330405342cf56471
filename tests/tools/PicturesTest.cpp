// The generated pictures: present, the right size, quiet where the game
// writes its own text, transparent around the messages, the same bytes on
// every run.
#include "GeneratorRun.h"
#include "platform/Image.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int SIZE = 1024;
const std::vector<std::string> MENU_PICTURES = {"menu", "intro1", "intro2", "intro3", "menuCharacters"};
const std::vector<std::string> MESSAGE_PICTURES = {"5points", "3points", "2points",   "timesup",  "p1WonSet",
                                                   "p2WonSet", "draw",    "p1WonGame", "p2WonGame"};
// Every screen size the options page offers.
constexpr std::array<std::array<int, 2>, 8> RESOLUTIONS = {
    {{640, 480}, {800, 600}, {1024, 768}, {1280, 800}, {1280, 960}, {1280, 1024}, {1600, 1200}, {1680, 1050}}};

using Texel = const unsigned char*;

struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgba;

    Texel at(int x, int y) const { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
};

Picture load(const std::string& name)
{
    const bool menu = std::find(MENU_PICTURES.begin(), MENU_PICTURES.end(), name) != MENU_PICTURES.end();
    const std::string path =
        std::string(KORV_GAME_DIR) + (menu ? "/Images/Menu/" : "/Images/Interface/") + name + ".png";
    Picture p;
    if (std::optional<Image> image = loadImage(path)) {
        p.width = image->width;
        p.height = image->height;
        p.rgba = std::move(image->rgba);
    }
    EXPECT_EQ(p.width, SIZE) << name;
    EXPECT_EQ(p.height, SIZE) << name;
    // The file itself holds 8-bit RGBA, not just decodes to it: the PNG
    // header has the bit depth at byte 24 and the colour type (6) at byte 25.
    const std::string file = fileBytes(path);
    EXPECT_TRUE(file.size() > 25 && file[24] == 8 && file[25] == 6) << name;
    if (p.rgba.size() != std::size_t{SIZE} * SIZE * 4) {  // failed above; blank, so later checks stay in bounds
        p = Picture{SIZE, SIZE, std::vector<unsigned char>(std::size_t{SIZE} * SIZE * 4)};
    }
    return p;
}

// Relative luminance of an sRGB colour, as contrast ratios are defined.
double luminance(Texel c)
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
    const double mean = sum / n;
    s.spread = std::sqrt(std::max(0.0, sum2 / n - mean * mean));
    return s;
}

// How many texels of an area are of one kind of colour.
int countOver(const Picture& p, const Area& a, bool (*kind)(Texel))
{
    int count = 0;
    for (int y = static_cast<int>(a.y0 * p.height); y < static_cast<int>(a.y1 * p.height); ++y)
        for (int x = static_cast<int>(a.x0 * p.width); x < static_cast<int>(a.x1 * p.width); ++x)
            count += kind(p.at(x, y));
    return count;
}

// Player 1's orange-red and player 2's cyan; gold (the logo, the goals) and
// violet (the middle of the backdrop) count as neither.
bool orange(Texel c) { return c[0] > 150 && c[1] < 0.65 * c[0] && c[2] < 0.4 * c[0]; }
bool cyan(Texel c) { return c[2] > 150 && c[1] > 0.6 * c[2] && c[0] < 0.4 * c[2]; }
bool gold(Texel c) { return c[0] > 150 && c[1] > c[2] + 80; }
bool violet(Texel c) { return c[2] > 150 && c[2] > c[1] + 80; }

} // namespace

TEST(PicturesTest, everyPictureIs1024SquareRgbaAndMenuPicturesAreOpaque)
{
    for (const std::string& name : MESSAGE_PICTURES)
        load(name);
    for (const std::string& name : MENU_PICTURES) {
        const Picture p = load(name);
        for (std::size_t i = 3; i < p.rgba.size(); i += 4)
            ASSERT_EQ(p.rgba[i], 255) << name << " texel " << i / 4;
    }
}

TEST(PicturesTest, bandsUnderTheMenuTextAreDarkAndCalmForRedAndWhiteText)
{
    // Title at 25 % to 31.7 % of the height, items from a third downward
    // (four rows end at 61 %, the About text at 75 %), the characters page's
    // "Go Back" at 70 % to 75 %, all in the middle two thirds.
    const Area title{1.0 / 6, 0.25, 5.0 / 6, 0.317}, items{1.0 / 6, 1.0 / 3, 5.0 / 6, 0.75},
        goBack{1.0 / 6, 0.70, 5.0 / 6, 0.75};
    const struct {
        const char* picture;
        Area band;
    } bands[] = {{"menu", title}, {"menuCharacters", title}, {"menu", items}, {"menuCharacters", goBack}};
    for (const auto& [name, band] : bands) {
        SCOPED_TRACE(std::string(name) + " from " + std::to_string(band.y0));
        const Picture p = load(name);
        const Stats red = measure(p, band, RED);
        EXPECT_GE(red.worstContrast, 4.5);
        EXPECT_GE(measure(p, band, WHITE).worstContrast, 12.0);
        EXPECT_LT(red.spread, 0.01);
    }
}

TEST(PicturesTest, charactersPageKeepsMarkerLanesClearAtEveryScreenSize)
{
    const Picture p = load("menuCharacters");
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
            const Area p1{p1Left / w, top / h, (p1Left + markerWidth) / w, (top + s) / h};
            const Area p2{(p2Right - markerWidth) / w, top / h, p2Right / w, (top + s) / h};
            for (const Stats& lane : {measure(p, p1, RED), measure(p, p2, BLUE)}) {
                EXPECT_GE(lane.worstContrast, 3.0);
                EXPECT_LT(lane.spread, 0.02);
            }
        }
    }
}

TEST(PicturesTest, messagesAreLetteringOnTransparencyInEachPlayersColour)
{
    // A clear frame all round, so the picture has no visible edge over the arena.
    constexpr int FRAME = 24;
    for (const std::string& name : MESSAGE_PICTURES) {
        SCOPED_TRACE(name);
        const Picture p = load(name);
        // Solid lettering, yet most of the picture lets the match show through.
        int solid = 0, clear = 0;
        double warm = 0, cool = 0;
        for (int y = 0; y < SIZE; ++y)
            for (int x = 0; x < SIZE; ++x) {
                const Texel c = p.at(x, y);
                if (x < FRAME || y < FRAME || x >= SIZE - FRAME || y >= SIZE - FRAME) {
                    ASSERT_EQ(c[3], 0) << x << "," << y;
                }
                solid += c[3] == 255;
                clear += c[3] < 40;
                if (c[3] == 255 && std::max({c[0], c[1], c[2]}) >= 128) {
                    warm += std::max(0, c[0] - c[2]);
                    cool += std::max(0, c[2] - c[0]);
                }
            }
        EXPECT_GT(solid, SIZE * SIZE / 20);
        EXPECT_GT(clear, SIZE * SIZE / 2);
        if (name.starts_with("p1")) {
            EXPECT_GT(warm, 1.5 * cool);
        } else if (name.starts_with("p2")) {
            EXPECT_GT(cool, 1.5 * warm);
        }
    }
}

TEST(PicturesTest, playerOneIsOrangeOnTheLeftAndPlayerTwoCyanOnTheRight)
{
    // Player 1 plays on the left half of the screen, player 2 on the right.
    const Area left{0.0, 0.0, 0.5, 1.0}, right{0.5, 0.0, 1.0, 1.0};
    for (const std::string& name : MENU_PICTURES) {
        SCOPED_TRACE(name);
        const Picture p = load(name);
        EXPECT_GT(countOver(p, left, orange), 3 * countOver(p, right, orange) + 1000);
        EXPECT_GT(countOver(p, right, cyan), 3 * countOver(p, left, cyan) + 1000);
    }
}

TEST(PicturesTest, charactersRowsEachShowADifferentRobotBesideTheMarkers)
{
    const Picture p = load("menuCharacters");
    // The small robot's row is lit in gold, the big robot's in violet.
    const std::array<bool (*)(Texel), 2> lights[] = {{gold, violet}, {violet, gold}};
    for (int row = 0; row < 2; ++row) {
        SCOPED_TRACE(row + 1);
        const double top = 0.40 + 0.15 * row;
        // The portrait left of the lanes: a drawn figure, not a plain panel.
        EXPECT_GT(measure(p, {0.03, top - 0.04, 0.22, top + 0.09}, WHITE).spread, 0.08);
        const Area stats{0.78, top - 0.04, 0.98, top + 0.09};
        const int own = countOver(p, stats, lights[row][0]);
        EXPECT_GT(own, 1000);
        EXPECT_LT(countOver(p, stats, lights[row][1]), own / 10);
    }
}

TEST(PicturesTest, generatorWritesTheSameBytesOnEveryRun)
{
    EXPECT_EQ(expectGeneratorRepeatsTheRunFolder("korv_gen_pictures"),
              static_cast<int>(MENU_PICTURES.size() + MESSAGE_PICTURES.size()));
}
