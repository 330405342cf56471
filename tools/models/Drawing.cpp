#include "Drawing.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

Rgba shade(const Rgba& c, float factor) {
    auto channel = [factor](float v) {
        return std::clamp(factor <= 1.0f ? v * factor : v + (1.0f - v) * (factor - 1.0f), 0.0f,
                          1.0f);
    };
    return {channel(c.r), channel(c.g), channel(c.b), c.a};
}

Canvas filled(int width, int height, const Rgba& background) {
    Canvas canvas(width, height);
    canvas.paintAll(solid(background));
    return canvas;
}

void disc(Canvas& canvas, float cx, float cy, float r, const Rgba& colour) {
    canvas.fill(circle(cx, cy, r), colour);
}

void band(Canvas& canvas, float cx, float cy, float r0, float r1, const Rgba& colour) {
    canvas.fill(ring(cx, cy, (r0 + r1) / 2.0f, (r1 - r0) / 2.0f), colour);
}

void fillRect(Canvas& canvas, float x0, float y0, float x1, float y1, const Rgba& colour) {
    canvas.fill(roundedRect(x0, y0, x1, y1, 0.0f), colour);
}

void line(Canvas& canvas, float x0, float y0, float x1, float y1, float width, const Rgba& colour) {
    canvas.fill(segment(x0, y0, x1, y1, width / 2.0f), colour);
}

Shape hatch(float x0, float y0, float x1, float y1, float period, float width) {
    const float cx = (x0 + x1) / 2.0f, cy = (y0 + y1) / 2.0f;
    const float hx = (x1 - x0) / 2.0f, hy = (y1 - y0) / 2.0f;
    return {[=](float x, float y) {
                const float along = (x + y) / std::sqrt(2.0f);
                const float phase = along - period * std::floor(along / period);
                const float stripe = std::abs(phase - period / 2.0f) - width / 2.0f;
                const float box = std::max(std::abs(x - cx) - hx, std::abs(y - cy) - hy);
                return std::max(stripe, box);
            },
            {x0, y0, x1, y1}};
}

void digit(Canvas& canvas, int value, float x, float y, float height, float stroke,
           const Rgba& colour) {
    // Corners of the stroke paths on a 2 × 4 grid (x right, y down).
    using Path = std::vector<std::pair<int, int>>;
    static const std::vector<Path> paths[10] = {
        {{{0, 0}, {2, 0}, {2, 4}, {0, 4}, {0, 0}}},
        {{{0, 1}, {1, 0}, {1, 4}}, {{0, 4}, {2, 4}}},
        {{{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 4}, {2, 4}}},
        {{{0, 0}, {2, 0}, {2, 4}, {0, 4}}, {{0, 2}, {2, 2}}},
        {{{0, 0}, {0, 2}, {2, 2}}, {{2, 0}, {2, 4}}},
        {{{2, 0}, {0, 0}, {0, 2}, {2, 2}, {2, 4}, {0, 4}}},
        {{{2, 0}, {0, 0}, {0, 4}, {2, 4}, {2, 2}, {0, 2}}},
        {{{0, 0}, {2, 0}, {2, 4}}},
        {{{0, 0}, {2, 0}, {2, 4}, {0, 4}, {0, 0}}, {{0, 2}, {2, 2}}},
        {{{2, 2}, {0, 2}, {0, 0}, {2, 0}, {2, 4}, {0, 4}}},
    };
    const float cell = (height - stroke) / 4.0f;
    const float left = x + stroke / 2.0f, top = y + stroke / 2.0f;
    for (const Path& path : paths[std::abs(value) % 10])
        for (std::size_t i = 0; i + 1 < path.size(); ++i)
            line(canvas, left + path[i].first * cell, top + path[i].second * cell,
                 left + path[i + 1].first * cell, top + path[i + 1].second * cell, stroke, colour);
}
