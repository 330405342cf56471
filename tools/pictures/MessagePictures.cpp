#include "Artwork.h"
#include "Palette.h"
#include "Pictures.h"

#include <cmath>

using namespace palette;

namespace {

constexpr float PI = 3.14159265f;

// A star of soft rays behind a message, fading out well before the edges.
void drawRays(Canvas& canvas, float cx, float cy, float length, const Rgba& colour)
{
    constexpr int RAYS = 14;
    for (int k = 0; k < RAYS; ++k) {
        const float a = (k + 0.5f) * 2.0f * PI / RAYS;
        const float spread = 0.09f;
        canvas.fill(polygon({cx, cy, cx + std::cos(a - spread) * length, cy + std::sin(a - spread) * length * 0.75f,
                             cx + std::cos(a + spread) * length, cy + std::sin(a + spread) * length * 0.75f}),
                    [=](float x, float y) {
                        const float d = std::hypot(x - cx, (y - cy) / 0.75f) / length;
                        return withAlpha(colour, colour.a * std::max(0.0f, 1.0f - d) * std::min(1.0f, d * 4.0f));
                    });
    }
}

Paint goldFill(float top, float bottom)
{
    return [=](float, float y) {
        const float t = std::clamp((y - top) / (bottom - top), 0.0f, 1.0f);
        return t < 0.45f ? mix(WHITE, GOLD_LIGHT, t / 0.45f) : mix(GOLD_LIGHT, GOLD, (t - 0.45f) / 0.55f);
    };
}

Paint playerFill(int player, float top, float bottom)
{
    const Rgba light = player == 1 ? P1_LIGHT : P2_LIGHT;
    const Rgba deep = player == 1 ? P1 : P2;
    return linearGradient(0, top, mix(light, WHITE, 0.4f), 0, bottom, deep);
}

void drawPoints(Canvas& canvas, const Lettering& lettering, const char* number, const char* tag, bool rays)
{
    const float cx = atX(0.5f);
    if (rays)
        drawRays(canvas, cx, atY(0.5f), 620.0f, withAlpha(GOLD, 0.55f));
    const float size = 440.0f, base = atY(0.66f);
    lettering.draw(canvas, number, cx, base, Align::Centre,
                   headingStyle(size, goldFill(base - size * 0.72f, base), withAlpha(GOLD, 0.7f)));
    lettering.draw(canvas, "POINTS", cx, atY(0.845f), Align::Centre,
                   headingStyle(130.0f, solid(WHITE), withAlpha(GOLD, 0.6f)));
    if (tag)
        lettering.draw(canvas, tag, cx, atY(0.25f), Align::Centre,
                       headingStyle(100.0f, linearGradient(0, atY(0.18f), WHITE, 0, atY(0.25f), VIOLET),
                                    withAlpha(VIOLET, 0.7f)));
}

void draw5Points(Canvas& canvas, const Lettering& lettering) { drawPoints(canvas, lettering, "+5", "BULLSEYE!", true); }
void draw3Points(Canvas& canvas, const Lettering& lettering) { drawPoints(canvas, lettering, "+3", "GOAL!", false); }
void draw2Points(Canvas& canvas, const Lettering& lettering) { drawPoints(canvas, lettering, "+2", "LOB!", false); }

void drawTimesUp(Canvas& canvas, const Lettering& lettering)
{
    const float cx = atX(0.5f);
    // A stopwatch face above the words.
    const float wy = atY(0.22f);
    canvas.glow(circle(cx, wy, 95.0f), 40.0f, withAlpha(VIOLET, 0.7f), Blend::Over);
    canvas.fill(roundedRect(cx - 22.0f, wy - 135.0f, cx + 22.0f, wy - 95.0f, 8.0f), WHITE);
    canvas.stroke(roundedRect(cx - 22.0f, wy - 135.0f, cx + 22.0f, wy - 95.0f, 8.0f), 8.0f, INK);
    canvas.fill(circle(cx, wy, 100.0f), INK);
    canvas.fill(circle(cx, wy, 84.0f), WHITE);
    canvas.fill(segment(cx, wy, cx, wy - 64.0f, 8.0f), INK);
    canvas.fill(segment(cx, wy, cx + 44.0f, wy + 20.0f, 8.0f), P1);
    canvas.fill(circle(cx, wy, 12.0f), INK);
    const TextStyle style = headingStyle(210.0f, linearGradient(0, atY(0.45f), WHITE, 0, atY(0.82f), MIST),
                                         withAlpha(VIOLET, 0.75f));
    lettering.draw(canvas, "TIME'S", cx, atY(0.61f), Align::Centre, style);
    lettering.draw(canvas, "UP!", cx, atY(0.86f), Align::Centre, style);
}

void drawWinner(Canvas& canvas, const Lettering& lettering, int player, const char* what, bool trophy)
{
    const float cx = atX(0.5f);
    const Rgba colour = player == 1 ? P1 : P2;
    float top = atY(0.36f);
    drawRays(canvas, cx, atY(0.5f), 620.0f, withAlpha(colour, trophy ? 0.6f : 0.45f));
    if (trophy) {
        const float ty = atY(0.2f);
        const Shape cup = unite(polygon({cx - 110.0f, ty - 110.0f, cx + 110.0f, ty - 110.0f, cx + 70.0f, ty + 10.0f,
                                         cx - 70.0f, ty + 10.0f}),
                                circle(cx, ty - 10.0f, 70.0f));
        for (float side : {-1.0f, 1.0f})
            canvas.stroke(ring(cx + side * 112.0f, ty - 60.0f, 34.0f, 0.0f), 30.0f, INK);
        for (float side : {-1.0f, 1.0f})
            canvas.stroke(ring(cx + side * 112.0f, ty - 60.0f, 34.0f, 0.0f), 16.0f, GOLD);
        const Shape stem = roundedRect(cx - 18.0f, ty + 40.0f, cx + 18.0f, ty + 95.0f, 4.0f);
        const Shape foot = roundedRect(cx - 80.0f, ty + 90.0f, cx + 80.0f, ty + 125.0f, 10.0f);
        for (const Shape* s : {&stem, &foot, &cup}) {
            canvas.fill(*s, goldFill(ty - 110.0f, ty + 125.0f));
            canvas.stroke(*s, 12.0f, INK);
        }
        canvas.fill(ellipse(cx - 45.0f, ty - 60.0f, 16.0f, 34.0f), withAlpha(WHITE, 0.7f));
        top = atY(0.52f);
    }
    const float size = trophy ? 170.0f : 200.0f;
    const float base = top + size * 0.72f;
    lettering.draw(canvas, player == 1 ? "PLAYER 1" : "PLAYER 2", cx, base, Align::Centre,
                   headingStyle(size, playerFill(player, base - size * 0.72f, base), withAlpha(colour, 0.8f)));
    lettering.draw(canvas, what, cx, base + (trophy ? 150.0f : 180.0f), Align::Centre,
                   headingStyle(trophy ? 104.0f : 120.0f, solid(WHITE), withAlpha(colour, 0.6f)));
}

void drawP1WonSet(Canvas& canvas, const Lettering& lettering) { drawWinner(canvas, lettering, 1, "WINS THE SET", false); }
void drawP2WonSet(Canvas& canvas, const Lettering& lettering) { drawWinner(canvas, lettering, 2, "WINS THE SET", false); }
void drawP1WonGame(Canvas& canvas, const Lettering& lettering)
{
    drawWinner(canvas, lettering, 1, "WINS THE MATCH!", true);
}
void drawP2WonGame(Canvas& canvas, const Lettering& lettering)
{
    drawWinner(canvas, lettering, 2, "WINS THE MATCH!", true);
}

void drawDraw(Canvas& canvas, const Lettering& lettering)
{
    const float cx = atX(0.5f);
    drawRays(canvas, cx, atY(0.5f), 640.0f, withAlpha(VIOLET, 0.5f));
    const float size = 300.0f, base = atY(0.6f);
    const Paint split = [=](float x, float y) {
        const float t = std::clamp((y - (base - size * 0.72f)) / (size * 0.72f), 0.0f, 1.0f);
        const Rgba side = x < cx ? P1 : P2;
        return mix(mix(side, WHITE, 0.6f), side, t);
    };
    lettering.draw(canvas, "DRAW", cx, base, Align::Centre, headingStyle(size, split, withAlpha(VIOLET, 0.8f)));
    lettering.draw(canvas, "NO SET AWARDED", cx, atY(0.78f), Align::Centre,
                   headingStyle(100.0f, solid(WHITE), withAlpha(VIOLET, 0.6f)));
}

} // namespace

const std::vector<Picture>& messagePictures()
{
    static const std::vector<Picture> pictures = {
        {"Images/Interface/5points.png", draw5Points},     {"Images/Interface/3points.png", draw3Points},
        {"Images/Interface/2points.png", draw2Points},     {"Images/Interface/timesup.png", drawTimesUp},
        {"Images/Interface/p1WonSet.png", drawP1WonSet},   {"Images/Interface/p2WonSet.png", drawP2WonSet},
        {"Images/Interface/draw.png", drawDraw},           {"Images/Interface/p1WonGame.png", drawP1WonGame},
        {"Images/Interface/p2WonGame.png", drawP2WonGame},
    };
    return pictures;
}
