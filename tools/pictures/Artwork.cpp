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
    canvas.fill(ellipse(cx, gy, 3.8f * u, 0.7f * u), withAlpha(INK, 0.55f));
    // Two big wheels on the sides and a low chassis between them.
    for (float side : {-1.0f, 1.0f}) {
        const float wx = cx + side * 2.35f * u, wy = gy - 1.35f * u;
        part(canvas, circle(wx, wy, 1.35f * u), solid(RUBBER), rim);
        part(canvas, circle(wx, wy, 0.7f * u), radialGradient(wx - 0.2f * u, wy - 0.2f * u, 0.9f * u, SMALL_BODY, SMALL_SHADE),
             rim * 0.6f);
    }
    part(canvas, roundedRect(cx - 1.9f * u, gy - 2.7f * u, cx + 1.9f * u, gy - 0.9f * u, 0.6f * u), solid(SMALL_DARK), rim);
    for (float side : {-1.0f, 1.0f}) {
        const Shape lamp = circle(cx + side * 1.1f * u, gy - 1.6f * u, 0.3f * u);
        canvas.glow(lamp, 0.8f * u, withAlpha(GOLD_LIGHT, 0.8f));
        canvas.fill(lamp, GOLD_LIGHT);
    }
    // Short arms.
    for (float side : {-1.0f, 1.0f}) {
        part(canvas, segment(cx + side * 2.2f * u, gy - 5.2f * u, cx + side * 3.1f * u, gy - 3.9f * u, 0.45f * u),
             solid(SMALL_SHADE), rim);
        part(canvas, circle(cx + side * 3.15f * u, gy - 3.8f * u, 0.6f * u), solid(SMALL_ACCENT), rim);
    }
    // Round belly with a band and a glowing core.
    const Shape belly = circle(cx, gy - 4.6f * u, 2.35f * u);
    part(canvas, belly, radialGradient(cx - 0.9f * u, gy - 5.6f * u, 4.0f * u, SMALL_LIGHT, SMALL_SHADE),
         rim);
    canvas.fill(intersect(belly, roundedRect(cx - 3.0f * u, gy - 4.2f * u, cx + 3.0f * u, gy - 3.5f * u, 0.0f)),
                SMALL_DARK);
    const Shape core = circle(cx, gy - 3.85f * u, 0.55f * u);
    canvas.glow(core, 1.1f * u, withAlpha(GOLD, 0.9f));
    part(canvas, core, solid(GOLD_LIGHT), rim * 0.6f);
    // Two antennae with lit tips.
    for (float side : {-1.0f, 1.0f}) {
        const float tx = cx + side * 1.5f * u, ty = gy - 11.0f * u;
        part(canvas, segment(cx + side * 0.8f * u, gy - 9.4f * u, tx, ty, 0.14f * u), solid(SMALL_DARK), rim * 0.5f);
        canvas.glow(circle(tx, ty, 0.35f * u), 1.0f * u, withAlpha(SMALL_ACCENT, 0.8f));
        part(canvas, circle(tx, ty, 0.35f * u), solid(SMALL_ACCENT), rim * 0.6f);
    }
    // Dome head with a dark visor and two big glowing eyes.
    part(canvas, circle(cx, gy - 8.0f * u, 2.2f * u),
         radialGradient(cx - 0.8f * u, gy - 8.9f * u, 3.4f * u, SMALL_LIGHT, SMALL_BODY), rim);
    canvas.fill(roundedRect(cx - 1.8f * u, gy - 8.9f * u, cx + 1.8f * u, gy - 7.2f * u, 0.8f * u), SMALL_DARK);
    for (float side : {-1.0f, 1.0f}) {
        const Shape eye = circle(cx + side * 0.8f * u, gy - 8.05f * u, 0.5f * u);
        canvas.glow(eye, 1.0f * u, withAlpha(SMALL_ACCENT, 0.9f));
        canvas.fill(eye, SMALL_EYES);
        canvas.fill(circle(cx + side * 0.8f * u - 0.15f * u, gy - 8.2f * u, 0.16f * u), WHITE);
    }
    canvas.fill(ellipse(cx - 1.0f * u, gy - 9.5f * u, 0.6f * u, 0.28f * u), withAlpha(WHITE, 0.75f));
}

void drawBigRobot(Canvas& canvas, float cx, float gy, float u)
{
    const float rim = 0.3f * u;
    canvas.fill(ellipse(cx, gy, 5.4f * u, 0.8f * u), withAlpha(INK, 0.55f));
    // Two treads with rounded ends and a hull between them.
    for (float side : {-1.0f, 1.0f}) {
        const float x0 = cx + side * 1.3f * u, x1 = cx + side * 4.5f * u;
        const float left = std::min(x0, x1), right = std::max(x0, x1);
        part(canvas, roundedRect(left, gy - 2.8f * u, right, gy, 1.2f * u), solid(RUBBER), rim);
        for (int k = 0; k < 5; ++k) {
            const float tx = left + (0.6f + 0.5f * k) * u;
            canvas.fill(segment(tx, gy - 2.4f * u, tx, gy - 0.4f * u, 0.1f * u), withAlpha(BIG_SHADE, 0.9f));
        }
    }
    part(canvas, roundedRect(cx - 2.3f * u, gy - 3.8f * u, cx + 2.3f * u, gy - 1.4f * u, 0.4f * u), solid(BIG_DARK), rim);
    for (int k = 0; k < 3; ++k) {
        const float y = gy - (3.2f - 0.6f * k) * u;
        const Shape slot = roundedRect(cx - 1.6f * u, y - 0.14f * u, cx + 1.6f * u, y + 0.14f * u, 0.12f * u);
        canvas.glow(slot, 0.6f * u, withAlpha(BIG_ACCENT, 0.5f));
        canvas.fill(slot, BIG_ACCENT);
    }
    // Heavy arms under shoulder plates.
    for (float side : {-1.0f, 1.0f}) {
        part(canvas, segment(cx + side * 4.6f * u, gy - 8.2f * u, cx + side * 5.2f * u, gy - 4.8f * u, 0.8f * u),
             solid(BIG_SHADE), rim);
        part(canvas, roundedRect(cx + side * 5.2f * u - 1.15f * u, gy - 5.5f * u, cx + side * 5.2f * u + 1.15f * u,
                                 gy - 3.4f * u, 0.5f * u),
             solid(BIG_DARK), rim);
        const float sx0 = cx + side * 3.3f * u, sx1 = cx + side * 6.0f * u;
        part(canvas, roundedRect(std::min(sx0, sx1), gy - 9.6f * u, std::max(sx0, sx1), gy - 7.4f * u, 0.9f * u),
             linearGradient(0, gy - 9.6f * u, BIG_LIGHT, 0, gy - 7.4f * u, BIG_BODY), rim);
    }
    // A broad chest, wider at the shoulders, with a glowing chevron.
    const Shape torso = polygon({cx - 4.0f * u, gy - 9.2f * u, cx + 4.0f * u, gy - 9.2f * u, cx + 2.9f * u,
                                 gy - 3.6f * u, cx - 2.9f * u, gy - 3.6f * u});
    part(canvas, torso, linearGradient(0, gy - 9.2f * u, mix(BIG_BODY, BIG_LIGHT, 0.35f), 0, gy - 3.6f * u, BIG_SHADE),
         rim);
    const Shape chevron = unite(segment(cx - 1.7f * u, gy - 7.3f * u, cx, gy - 5.8f * u, 0.35f * u),
                                segment(cx, gy - 5.8f * u, cx + 1.7f * u, gy - 7.3f * u, 0.35f * u));
    canvas.glow(chevron, 1.2f * u, withAlpha(BIG_ACCENT, 0.8f));
    canvas.fill(chevron, BIG_EYES);
    // A helmet with a sloped brow, a dark visor, two amber eyes, ear pods and horn lights.
    for (float side : {-1.0f, 1.0f}) {
        part(canvas, roundedRect(cx + side * 2.35f * u - 0.45f * u, gy - 11.4f * u, cx + side * 2.35f * u + 0.45f * u,
                                 gy - 9.8f * u, 0.3f * u),
             solid(BIG_DARK), rim * 0.8f);
        const Shape horn = circle(cx + side * 1.5f * u, gy - 12.6f * u, 0.32f * u);
        canvas.glow(horn, 0.9f * u, withAlpha(BIG_ACCENT, 0.8f));
        part(canvas, horn, solid(BIG_ACCENT), rim * 0.6f);
    }
    const Shape head = polygon({cx - 2.0f * u, gy - 9.0f * u, cx - 2.0f * u, gy - 11.4f * u, cx - 1.2f * u,
                                gy - 12.3f * u, cx + 1.2f * u, gy - 12.3f * u, cx + 2.0f * u, gy - 11.4f * u,
                                cx + 2.0f * u, gy - 9.0f * u});
    part(canvas, head, linearGradient(0, gy - 12.3f * u, BIG_LIGHT, 0, gy - 9.0f * u, BIG_BODY), rim);
    canvas.fill(polygon({cx - 1.6f * u, gy - 9.8f * u, cx - 1.6f * u, gy - 10.9f * u, cx + 1.6f * u, gy - 10.9f * u,
                         cx + 1.6f * u, gy - 9.8f * u}),
                BIG_DARK);
    for (float side : {-1.0f, 1.0f}) {
        const Shape eye = roundedRect(cx + side * 0.8f * u - 0.42f * u, gy - 10.6f * u, cx + side * 0.8f * u + 0.42f * u,
                                      gy - 10.1f * u, 0.15f * u);
        canvas.glow(eye, 1.0f * u, withAlpha(BIG_ACCENT, 0.9f));
        canvas.fill(eye, BIG_EYES);
    }
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
