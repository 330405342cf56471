#include "Artwork.h"
#include "Palette.h"
#include "Pictures.h"

#include <cmath>
#include <string>

using namespace palette;

namespace {

// Where the game writes its own text over the menu pictures, as fractions
// of the screen: the title band, and the items below it in the middle two
// thirds of the width.
constexpr float TEXT_LEFT = 1.0f / 6.0f;
constexpr float TEXT_RIGHT = 5.0f / 6.0f;
constexpr float TITLE_TOP = 0.25f;
constexpr float MENU_HORIZON = 0.82f;

// The characters page: row bands and the lanes where "P1" (left of the
// centre) and "P2" (right of it) appear at every resolution from 640 to 1920 wide.
constexpr float ROW_TOP[2] = {0.40f, 0.55f};
constexpr float ROW_HEIGHT = 0.05f;
constexpr float CARD_HALF_HEIGHT = 0.0725f;
constexpr float P1_LANE[2] = {0.232f, 0.46f};
constexpr float P2_LANE[2] = {0.54f, 0.768f};
constexpr float LANE_ROUNDING = 12.0f;

void drawTitleBackdrop(Canvas& canvas, const Lettering& lettering, float horizon, bool chevrons)
{
    drawBackdrop(canvas, atY(horizon), chevrons);
    drawLogo(canvas, lettering, atX(0.5f), atY(0.165f), 118.0f);
}

void drawMenu(Canvas& canvas, const Lettering& lettering)
{
    drawTitleBackdrop(canvas, lettering, MENU_HORIZON, true);
    drawCalmPanel(canvas, atX(TEXT_LEFT - 0.005f), atY(TITLE_TOP - 0.025f), atX(TEXT_RIGHT + 0.005f), atY(0.79f));
}

// The controls page lists two players' controls in three columns: no logo,
// and a panel over nearly the whole picture.
void drawMenuControls(Canvas& canvas, const Lettering&)
{
    drawBackdrop(canvas, atY(0.975f), false);
    drawCalmPanel(canvas, atX(0.05f), atY(0.035f), atX(0.95f), atY(0.955f));
}

// Filled pips out of five, for the characters' strengths.
void drawRating(Canvas& canvas, const Lettering& lettering, float x, float y, const char* label, int value,
                const Rgba& colour)
{
    TextStyle style;
    style.size = 26.0f;
    style.fill = solid(MIST);
    lettering.draw(canvas, label, x, y + 9.0f, Align::Left, style);
    for (int k = 0; k < 5; ++k) {
        const float px = x + 108.0f + k * 34.0f;
        const Shape pip = roundedRect(px, y - 9.0f, px + 27.0f, y + 9.0f, 4.0f);
        if (k < value) {
            canvas.glow(pip, 10.0f, withAlpha(colour, 0.4f));
            canvas.fill(pip, colour);
        } else {
            canvas.fill(pip, withAlpha(INDIGO, 0.9f));
        }
    }
}

struct Character {
    const char* name;
    const char* traits;
    int speed, throwing, reach;
    Rgba accent;
    void (*figure)(Canvas&, float, float, float);
    float unit;
};

void drawCharacterRow(Canvas& canvas, const Lettering& lettering, int row, const Character& who)
{
    const float mid = atY(ROW_TOP[row] + ROW_HEIGHT * 0.5f);
    const float y0 = mid - atY(CARD_HALF_HEIGHT), y1 = mid + atY(CARD_HALF_HEIGHT);
    const Shape card = roundedRect(atX(0.012f), y0, atX(0.988f), y1, 22.0f);
    canvas.glow(card, 26.0f, withAlpha(who.accent, 0.22f));
    canvas.fill(card, withAlpha(NIGHT, 0.93f));
    canvas.stroke(card, 3.0f, withAlpha(mix(who.accent, INDIGO, 0.5f), 1.0f));

    // Portrait on the left, on a little lit stage.
    const float px = atX(0.122f);
    canvas.fill(roundedRect(atX(0.025f), y0 + 10.0f, atX(0.222f), y1 - 10.0f, 16.0f),
                radialGradient(px, y1 - 20.0f, 150.0f, withAlpha(who.accent, 0.35f), withAlpha(NAVY, 0.6f)));
    who.figure(canvas, px, y1 - 16.0f, who.unit);

    // Name above the marker lanes, traits below them.
    TextStyle name = headingStyle(40.0f, solid(WHITE), withAlpha(who.accent, 0.6f));
    name.shadowOffset = 0;
    lettering.draw(canvas, who.name, atX(0.5f), atY(ROW_TOP[row]) - 10.0f, Align::Centre, name);
    TextStyle traits;
    traits.size = 29.0f;
    traits.fill = solid(who.accent);
    lettering.draw(canvas, who.traits, atX(0.5f), atY(ROW_TOP[row] + ROW_HEIGHT) + 36.0f, Align::Centre, traits);

    // The lanes where the game writes "P1" and "P2": light and plain, tinted
    // with each player's colour, so red and blue letters read on them.
    const float lt = atY(ROW_TOP[row]) - 4.0f, lb = atY(ROW_TOP[row] + ROW_HEIGHT) + 4.0f;
    const Shape lane1 = roundedRect(atX(P1_LANE[0]), lt, atX(P1_LANE[1]), lb, LANE_ROUNDING);
    const Shape lane2 = roundedRect(atX(P2_LANE[0]), lt, atX(P2_LANE[1]), lb, LANE_ROUNDING);
    canvas.glow(lane1, 16.0f, withAlpha(P1, 0.45f));
    canvas.fill(lane1, P1_PALE);
    canvas.stroke(lane1, 3.0f, P1);
    canvas.glow(lane2, 16.0f, withAlpha(P2, 0.45f));
    canvas.fill(lane2, P2_PALE);
    canvas.stroke(lane2, 3.0f, P2);

    // Between the lanes: the robot's badge.
    const float bx = atX(0.5f), by = atY(ROW_TOP[row] + ROW_HEIGHT * 0.5f);
    const Shape badge = circle(bx, by, 25.0f);
    canvas.glow(badge, 16.0f, withAlpha(who.accent, 0.6f));
    canvas.fill(badge, INK);
    canvas.stroke(badge, 3.0f, who.accent);
    if (row == 0) {
        canvas.fill(polygon({bx + 5.0f, by - 20.0f, bx - 11.0f, by + 3.0f, bx - 1.0f, by + 3.0f, bx - 5.0f, by + 20.0f,
                             bx + 11.0f, by - 4.0f, bx + 1.0f, by - 4.0f}),
                    who.accent);
    } else {
        // A burst of power: the strong thrower.
        std::vector<float> star;
        for (int k = 0; k < 16; ++k) {
            const float a = k * 3.14159265f / 8.0f, r = (k % 2 == 0) ? 19.0f : 9.0f;
            star.push_back(bx + std::sin(a) * r);
            star.push_back(by - std::cos(a) * r);
        }
        canvas.fill(polygon(std::move(star)), who.accent);
    }

    // Strengths on the right.
    const float rx = atX(0.785f);
    drawRating(canvas, lettering, rx, mid - 38.0f, "SPEED", who.speed, who.accent);
    drawRating(canvas, lettering, rx, mid, "THROW", who.throwing, who.accent);
    drawRating(canvas, lettering, rx, mid + 38.0f, "REACH", who.reach, who.accent);
}

void drawMenuCharacters(Canvas& canvas, const Lettering& lettering)
{
    drawTitleBackdrop(canvas, lettering, MENU_HORIZON, false);
    drawCalmPanel(canvas, atX(TEXT_LEFT - 0.005f), atY(TITLE_TOP - 0.025f), atX(TEXT_RIGHT + 0.005f), atY(0.79f));
    drawCharacterRow(canvas, lettering, 0,
                     {"SMALL ROBOT", "FAST  \xB7  SOFT THROW  \xB7  SHORT REACH", 5, 2, 2, SMALL_ACCENT, drawSmallRobot,
                      9.6f});
    drawCharacterRow(canvas, lettering, 1,
                     {"BIG ROBOT", "SLOWER  \xB7  STRONG THROW  \xB7  LONG REACH", 2, 5, 4, BIG_ACCENT, drawBigRobot,
                      10.4f});
}

// Rays spreading from a point, for the title cards.
void drawBurst(Canvas& canvas, float cx, float cy, float length, int rays, const Rgba& colour)
{
    constexpr float PI = 3.14159265f;
    for (int k = 0; k < rays; ++k) {
        const float a0 = (k + 0.0f) * 2.0f * PI / rays, a1 = (k + 0.45f) * 2.0f * PI / rays;
        canvas.fill(polygon({cx, cy, cx + std::cos(a0) * length, cy + std::sin(a0) * length,
                             cx + std::cos(a1) * length, cy + std::sin(a1) * length}),
                    [=](float x, float y) {
                        const float d = std::hypot(x - cx, y - cy) / length;
                        return withAlpha(colour, colour.a * std::max(0.0f, 1.0f - d));
                    },
                    Blend::Add);
    }
}

void drawIntro1(Canvas& canvas, const Lettering& lettering)
{
    drawBackdrop(canvas, atY(0.72f), false);
    drawBurst(canvas, atX(0.5f), atY(0.42f), 900.0f, 18, withAlpha(VIOLET, 0.22f));
    drawDisc(canvas, atX(0.74f), atY(0.25f), 58.0f, 260.0f);
    drawLogo(canvas, lettering, atX(0.5f), atY(0.48f), 160.0f);
    TextStyle tagline = headingStyle(46.0f, solid(WHITE), withAlpha(VIOLET, 0.7f));
    lettering.draw(canvas, "THE ROBOT DISC DUEL FOR TWO", atX(0.5f), atY(0.60f), Align::Centre, tagline);
    TextStyle rules;
    rules.size = 30.0f;
    rules.fill = solid(MIST);
    lettering.draw(canvas, "FIRST TO 20 POINTS TAKES THE SET  \xB7  TWO SETS WIN THE MATCH", atX(0.5f), atY(0.67f),
                   Align::Centre, rules);
    TextStyle side = headingStyle(50.0f, solid(P1_LIGHT), withAlpha(P1, 0.6f));
    lettering.draw(canvas, "PLAYER 1", atX(0.2f), atY(0.9f), Align::Centre, side);
    side = headingStyle(50.0f, solid(P2_LIGHT), withAlpha(P2, 0.6f));
    lettering.draw(canvas, "PLAYER 2", atX(0.8f), atY(0.9f), Align::Centre, side);
    TextStyle versus = headingStyle(68.0f, solid(GOLD), withAlpha(GOLD, 0.5f));
    lettering.draw(canvas, "VS", atX(0.5f), atY(0.905f), Align::Centre, versus);
}

void drawIntro2(Canvas& canvas, const Lettering& lettering)
{
    const float ground = atY(0.76f);
    drawBackdrop(canvas, ground - 20.0f, true);
    lettering.draw(canvas, "TWO ROBOTS. ONE DISC.", atX(0.5f), atY(0.15f), Align::Centre,
                   headingStyle(82.0f, linearGradient(0, atY(0.08f), GOLD_LIGHT, 0, atY(0.15f), GOLD),
                                withAlpha(GOLD, 0.45f)));
    // Spotlights in the halves' colours.
    canvas.fill(ellipse(atX(0.26f), ground, 260.0f, 60.0f),
                radialGradient(atX(0.26f), ground, 260.0f, withAlpha(P1, 0.55f), withAlpha(P1, 0.0f)), Blend::Add);
    canvas.fill(ellipse(atX(0.74f), ground, 300.0f, 66.0f),
                radialGradient(atX(0.74f), ground, 300.0f, withAlpha(P2, 0.55f), withAlpha(P2, 0.0f)), Blend::Add);
    drawSmallRobot(canvas, atX(0.26f), ground, 30.0f);
    drawBigRobot(canvas, atX(0.74f), ground, 30.0f);
    drawDisc(canvas, atX(0.5f), atY(0.45f), 66.0f, 230.0f);

    TextStyle name = headingStyle(54.0f, solid(WHITE), withAlpha(SMALL_ACCENT, 0.6f));
    lettering.draw(canvas, "SMALL", atX(0.26f), atY(0.86f), Align::Centre, name);
    name.glow = withAlpha(BIG_ACCENT, 0.6f);
    lettering.draw(canvas, "BIG", atX(0.74f), atY(0.86f), Align::Centre, name);
    TextStyle traits;
    traits.size = 30.0f;
    traits.fill = solid(SMALL_ACCENT);
    lettering.draw(canvas, "FAST  \xB7  SOFT THROW  \xB7  SHORT REACH", atX(0.26f), atY(0.93f), Align::Centre, traits);
    traits.fill = solid(BIG_ACCENT);
    lettering.draw(canvas, "SLOWER  \xB7  STRONG THROW  \xB7  LONG REACH", atX(0.74f), atY(0.93f), Align::Centre,
                   traits);
}

// An arrow key: a key cap with a triangle pointing along (dx, dy).
void drawArrowKey(Canvas& canvas, const Lettering& lettering, float x0, float y0, float size, float dx, float dy,
                  const Rgba& rim)
{
    drawKey(canvas, lettering, x0, y0, x0 + size, y0 + size, "", rim, 0);
    const float cx = x0 + size * 0.5f, cy = y0 + size * 0.44f, r = size * 0.2f;
    canvas.fill(polygon({cx + dx * r, cy + dy * r, cx - dx * r * 0.6f - dy * r, cy - dy * r * 0.6f + dx * r,
                         cx - dx * r * 0.6f + dy * r, cy - dy * r * 0.6f - dx * r}),
                WHITE);
}

void drawActionLabel(Canvas& canvas, const Lettering& lettering, float x, float y, const std::string& text)
{
    TextStyle style;
    style.size = 38.0f;
    style.fill = solid(WHITE);
    lettering.draw(canvas, text, x, y, Align::Left, style);
}

void drawPlayerPanel(Canvas& canvas, const Lettering& lettering, int player)
{
    const bool one = player == 1;
    const Rgba colour = one ? P1 : P2;
    const float x0 = one ? atX(0.035f) : atX(0.52f), x1 = one ? atX(0.48f) : atX(0.965f);
    const float y0 = atY(0.2f), y1 = atY(0.8f);
    const Shape panel = roundedRect(x0, y0, x1, y1, 30.0f);
    canvas.glow(panel, 40.0f, withAlpha(colour, 0.35f));
    canvas.fill(panel, withAlpha(NIGHT, 0.9f));
    canvas.stroke(panel, 5.0f, colour);
    lettering.draw(canvas, one ? "PLAYER 1" : "PLAYER 2", (x0 + x1) * 0.5f, y0 + 82.0f, Align::Centre,
                   headingStyle(60.0f, solid(one ? P1_LIGHT : P2_LIGHT), withAlpha(colour, 0.6f)));

    const float key = 96.0f, gap = 12.0f;
    const float kx = x0 + 48.0f, ky = y0 + 130.0f;
    const float labelX = kx + 3 * key + 2 * gap + 44.0f;
    if (one) {
        drawKey(canvas, lettering, kx + key + gap, ky, kx + 2 * key + gap, ky + key, "W", colour, 48.0f);
        const char* row[3] = {"A", "S", "D"};
        for (int k = 0; k < 3; ++k)
            drawKey(canvas, lettering, kx + k * (key + gap), ky + key + gap, kx + k * (key + gap) + key,
                    ky + 2 * key + gap, row[k], colour, 48.0f);
    } else {
        drawArrowKey(canvas, lettering, kx + key + gap, ky, key, 0, -1, colour);
        drawArrowKey(canvas, lettering, kx, ky + key + gap, key, -1, 0, colour);
        drawArrowKey(canvas, lettering, kx + key + gap, ky + key + gap, key, 0, 1, colour);
        drawArrowKey(canvas, lettering, kx + 2 * (key + gap), ky + key + gap, key, 1, 0, colour);
    }
    drawActionLabel(canvas, lettering, labelX, ky + key + 22.0f, "MOVE");

    const float wide = one ? key : 2.1f * key;
    const float ay = ky + 2 * key + gap + 40.0f;
    drawKey(canvas, lettering, kx, ay, kx + wide, ay + key, one ? "G" : "NUM 1", colour, one ? 48.0f : 38.0f);
    const float actionX = kx + 2.1f * key + 36.0f;
    drawActionLabel(canvas, lettering, actionX, ay + key * 0.5f + 14.0f, "DASH / THROW");
    const float by = ay + key + 24.0f;
    drawKey(canvas, lettering, kx, by, kx + wide, by + key, one ? "H" : "NUM 2", colour, one ? 48.0f : 38.0f);
    drawActionLabel(canvas, lettering, actionX, by + key * 0.5f + 14.0f, "LOB");
}

void drawIntro3(Canvas& canvas, const Lettering& lettering)
{
    drawBackdrop(canvas, atY(0.9f), false);
    lettering.draw(canvas, "CONTROLS", atX(0.5f), atY(0.14f), Align::Centre,
                   headingStyle(84.0f, linearGradient(0, atY(0.07f), WHITE, 0, atY(0.14f), GOLD),
                                withAlpha(VIOLET, 0.6f)));
    drawPlayerPanel(canvas, lettering, 1);
    drawPlayerPanel(canvas, lettering, 2);
    const float kx = atX(0.5f) - 190.0f, ky = atY(0.835f);
    drawKey(canvas, lettering, kx, ky, kx + 150.0f, ky + 90.0f, "ESC", GOLD, 40.0f);
    TextStyle pause = headingStyle(46.0f, solid(GOLD_LIGHT), withAlpha(GOLD, 0.4f));
    lettering.draw(canvas, "PAUSE", kx + 185.0f, ky + 62.0f, Align::Left, pause);
}

} // namespace

const std::vector<Picture>& menuPictures()
{
    static const std::vector<Picture> pictures = {
        {"Images/Menu/menu.png", drawMenu},
        {"Images/Menu/menuCharacters.png", drawMenuCharacters},
        {"Images/Menu/menuControls.png", drawMenuControls},
        {"Images/Menu/intro1.png", drawIntro1},
        {"Images/Menu/intro2.png", drawIntro2},
        {"Images/Menu/intro3.png", drawIntro3},
    };
    return pictures;
}
