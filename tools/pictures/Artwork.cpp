#include "Artwork.h"

#include "Palette.h"

#include <algorithm>
#include <cmath>

using namespace palette;

namespace {

Rgba sideColour(float x)
{
    const float t = std::clamp(x / DESIGN_WIDTH, 0.0f, 1.0f);
    return t < 0.5f ? mix(P1, VIOLET, t * 2.0f) : mix(VIOLET, P2, t * 2.0f - 1.0f);
}

// Fills a part and rims it with ink, the cartoon look of every figure.
void part(Canvas& canvas, const Shape& shape, const Paint& paint, float rim)
{
    canvas.fill(shape, paint);
    canvas.stroke(shape, rim, INK);
}

} // namespace

Paint sidesPaint(float alpha)
{
    return [alpha](float x, float) { return withAlpha(sideColour(x), alpha); };
}

void drawBackdrop(Canvas& canvas, float horizon, bool chevrons)
{
    canvas.paintAll([horizon](float, float y) {
        if (y < horizon)
            return mix(NIGHT, NAVY, std::pow(y / horizon, 1.5f));
        return mix(DUSK, NIGHT, std::min((y - horizon) / (DESIGN_HEIGHT - horizon), 1.0f));
    });

    // Faint stars in the sky, placed by a fixed hash so every run is alike.
    for (unsigned i = 0; i < 90; ++i) {
        const unsigned h = (i * 2654435761u) ^ (i * 40503u << 7);
        const float x = static_cast<float>(h % 10007u) / 10007.0f * DESIGN_WIDTH;
        const float y = static_cast<float>((h / 10007u) % 997u) / 997.0f * horizon * 0.95f;
        const float r = 1.0f + static_cast<float>(h % 3u) * 0.6f;
        canvas.fill(circle(x, y, r), withAlpha(MIST, 0.25f + 0.1f * static_cast<float>(h % 4u)));
    }

    // The arena floor: a neon grid running toward the horizon.
    const float cx = DESIGN_WIDTH * 0.5f;
    const float depthScale = 90.0f;
    const float laneWidth = 1.1f;
    const float sx = canvas.scaleX();
    canvas.fill(roundedRect(0, horizon, DESIGN_WIDTH, DESIGN_HEIGHT, 0.0f),
                [=](float x, float y) {
                    const float dy = y - horizon;
                    if (dy <= 0.5f)
                        return Rgba{};
                    const float lane = (x - cx) / dy / laneWidth;
                    const float laneDist = std::abs(lane - std::round(lane)) * laneWidth * dy * sx;
                    const float depth = depthScale / dy;
                    const float row = std::max(std::round(depth), 1.0f);
                    const float rowDist = std::abs(dy - depthScale / row);
                    const float line = std::max(std::clamp(1.6f - laneDist, 0.0f, 1.0f),
                                                std::clamp(1.6f - rowDist, 0.0f, 1.0f));
                    const float haze = 0.35f * std::exp(-std::min(laneDist, rowDist) / 3.0f);
                    const float fade = std::min(dy / 120.0f, 1.0f);
                    return withAlpha(sideColour(x), (line * 0.8f + haze) * fade);
                },
                Blend::Add);
    // The horizon line glows in both players' colours.
    canvas.glow(segment(0, horizon, DESIGN_WIDTH, horizon, 1.0f), 40.0f, withAlpha(VIOLET, 0.55f));
    canvas.fill(segment(0, horizon, DESIGN_WIDTH, horizon, 2.0f), sidesPaint(), Blend::Add);

    // Side rails: player 1's colour down the left edge, player 2's down the right.
    for (int side = 0; side < 2; ++side) {
        const Rgba colour = side == 0 ? P1 : P2;
        for (int k = 0; k < 2; ++k) {
            const float x = side == 0 ? atX(0.035f + 0.04f * k) : atX(0.965f - 0.04f * k);
            const Shape rail = segment(x, atY(0.08f), x, horizon - atY(0.04f), 2.5f - k);
            canvas.glow(rail, 26.0f, withAlpha(colour, 0.45f - 0.15f * k));
            canvas.fill(rail, mix(colour, WHITE, 0.35f));
        }
        // Chevrons pointing at the opponent's half.
        for (int k = 0; chevrons && k < 3; ++k) {
            const float dir = side == 0 ? 1.0f : -1.0f;
            const float tip = side == 0 ? atX(0.125f) + k * 26.0f : atX(0.875f) - k * 26.0f;
            const float y = atY(0.5f);
            const Shape chevron = unite(segment(tip - dir * 30.0f, y - 34.0f, tip, y, 5.0f),
                                        segment(tip, y, tip - dir * 30.0f, y + 34.0f, 5.0f));
            canvas.glow(chevron, 18.0f, withAlpha(colour, 0.25f + 0.15f * k));
            canvas.fill(chevron, withAlpha(mix(colour, WHITE, 0.2f), 0.35f + 0.25f * k));
        }
    }
}

void drawCalmPanel(Canvas& canvas, float x0, float y0, float x1, float y1)
{
    const Shape panel = roundedRect(x0, y0, x1, y1, 28.0f);
    canvas.glow(panel, 36.0f, withAlpha(INDIGO, 0.5f));
    canvas.fill(panel, withAlpha(NIGHT, 0.97f));
    canvas.stroke(panel, 3.0f, withAlpha(INDIGO, 0.9f));
    // A thin two-coloured seam along the top edge.
    const Shape seam = segment(x0 + 60.0f, y0, x1 - 60.0f, y0, 2.0f);
    canvas.glow(seam, 14.0f, withAlpha(VIOLET, 0.35f));
    canvas.fill(seam, sidesPaint());
}

void drawLogo(Canvas& canvas, const Lettering& lettering, float x, float y, float size)
{
    TextStyle style;
    style.size = size;
    style.slant = 0.16f;
    style.tracking = size * 0.02f;
    const float sx = canvas.scaleX();
    const float width = lettering.measure("KORVANDELTIX", style, sx);
    const float left = (x - width * 0.5f - style.slant * size * 0.35f) * sx;
    const float ink = size * 0.075f;
    const float neon = size * 0.04f;

    Mask halo = lettering.render("KORVANDELTIX", style, sx, left, y, ink + neon + size * 0.05f);
    halo.blur(size * 0.22f);
    canvas.drawMask(halo, sidesPaint(0.8f), Blend::Add);
    canvas.drawMask(lettering.render("KORVANDELTIX", style, sx, left, y + size * 0.06f, ink + neon),
                    solid(withAlpha(INK, 0.8f)));
    canvas.drawMask(lettering.render("KORVANDELTIX", style, sx, left, y, ink + neon),
                    [](float px, float py) { return mix(sidesPaint()(px, py), WHITE, 0.25f); });
    canvas.drawMask(lettering.render("KORVANDELTIX", style, sx, left, y, ink), solid(INK));
    const float top = y - size * 0.72f;
    canvas.drawMask(lettering.render("KORVANDELTIX", style, sx, left, y, 0),
                    [=](float, float py) {
                        const float t = std::clamp((py - top) / (y - top), 0.0f, 1.0f);
                        return t < 0.5f ? mix(WHITE, GOLD_LIGHT, t * 2.0f) : mix(GOLD_LIGHT, GOLD, t * 2.0f - 1.0f);
                    });
    // A glint across the upper half of the letters.
    canvas.drawMask(lettering.render("KORVANDELTIX", style, sx, left, y, -1.0f),
                    [=](float, float py) {
                        const float band = std::abs(py - (top + size * 0.18f));
                        return withAlpha(WHITE, std::clamp(1.0f - band / (size * 0.08f), 0.0f, 1.0f) * 0.5f);
                    });
}

void drawSmallRobot(Canvas& canvas, float cx, float gy, float u)
{
    const float rim = 0.28f * u;
    canvas.fill(ellipse(cx, gy, 3.6f * u, 0.7f * u), withAlpha(INK, 0.55f));
    // Two wheels under a short skirt.
    for (float side : {-1.0f, 1.0f}) {
        part(canvas, circle(cx + side * 1.9f * u, gy - 0.95f * u, 0.95f * u), solid(RUBBER), rim);
        canvas.fill(circle(cx + side * 1.9f * u, gy - 0.95f * u, 0.35f * u), SMALL_SHADE);
    }
    part(canvas, roundedRect(cx - 2.7f * u, gy - 2.6f * u, cx + 2.7f * u, gy - 1.2f * u, 0.6f * u),
         linearGradient(0, gy - 2.6f * u, SMALL_SHADE, 0, gy - 1.2f * u, BIG_SHADE), rim);
    // Arms.
    for (float side : {-1.0f, 1.0f}) {
        const Shape arm = segment(cx + side * 2.3f * u, gy - 5.4f * u, cx + side * 3.4f * u, gy - 3.5f * u, 0.5f * u);
        part(canvas, arm, solid(SMALL_SHADE), rim);
        part(canvas, circle(cx + side * 3.4f * u, gy - 3.5f * u, 0.7f * u), solid(SMALL_ACCENT), rim);
    }
    // Round belly.
    const Shape body = roundedRect(cx - 2.5f * u, gy - 6.4f * u, cx + 2.5f * u, gy - 2.2f * u, 1.8f * u);
    part(canvas, body, radialGradient(cx - 0.8f * u, gy - 5.4f * u, 4.5f * u, WHITE, SMALL_SHADE), rim);
    canvas.fill(circle(cx, gy - 4.2f * u, 0.75f * u), INK);
    canvas.glow(circle(cx, gy - 4.2f * u, 0.45f * u), 0.9f * u, withAlpha(SMALL_ACCENT, 0.9f));
    canvas.fill(circle(cx, gy - 4.2f * u, 0.45f * u), SMALL_ACCENT);
    // Antenna.
    part(canvas, segment(cx + 0.3f * u, gy - 9.6f * u, cx + 1.0f * u, gy - 11.2f * u, 0.16f * u), solid(SMALL_SHADE),
         rim * 0.7f);
    canvas.glow(circle(cx + 1.0f * u, gy - 11.2f * u, 0.4f * u), 1.2f * u, withAlpha(SMALL_ACCENT, 0.8f));
    part(canvas, circle(cx + 1.0f * u, gy - 11.2f * u, 0.4f * u), solid(SMALL_ACCENT), rim * 0.7f);
    // Dome head with a wide visor and two bright eyes.
    part(canvas, circle(cx, gy - 8.0f * u, 2.2f * u),
         radialGradient(cx - 0.8f * u, gy - 8.9f * u, 3.2f * u, WHITE, SMALL_SHADE), rim);
    canvas.fill(roundedRect(cx - 1.7f * u, gy - 8.7f * u, cx + 1.7f * u, gy - 7.3f * u, 0.7f * u), INK);
    for (float side : {-1.0f, 1.0f}) {
        const Shape eye = circle(cx + side * 0.75f * u, gy - 8.0f * u, 0.38f * u);
        canvas.glow(eye, 0.9f * u, withAlpha(SMALL_ACCENT, 0.9f));
        canvas.fill(eye, GOLD_LIGHT);
    }
    canvas.fill(ellipse(cx - 1.0f * u, gy - 9.4f * u, 0.6f * u, 0.3f * u), withAlpha(WHITE, 0.8f));
}

void drawBigRobot(Canvas& canvas, float cx, float gy, float u)
{
    const float rim = 0.3f * u;
    canvas.fill(ellipse(cx, gy, 5.4f * u, 0.8f * u), withAlpha(INK, 0.55f));
    // Treads.
    for (float side : {-1.0f, 1.0f}) {
        const float x0 = cx + side * 1.2f * u, x1 = cx + side * 4.4f * u;
        const Shape tread = roundedRect(std::min(x0, x1), gy - 2.6f * u, std::max(x0, x1), gy, 1.0f * u);
        part(canvas, tread, solid(RUBBER), rim);
        for (int k = 0; k < 4; ++k) {
            const float tx = std::min(x0, x1) + (0.7f + 0.6f * k) * u;
            canvas.fill(segment(tx, gy - 2.2f * u, tx, gy - 0.4f * u, 0.12f * u), withAlpha(BIG_BODY, 0.9f));
        }
    }
    part(canvas, roundedRect(cx - 2.4f * u, gy - 3.6f * u, cx + 2.4f * u, gy - 1.8f * u, 0.4f * u), solid(BIG_SHADE),
         rim);
    // Heavy arms hang from round shoulders.
    for (float side : {-1.0f, 1.0f}) {
        part(canvas, segment(cx + side * 4.6f * u, gy - 8.2f * u, cx + side * 5.2f * u, gy - 4.6f * u, 0.75f * u),
             solid(BIG_SHADE), rim);
        part(canvas, roundedRect(cx + side * 5.2f * u - 1.1f * u, gy - 5.4f * u, cx + side * 5.2f * u + 1.1f * u,
                                 gy - 3.4f * u, 0.5f * u),
             solid(BIG_BODY), rim);
        part(canvas, circle(cx + side * 4.5f * u, gy - 8.4f * u, 1.4f * u),
             radialGradient(cx + side * 4.2f * u, gy - 8.9f * u, 2.0f * u, mix(BIG_BODY, WHITE, 0.35f), BIG_BODY), rim);
    }
    // Broad torso, wider at the shoulders.
    const Shape torso = polygon({cx - 4.3f * u, gy - 9.2f * u, cx + 4.3f * u, gy - 9.2f * u, cx + 2.9f * u,
                                 gy - 3.2f * u, cx - 2.9f * u, gy - 3.2f * u});
    part(canvas, torso, linearGradient(0, gy - 9.2f * u, mix(BIG_BODY, WHITE, 0.25f), 0, gy - 3.2f * u, BIG_SHADE), rim);
    for (int k = 0; k < 3; ++k) {
        const float y = gy - (7.4f - 1.0f * k) * u;
        const Shape slit = roundedRect(cx - 2.0f * u, y - 0.22f * u, cx + 2.0f * u, y + 0.22f * u, 0.2f * u);
        canvas.fill(slit, INK);
        canvas.glow(slit, 0.8f * u, withAlpha(BIG_ACCENT, 0.55f));
        canvas.fill(roundedRect(cx - 1.8f * u, y - 0.1f * u, cx + 1.8f * u, y + 0.1f * u, 0.1f * u), BIG_ACCENT);
    }
    // Square head with a glowing eye bar.
    const Shape head = roundedRect(cx - 2.1f * u, gy - 12.2f * u, cx + 2.1f * u, gy - 9.0f * u, 0.7f * u);
    part(canvas, head, linearGradient(0, gy - 12.2f * u, mix(BIG_BODY, WHITE, 0.3f), 0, gy - 9.0f * u, BIG_BODY), rim);
    canvas.fill(roundedRect(cx - 1.6f * u, gy - 11.1f * u, cx + 1.6f * u, gy - 9.9f * u, 0.4f * u), INK);
    for (float side : {-1.0f, 1.0f}) {
        const Shape eye = roundedRect(cx + side * 0.8f * u - 0.45f * u, gy - 10.75f * u, cx + side * 0.8f * u + 0.45f * u,
                                      gy - 10.25f * u, 0.15f * u);
        canvas.glow(eye, 1.0f * u, withAlpha(BIG_ACCENT, 0.9f));
        canvas.fill(eye, mix(BIG_ACCENT, WHITE, 0.5f));
    }
    canvas.fill(segment(cx - 1.4f * u, gy - 11.8f * u, cx - 0.2f * u, gy - 11.8f * u, 0.12f * u), withAlpha(WHITE, 0.5f));
}

void drawDisc(Canvas& canvas, float cx, float cy, float r, float trailDx)
{
    const float ry = r * 0.42f;
    for (int k = 5; k >= 1; --k) {
        const float t = k / 5.0f;
        canvas.fill(ellipse(cx - trailDx * t, cy + ry * 0.1f * k, r * (1.0f - 0.08f * k), ry * (1.0f - 0.08f * k)),
                    withAlpha(DISC, 0.16f * (1.0f - t) + 0.05f), Blend::Add);
    }
    canvas.glow(ellipse(cx, cy, r, ry), r * 0.6f, withAlpha(DISC, 0.6f));
    canvas.fill(ellipse(cx, cy + ry * 0.25f, r, ry), mix(DISC, INK, 0.55f));
    canvas.fill(ellipse(cx, cy, r, ry), linearGradient(0, cy - ry, mix(DISC, WHITE, 0.5f), 0, cy + ry, DISC));
    canvas.stroke(ellipse(cx, cy, r * 0.68f, ry * 0.68f), r * 0.06f, withAlpha(mix(DISC, INK, 0.5f), 0.8f));
    canvas.fill(ellipse(cx, cy, r * 0.3f, ry * 0.3f), WHITE);
    canvas.stroke(ellipse(cx, cy + ry * 0.12f, r, ry * 1.12f), r * 0.05f, INK);
}

void drawKey(Canvas& canvas, const Lettering& lettering, float x0, float y0, float x1, float y1,
             const std::string& label, const Rgba& rim, float textSize)
{
    const float depth = (y1 - y0) * 0.12f;
    const Shape base = roundedRect(x0, y0, x1, y1, 14.0f);
    canvas.glow(base, 22.0f, withAlpha(rim, 0.35f));
    canvas.fill(base, mix(rim, INK, 0.55f));
    canvas.stroke(base, 4.0f, rim);
    const Shape face = roundedRect(x0 + 7.0f, y0 + 6.0f, x1 - 7.0f, y1 - depth - 4.0f, 10.0f);
    canvas.fill(face, linearGradient(0, y0, rgb(0x2E3670), 0, y1 - depth, rgb(0x161B45)));
    canvas.stroke(face, 2.0f, withAlpha(WHITE, 0.18f));
    TextStyle style;
    style.size = textSize;
    style.fill = solid(WHITE);
    const float cy = (y0 + 6.0f + y1 - depth - 4.0f) * 0.5f;
    lettering.draw(canvas, label, (x0 + x1) * 0.5f, cy + textSize * 0.36f, Align::Centre, style);
}

TextStyle headingStyle(float size, const Paint& fill, const Rgba& glow)
{
    TextStyle style;
    style.size = size;
    style.slant = 0.12f;
    style.fill = fill;
    style.outline = INK;
    style.outlineWidth = size * 0.08f;
    style.glow = glow;
    style.glowRadius = size * 0.3f;
    style.shadow = withAlpha(INK, 0.7f);
    style.shadowOffset = size * 0.06f;
    return style;
}
