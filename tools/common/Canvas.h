#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// Straight (not premultiplied) colour, every component from 0 to 1.
struct Rgba {
    float r = 0, g = 0, b = 0, a = 0;
};

// 0xRRGGBB with an opacity.
Rgba rgb(std::uint32_t hex, float alpha = 1.0f);
Rgba mix(const Rgba& from, const Rgba& to, float t);
Rgba withAlpha(const Rgba& colour, float alpha);

// Signed distance from a shape's edge, negative inside, in design units.
using Distance = std::function<float(float x, float y)>;
// Colour of a point of the design space.
using Paint = std::function<Rgba(float x, float y)>;

struct Box {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

struct Shape {
    Distance distance;
    Box bounds;
};

Shape circle(float cx, float cy, float radius);
Shape ellipse(float cx, float cy, float rx, float ry);
Shape roundedRect(float x0, float y0, float x1, float y1, float radius);
Shape polygon(std::vector<float> xy);  // x0, y0, x1, y1, ...
Shape segment(float ax, float ay, float bx, float by, float halfWidth);
Shape ring(float cx, float cy, float radius, float halfWidth);
Shape unite(const Shape& a, const Shape& b);
Shape subtract(const Shape& a, const Shape& b);
Shape intersect(const Shape& a, const Shape& b);

Paint solid(const Rgba& colour);
Paint linearGradient(float x0, float y0, const Rgba& c0, float x1, float y1, const Rgba& c1);
Paint radialGradient(float cx, float cy, float radius, const Rgba& inner, const Rgba& outer);

// Coverage of a picture in pixels, placed with its top-left texel at (left, top).
struct Mask {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<float> alpha;

    float at(int x, int y) const;  // pixel coordinates of the canvas; 0 outside
    void blur(float radius);       // soft spread, grows the mask by the radius
    void grow(float radius);       // hard spread: everything within the radius of the shape
};

enum class Blend { Over, Add };

// An RGBA picture drawn in a design space that may be wider than the pixels:
// pictures that the game stretches to a 4:3 or 16:10 screen are drawn
// squeezed along x so that they look right once stretched.
class Canvas {
public:
    Canvas(int width, int height, float designWidth = 0);

    int width() const { return width_; }
    int height() const { return height_; }
    float designWidth() const { return width_ / scaleX_; }
    float scaleX() const { return scaleX_; }  // pixels per design unit along x

    void fill(const Shape& shape, const Paint& paint, Blend blend = Blend::Over);
    void fill(const Shape& shape, const Rgba& colour, Blend blend = Blend::Over);
    void stroke(const Shape& shape, float lineWidth, const Rgba& colour, Blend blend = Blend::Over);
    // A halo fading out to `radius` beyond the shape's edge.
    void glow(const Shape& shape, float radius, const Rgba& colour, Blend blend = Blend::Add);
    void drawMask(const Mask& mask, const Paint& paint, Blend blend = Blend::Over);
    void paintAll(const Paint& paint);

    // 8-bit RGBA rows from the top, lightly dithered so gradients do not band.
    std::vector<std::uint8_t> toBytes() const;

private:
    void blend(int x, int y, const Rgba& colour, float coverage, Blend mode);
    template <typename Coverage>
    void cover(const Box& bounds, float margin, const Paint& paint, Blend mode, Coverage coverage);

    int width_;
    int height_;
    float scaleX_;
    std::vector<float> pixels_;  // premultiplied RGBA
};
