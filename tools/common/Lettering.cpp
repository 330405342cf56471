#include "common/Lettering.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H

#include <algorithm>
#include <cmath>

namespace {

std::string findFontFile(const std::string& pattern)
{
    std::string path;
    FcConfig* config = FcInitLoadConfigAndFonts();
    FcPattern* wanted = FcNameParse(reinterpret_cast<const FcChar8*>(pattern.c_str()));
    FcConfigSubstitute(config, wanted, FcMatchPattern);
    FcDefaultSubstitute(wanted);
    FcResult result = FcResultNoMatch;
    if (FcPattern* found = FcFontMatch(config, wanted, &result)) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch)
            path = reinterpret_cast<const char*>(file);
        FcPatternDestroy(found);
    }
    FcPatternDestroy(wanted);
    FcConfigDestroy(config);
    return path;
}

constexpr float FIXED_26_6 = 64.0f;
constexpr float FIXED_16_16 = 65536.0f;

} // namespace

struct Lettering::Face {
    FT_Library library = nullptr;
    FT_Face face = nullptr;

    ~Face()
    {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }

    // Sets the size and the squeeze/lean transform for one line.
    void prepare(const TextStyle& style, float scaleX) const
    {
        FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(style.size * FIXED_26_6)), 72, 72);
        FT_Matrix m;
        m.xx = static_cast<FT_Fixed>(std::lround(scaleX * FIXED_16_16));
        m.xy = static_cast<FT_Fixed>(std::lround(style.slant * scaleX * FIXED_16_16));
        m.yx = 0;
        m.yy = static_cast<FT_Fixed>(FIXED_16_16);
        FT_Set_Transform(face, &m, nullptr);
    }

    // Pen advance (pixels) before each character and the total.
    template <typename Visit>
    float walk(const std::string& text, const TextStyle& style, float scaleX, Visit visit) const
    {
        float pen = 0;
        FT_UInt previous = 0;
        for (unsigned char ch : text) {
            const FT_UInt index = FT_Get_Char_Index(face, ch);
            if (previous && index && FT_HAS_KERNING(face)) {
                FT_Vector kern{};
                FT_Get_Kerning(face, previous, index, FT_KERNING_UNFITTED, &kern);
                pen += kern.x / FIXED_26_6 * scaleX;
            }
            if (FT_Load_Glyph(face, index, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0)
                continue;
            visit(pen, face->glyph);
            pen += face->glyph->advance.x / FIXED_26_6 + style.tracking * scaleX;
            previous = index;
        }
        return pen - (text.empty() ? 0 : style.tracking * scaleX);
    }
};

Lettering::Lettering(const std::string& pattern) : face_(std::make_unique<Face>())
{
    const std::string file = findFontFile(pattern);
    if (file.empty() || FT_Init_FreeType(&face_->library) != 0)
        return;
    if (FT_New_Face(face_->library, file.c_str(), 0, &face_->face) != 0)
        face_->face = nullptr;
}

Lettering::~Lettering() = default;

bool Lettering::ready() const { return face_->face != nullptr; }

float Lettering::measure(const std::string& text, const TextStyle& style, float scaleX) const
{
    if (!ready())
        return 0;
    face_->prepare(style, scaleX);
    return face_->walk(text, style, scaleX, [](float, FT_GlyphSlot) {}) / scaleX;
}

Mask Lettering::render(const std::string& text, const TextStyle& style, float scaleX, float x, float y,
                       float spread) const
{
    Mask mask;
    if (!ready())
        return mask;
    face_->prepare(style, scaleX);
    struct Piece {
        FT_BitmapGlyph glyph;
        int left, top;
    };
    std::vector<Piece> pieces;
    // The pen starts on whole pixels plus the fraction carried in the outline offset.
    const float originX = std::floor(x), originY = std::floor(y);
    const float fracX = x - originX, fracY = y - originY;
    face_->walk(text, style, scaleX, [&](float pen, FT_GlyphSlot slot) {
        FT_Glyph glyph = nullptr;
        if (FT_Get_Glyph(slot, &glyph) != 0)
            return;
        const float penX = pen + fracX;
        const float whole = std::floor(penX);
        FT_Vector shift{static_cast<FT_Pos>(std::lround((penX - whole) * FIXED_26_6)),
                        static_cast<FT_Pos>(std::lround(-fracY * FIXED_26_6))};
        if (FT_Glyph_To_Bitmap(&glyph, FT_RENDER_MODE_NORMAL, &shift, true) != 0) {
            FT_Done_Glyph(glyph);
            return;
        }
        auto* bitmap = reinterpret_cast<FT_BitmapGlyph>(glyph);
        pieces.push_back({bitmap, static_cast<int>(originX + whole) + bitmap->left,
                          static_cast<int>(originY) - bitmap->top});
    });
    if (pieces.empty())
        return mask;
    int x0 = pieces[0].left, y0 = pieces[0].top, x1 = x0, y1 = y0;
    for (const Piece& p : pieces) {
        x0 = std::min(x0, p.left);
        y0 = std::min(y0, p.top);
        x1 = std::max(x1, p.left + static_cast<int>(p.glyph->bitmap.width));
        y1 = std::max(y1, p.top + static_cast<int>(p.glyph->bitmap.rows));
    }
    mask.left = x0;
    mask.top = y0;
    mask.width = x1 - x0;
    mask.height = y1 - y0;
    mask.alpha.assign(static_cast<std::size_t>(mask.width) * mask.height, 0.0f);
    for (const Piece& p : pieces) {
        const FT_Bitmap& b = p.glyph->bitmap;
        for (unsigned row = 0; row < b.rows; ++row)
            for (unsigned col = 0; col < b.width; ++col) {
                const float v = b.buffer[row * b.pitch + col] / 255.0f;
                float& dst = mask.alpha[static_cast<std::size_t>(p.top - y0 + row) * mask.width + (p.left - x0 + col)];
                dst = dst + v - dst * v;  // overlapping glyphs unite
            }
        FT_Done_Glyph(reinterpret_cast<FT_Glyph>(p.glyph));
    }
    if (spread > 0)
        mask.grow(spread);
    return mask;
}

void Lettering::draw(Canvas& canvas, const std::string& text, float x, float y, Align align,
                     const TextStyle& style) const
{
    if (!ready())
        return;
    const float sx = canvas.scaleX();
    const float width = measure(text, style, sx);
    float left = x;
    if (align == Align::Centre)
        left = x - width * 0.5f;
    else if (align == Align::Right)
        left = x - width;
    // The lean moves the letters' tops right; shift back by half of it so
    // the lettering stays centred on its middle height.
    left -= style.slant * style.size * 0.35f;
    const float px = left * sx, py = y;
    const float edge = style.outlineWidth;
    if (style.glow.a > 0 && style.glowRadius > 0) {
        Mask halo = render(text, style, sx, px, py, edge + style.glowRadius * 0.25f);
        halo.blur(style.glowRadius);
        canvas.drawMask(halo, solid(style.glow), Blend::Over);
    }
    if (style.shadow.a > 0 && style.shadowOffset != 0) {
        const Mask shade = render(text, style, sx, px + style.shadowOffset * 0.5f * sx, py + style.shadowOffset, edge);
        canvas.drawMask(shade, solid(style.shadow));
    }
    if (style.outline.a > 0 && edge > 0)
        canvas.drawMask(render(text, style, sx, px, py, edge), solid(style.outline));
    canvas.drawMask(render(text, style, sx, px, py, 0), style.fill);
}
