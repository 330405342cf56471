#pragma once

#include "common/Canvas.h"

#include <memory>
#include <string>

// How a line of lettering looks. Sizes are in design units of the canvas.
struct TextStyle {
    float size = 64;             // height of the em square
    float slant = 0;             // forward lean, as x shift per unit of height
    float tracking = 0;          // extra space between letters
    Paint fill = solid({1, 1, 1, 1});
    Rgba outline{0, 0, 0, 0};    // drawn around the letters when opaque
    float outlineWidth = 0;
    Rgba glow{0, 0, 0, 0};       // soft halo behind everything
    float glowRadius = 0;
    Rgba shadow{0, 0, 0, 0};     // the outlined shape again, offset down
    float shadowOffset = 0;
};

enum class Align { Left, Centre, Right };

// Lettering in a font found through fontconfig (Liberation Sans Bold by
// default), laid out with the font's kerning, drawn as antialiased masks.
class Lettering {
public:
    explicit Lettering(const std::string& pattern = "Liberation Sans:bold");
    ~Lettering();
    Lettering(const Lettering&) = delete;
    Lettering& operator=(const Lettering&) = delete;

    bool ready() const;
    // Width of the line's advance, in design units.
    float measure(const std::string& text, const TextStyle& style, float scaleX) const;
    // Coverage of the line with its baseline at y and its pen start at x (pixels),
    // grown by `spread` pixels when positive.
    Mask render(const std::string& text, const TextStyle& style, float scaleX, float x, float y, float spread) const;
    // Draws the line with its baseline at y, aligned on x (design units).
    void draw(Canvas& canvas, const std::string& text, float x, float y, Align align, const TextStyle& style) const;

private:
    struct Face;
    std::unique_ptr<Face> face_;
};
