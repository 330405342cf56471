#include "common/Canvas.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

float length(float x, float y) { return std::sqrt(x * x + y * y); }

Box grow(const Box& b, float by) { return {b.x0 - by, b.y0 - by, b.x1 + by, b.y1 + by}; }

Box merge(const Box& a, const Box& b)
{
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

// 4x4 ordered dither, centred on zero, in 8-bit steps.
constexpr float BAYER[16] = {0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5};

} // namespace

Rgba rgb(std::uint32_t hex, float alpha)
{
    return {((hex >> 16) & 0xFF) / 255.0f, ((hex >> 8) & 0xFF) / 255.0f, (hex & 0xFF) / 255.0f, alpha};
}

Rgba mix(const Rgba& from, const Rgba& to, float t)
{
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
            from.a + (to.a - from.a) * t};
}

Rgba withAlpha(const Rgba& colour, float alpha) { return {colour.r, colour.g, colour.b, alpha}; }

Shape circle(float cx, float cy, float radius)
{
    return {[=](float x, float y) { return length(x - cx, y - cy) - radius; },
            {cx - radius, cy - radius, cx + radius, cy + radius}};
}

Shape ellipse(float cx, float cy, float rx, float ry)
{
    return {[=](float x, float y) {
                const float px = (x - cx) / rx, py = (y - cy) / ry;
                const float k0 = length(px, py);
                const float k1 = length(px / rx, py / ry);
                return k1 > 0 ? k0 * (k0 - 1.0f) / k1 : -std::min(rx, ry);
            },
            {cx - rx, cy - ry, cx + rx, cy + ry}};
}

Shape roundedRect(float x0, float y0, float x1, float y1, float radius)
{
    const float cx = (x0 + x1) * 0.5f, cy = (y0 + y1) * 0.5f;
    const float hx = (x1 - x0) * 0.5f - radius, hy = (y1 - y0) * 0.5f - radius;
    return {[=](float x, float y) {
                const float qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
                return length(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) - radius;
            },
            {x0, y0, x1, y1}};
}

Shape polygon(std::vector<float> xy)
{
    Box box{xy[0], xy[1], xy[0], xy[1]};
    for (std::size_t i = 0; i + 1 < xy.size(); i += 2)
        box = merge(box, {xy[i], xy[i + 1], xy[i], xy[i + 1]});
    return {[v = std::move(xy)](float x, float y) {
                const std::size_t n = v.size() / 2;
                float best = 1e30f;
                bool inside = false;
                for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
                    const float ax = v[2 * j], ay = v[2 * j + 1], bx = v[2 * i], by = v[2 * i + 1];
                    const float ex = bx - ax, ey = by - ay, wx = x - ax, wy = y - ay;
                    const float t = std::clamp((wx * ex + wy * ey) / (ex * ex + ey * ey), 0.0f, 1.0f);
                    const float dx = wx - ex * t, dy = wy - ey * t;
                    best = std::min(best, dx * dx + dy * dy);
                    if ((ay > y) != (by > y) && x < ax + (y - ay) * ex / ey)
                        inside = !inside;
                }
                return inside ? -std::sqrt(best) : std::sqrt(best);
            },
            box};
}

Shape segment(float ax, float ay, float bx, float by, float halfWidth)
{
    return {[=](float x, float y) {
                const float ex = bx - ax, ey = by - ay, wx = x - ax, wy = y - ay;
                const float len2 = ex * ex + ey * ey;
                const float t = len2 > 0 ? std::clamp((wx * ex + wy * ey) / len2, 0.0f, 1.0f) : 0.0f;
                return length(wx - ex * t, wy - ey * t) - halfWidth;
            },
            grow({std::min(ax, bx), std::min(ay, by), std::max(ax, bx), std::max(ay, by)}, halfWidth)};
}

Shape ring(float cx, float cy, float radius, float halfWidth)
{
    return {[=](float x, float y) { return std::abs(length(x - cx, y - cy) - radius) - halfWidth; },
            grow({cx - radius, cy - radius, cx + radius, cy + radius}, halfWidth)};
}

Shape unite(const Shape& a, const Shape& b)
{
    return {[da = a.distance, db = b.distance](float x, float y) { return std::min(da(x, y), db(x, y)); },
            merge(a.bounds, b.bounds)};
}

Shape subtract(const Shape& a, const Shape& b)
{
    return {[da = a.distance, db = b.distance](float x, float y) { return std::max(da(x, y), -db(x, y)); },
            a.bounds};
}

Shape intersect(const Shape& a, const Shape& b)
{
    return {[da = a.distance, db = b.distance](float x, float y) { return std::max(da(x, y), db(x, y)); },
            {std::max(a.bounds.x0, b.bounds.x0), std::max(a.bounds.y0, b.bounds.y0),
             std::min(a.bounds.x1, b.bounds.x1), std::min(a.bounds.y1, b.bounds.y1)}};
}

Paint solid(const Rgba& colour)
{
    return [colour](float, float) { return colour; };
}

Paint linearGradient(float x0, float y0, const Rgba& c0, float x1, float y1, const Rgba& c1)
{
    const float dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    return [=](float x, float y) { return mix(c0, c1, clamp01(((x - x0) * dx + (y - y0) * dy) / len2)); };
}

Paint radialGradient(float cx, float cy, float radius, const Rgba& inner, const Rgba& outer)
{
    return [=](float x, float y) { return mix(inner, outer, clamp01(length(x - cx, y - cy) / radius)); };
}

float Mask::at(int x, int y) const
{
    const int mx = x - left, my = y - top;
    if (mx < 0 || my < 0 || mx >= width || my >= height)
        return 0.0f;
    return alpha[static_cast<std::size_t>(my) * width + mx];
}

void Mask::blur(float radius)
{
    const int k = std::max(1, static_cast<int>(std::lround(radius / 3.0f)));
    const int pad = 3 * k;
    const int w = width + 2 * pad, h = height + 2 * pad;
    std::vector<float> a(static_cast<std::size_t>(w) * h, 0.0f);
    for (int y = 0; y < height; ++y)
        std::copy_n(&alpha[static_cast<std::size_t>(y) * width], width, &a[static_cast<std::size_t>(y + pad) * w + pad]);
    std::vector<float> line;
    const float norm = 1.0f / (2 * k + 1);
    // Three box passes along each axis approach a Gaussian.
    auto pass = [&](int count, int length, int stride, int step) {
        line.resize(length);
        for (int c = 0; c < count; ++c) {
            float* p = &a[static_cast<std::size_t>(c) * stride];
            for (int i = 0; i < length; ++i)
                line[i] = p[static_cast<std::size_t>(i) * step];
            float sum = 0;
            for (int i = -k; i <= k; ++i)
                sum += (i >= 0 && i < length) ? line[i] : 0.0f;
            for (int i = 0; i < length; ++i) {
                p[static_cast<std::size_t>(i) * step] = sum * norm;
                const int out = i - k, in = i + k + 1;
                sum += (in < length ? line[in] : 0.0f) - (out >= 0 ? line[out] : 0.0f);
            }
        }
    };
    for (int i = 0; i < 3; ++i) {
        pass(h, w, w, 1);
        pass(w, h, 1, w);
    }
    alpha = std::move(a);
    left -= pad;
    top -= pad;
    width = w;
    height = h;
}

namespace {

// Squared distance along one line to the nearest zero of f (the lower
// envelope of parabolas), in place.
void distanceAlong(std::vector<float>& f, std::vector<float>& d, std::vector<int>& v, std::vector<float>& z)
{
    const int n = static_cast<int>(f.size());
    d.resize(n);
    v.resize(n);
    z.resize(n + 1);
    int k = 0;
    v[0] = 0;
    z[0] = -1e30f;
    z[1] = 1e30f;
    for (int q = 1; q < n; ++q) {
        float s = 0;
        while (true) {
            const int p = v[k];
            s = ((f[q] + q * q) - (f[p] + p * p)) / (2.0f * (q - p));
            if (s > z[k] || k == 0)
                break;
            --k;
        }
        if (s <= z[k]) {
            v[0] = q;
            z[0] = -1e30f;
            z[1] = 1e30f;
            k = 0;
            continue;
        }
        ++k;
        v[k] = q;
        z[k] = s;
        z[k + 1] = 1e30f;
    }
    k = 0;
    for (int q = 0; q < n; ++q) {
        while (z[k + 1] < q)
            ++k;
        const float dq = static_cast<float>(q - v[k]);
        d[q] = dq * dq + f[v[k]];
    }
    f.swap(d);
}

} // namespace

void Mask::grow(float radius)
{
    const int pad = static_cast<int>(std::ceil(radius)) + 2;
    const int w = width + 2 * pad, h = height + 2 * pad;
    constexpr float FAR = 1e20f;
    std::vector<float> dist(static_cast<std::size_t>(w) * h, FAR);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (alpha[static_cast<std::size_t>(y) * width + x] >= 0.5f)
                dist[static_cast<std::size_t>(y + pad) * w + x + pad] = 0.0f;
    std::vector<float> line, scratch, z;
    std::vector<int> v;
    for (int x = 0; x < w; ++x) {
        line.resize(h);
        for (int y = 0; y < h; ++y)
            line[y] = dist[static_cast<std::size_t>(y) * w + x];
        distanceAlong(line, scratch, v, z);
        for (int y = 0; y < h; ++y)
            dist[static_cast<std::size_t>(y) * w + x] = line[y];
    }
    for (int y = 0; y < h; ++y) {
        line.assign(&dist[static_cast<std::size_t>(y) * w], &dist[static_cast<std::size_t>(y) * w] + w);
        distanceAlong(line, scratch, v, z);
        std::copy(line.begin(), line.end(), &dist[static_cast<std::size_t>(y) * w]);
    }
    // Half a pixel of softness at the new edge, and the old coverage kept
    // where it was already larger.
    for (std::size_t i = 0; i < dist.size(); ++i)
        dist[i] = clamp01(radius + 0.5f - std::sqrt(dist[i]));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            float& d = dist[static_cast<std::size_t>(y + pad) * w + x + pad];
            d = std::max(d, alpha[static_cast<std::size_t>(y) * width + x]);
        }
    alpha = std::move(dist);
    left -= pad;
    top -= pad;
    width = w;
    height = h;
}

Canvas::Canvas(int width, int height, float designWidth)
    : width_(width), height_(height), scaleX_(designWidth > 0 ? width / designWidth : 1.0f),
      pixels_(static_cast<std::size_t>(width) * height * 4, 0.0f)
{
}

void Canvas::blend(int x, int y, const Rgba& c, float coverage, Blend mode)
{
    float* p = &pixels_[(static_cast<std::size_t>(y) * width_ + x) * 4];
    const float a = c.a * coverage;
    if (mode == Blend::Add) {
        p[0] = std::min(p[0] + c.r * a, 1.0f);
        p[1] = std::min(p[1] + c.g * a, 1.0f);
        p[2] = std::min(p[2] + c.b * a, 1.0f);
        return;
    }
    const float keep = 1.0f - a;
    p[0] = c.r * a + p[0] * keep;
    p[1] = c.g * a + p[1] * keep;
    p[2] = c.b * a + p[2] * keep;
    p[3] = a + p[3] * keep;
}

template <typename Coverage>
void Canvas::cover(const Box& bounds, float margin, const Paint& paint, Blend mode, Coverage coverage)
{
    const int x0 = std::max(0, static_cast<int>(std::floor((bounds.x0 - margin) * scaleX_)));
    const int x1 = std::min(width_, static_cast<int>(std::ceil((bounds.x1 + margin) * scaleX_)) + 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(bounds.y0 - margin)));
    const int y1 = std::min(height_, static_cast<int>(std::ceil(bounds.y1 + margin)) + 1);
    for (int y = y0; y < y1; ++y) {
        const float dy = y + 0.5f;
        for (int x = x0; x < x1; ++x) {
            const float dx = (x + 0.5f) / scaleX_;
            const float c = coverage(dx, dy);
            if (c > 0.0f)
                blend(x, y, paint(dx, dy), c, mode);
        }
    }
}

void Canvas::fill(const Shape& shape, const Paint& paint, Blend mode)
{
    // A design unit is between one pixel (along y) and scaleX pixels (along x).
    const float pixelsPerUnit = (1.0f + scaleX_) * 0.5f;
    cover(shape.bounds, 2.0f, paint, mode,
          [&](float x, float y) { return clamp01(0.5f - shape.distance(x, y) * pixelsPerUnit); });
}

void Canvas::fill(const Shape& shape, const Rgba& colour, Blend mode) { fill(shape, solid(colour), mode); }

void Canvas::stroke(const Shape& shape, float lineWidth, const Rgba& colour, Blend mode)
{
    const float pixelsPerUnit = (1.0f + scaleX_) * 0.5f;
    const float half = lineWidth * 0.5f;
    cover(shape.bounds, half + 2.0f, solid(colour), mode, [&](float x, float y) {
        return clamp01(0.5f - (std::abs(shape.distance(x, y)) - half) * pixelsPerUnit);
    });
}

void Canvas::glow(const Shape& shape, float radius, const Rgba& colour, Blend mode)
{
    cover(shape.bounds, radius, solid(colour), mode, [&](float x, float y) {
        const float t = clamp01(1.0f - shape.distance(x, y) / radius);
        return std::min(t, 1.0f) * t * t;
    });
}

void Canvas::drawMask(const Mask& mask, const Paint& paint, Blend mode)
{
    const int x0 = std::max(0, mask.left), x1 = std::min(width_, mask.left + mask.width);
    const int y0 = std::max(0, mask.top), y1 = std::min(height_, mask.top + mask.height);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const float c = mask.alpha[static_cast<std::size_t>(y - mask.top) * mask.width + (x - mask.left)];
            if (c > 0.0f)
                blend(x, y, paint((x + 0.5f) / scaleX_, y + 0.5f), c, mode);
        }
}

void Canvas::paintAll(const Paint& paint)
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            blend(x, y, paint((x + 0.5f) / scaleX_, y + 0.5f), 1.0f, Blend::Over);
}

std::vector<std::uint8_t> Canvas::toBytes() const
{
    std::vector<std::uint8_t> bytes(pixels_.size());
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const std::size_t i = (static_cast<std::size_t>(y) * width_ + x) * 4;
            const float a = clamp01(pixels_[i + 3]);
            const std::uint8_t alpha = static_cast<std::uint8_t>(std::lround(a * 255.0f));
            if (alpha == 0) {
                bytes[i] = bytes[i + 1] = bytes[i + 2] = bytes[i + 3] = 0;
                continue;
            }
            const float dither = (BAYER[(y & 3) * 4 + (x & 3)] + 0.5f) / 16.0f - 0.5f;
            for (int c = 0; c < 3; ++c) {
                const float v = clamp01(pixels_[i + c] / a) * 255.0f + dither;
                bytes[i + c] = static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
            }
            bytes[i + 3] = alpha;
        }
    return bytes;
}
