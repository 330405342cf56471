#include "platform/GlyphAtlas.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Unicode of the Windows-1252 bytes 0x80 to 0x9F; 0 where the code page
// leaves the byte undefined.
constexpr std::array<char32_t, 32> CP1252_HIGH = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr unsigned FIRST_PRINTABLE = 0x20;
constexpr unsigned DELETE = 0x7F;
constexpr unsigned HIGH_BLOCK = 0x80;
constexpr unsigned LATIN1_BLOCK = 0xA0;

// Control bytes have no glyph.
char32_t codePointOf(unsigned byte) {
    if (byte < FIRST_PRINTABLE || byte == DELETE) return 0;
    if (byte >= HIGH_BLOCK && byte < LATIN1_BLOCK) return CP1252_HIGH[byte - HIGH_BLOCK];
    return byte;
}

// A zero height asks for the system's default cell height.
constexpr int DEFAULT_CELL_HEIGHT = 16;
// Weight 0 means "don't care".
constexpr int NORMAL_WEIGHT = 400;
constexpr int FIXED_POINT_ONE = 64;  // FreeType's 26.6 sizes
constexpr int POINTS_AS_PIXELS_DPI = 72;
constexpr int ATLAS_PADDING = 1;
constexpr int MIN_ATLAS_WIDTH = 64;

struct FontFile {
    std::string path;
    int index = 0;
};

std::optional<FontFile> resolveFace(const std::string& face, int weight, bool italic) {
    if (!FcInit()) return std::nullopt;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight > 0 ? weight : NORMAL_WEIGHT));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return std::nullopt;

    std::optional<FontFile> found;
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        found = FontFile{reinterpret_cast<const char*>(file), 0};
        FcPatternGetInteger(match, FC_INDEX, 0, &found->index);
    }
    FcPatternDestroy(match);
    return found;
}

struct Library {
    FT_Library handle = nullptr;
    Library() {
        if (FT_Init_FreeType(&handle) != 0) handle = nullptr;
    }
    ~Library() {
        if (handle) FT_Done_FreeType(handle);
    }
};

struct Face {
    FT_Face handle = nullptr;
    ~Face() {
        if (handle) FT_Done_Face(handle);
    }
};

struct Coverage {
    int width = 0, height = 0;
    std::vector<std::uint8_t> alpha;
};

Coverage copyBitmap(const FT_Bitmap& bitmap) {
    Coverage c;
    c.width = static_cast<int>(bitmap.width);
    c.height = static_cast<int>(bitmap.rows);
    c.alpha.resize(static_cast<std::size_t>(c.width) * c.height);
    for (int row = 0; row < c.height; ++row) {
        const unsigned char* source = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        std::copy(source, source + c.width, c.alpha.begin() + static_cast<std::ptrdiff_t>(row) * c.width);
    }
    return c;
}

// Shelves of glyphs, left to right and top to bottom, in a picture about as
// wide as it is high.
void packAtlas(GlyphAtlas& atlas, const std::array<Coverage, 256>& bitmaps) {
    std::size_t area = 0;
    int widest = 0;
    for (const Coverage& c : bitmaps) {
        area += static_cast<std::size_t>(c.width + ATLAS_PADDING) * (c.height + ATLAS_PADDING);
        widest = std::max(widest, c.width + ATLAS_PADDING);
    }
    int width = MIN_ATLAS_WIDTH;
    while (static_cast<std::size_t>(width) * width < area) width *= 2;
    width = std::max(width, widest);

    int x = 0, y = 0, shelf = 0;
    for (std::size_t i = 0; i < bitmaps.size(); ++i) {
        const Coverage& c = bitmaps[i];
        if (c.width == 0 || c.height == 0) continue;
        if (x + c.width + ATLAS_PADDING > width) {
            x = 0;
            y += shelf;
            shelf = 0;
        }
        atlas.glyphs[i].atlasX = x;
        atlas.glyphs[i].atlasY = y;
        x += c.width + ATLAS_PADDING;
        shelf = std::max(shelf, c.height + ATLAS_PADDING);
    }

    atlas.atlas.width = width;
    atlas.atlas.height = std::max(1, y + shelf);
    atlas.atlas.rgba.assign(static_cast<std::size_t>(atlas.atlas.width) * atlas.atlas.height * 4, 0);
    for (std::size_t i = 0; i < 4 * static_cast<std::size_t>(atlas.atlas.width) * atlas.atlas.height; i += 4)
        atlas.atlas.rgba[i] = atlas.atlas.rgba[i + 1] = atlas.atlas.rgba[i + 2] = 255;
    for (std::size_t i = 0; i < bitmaps.size(); ++i) {
        const Coverage& c = bitmaps[i];
        const GlyphInfo& g = atlas.glyphs[i];
        for (int row = 0; row < c.height; ++row)
            for (int col = 0; col < c.width; ++col) {
                const std::size_t texel =
                    (static_cast<std::size_t>(g.atlasY + row) * atlas.atlas.width + g.atlasX + col) * 4;
                atlas.atlas.rgba[texel + 3] = c.alpha[static_cast<std::size_t>(row) * c.width + col];
            }
    }
}

}  // namespace

std::unique_ptr<GlyphAtlas> GlyphAtlas::create(const std::string& face, int height, int width,
                                               int weight, bool italic) {
    const std::optional<FontFile> file = resolveFace(face, weight, italic);
    if (!file) return nullptr;
    Library library;
    Face ftFace;
    if (!library.handle ||
        FT_New_Face(library.handle, file->path.c_str(), file->index, &ftFace.handle) != 0 ||
        !FT_IS_SCALABLE(ftFace.handle))
        return nullptr;
    FT_Face f = ftFace.handle;

    // The cell is the Windows ascent plus descent; for Arial and Liberation
    // Sans 2288 units of a 2048-unit em.
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
    double ascentUnits = f->ascender;
    double cellUnits = f->ascender - f->descender;
    if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
        ascentUnits = os2->usWinAscent;
        cellUnits = os2->usWinAscent + os2->usWinDescent;
    }
    const double unitsPerEm = f->units_per_EM;
    if (cellUnits <= 0.0 || unitsPerEm <= 0.0) return nullptr;

    auto atlas = std::make_unique<GlyphAtlas>();
    double emPixels = 0.0;
    if (height < 0) {  // a negative height is the em size itself
        emPixels = -static_cast<double>(height);
        atlas->cellHeight = static_cast<int>(std::lround(emPixels * cellUnits / unitsPerEm));
    } else {
        atlas->cellHeight = height > 0 ? height : DEFAULT_CELL_HEIGHT;
        emPixels = atlas->cellHeight * unitsPerEm / cellUnits;
    }
    atlas->ascent = static_cast<int>(std::lround(atlas->cellHeight * ascentUnits / cellUnits));
    // A width asks for that average character width.
    double emWidthPixels = emPixels;
    if (width > 0 && os2 && os2->xAvgCharWidth > 0) emWidthPixels = width * unitsPerEm / os2->xAvgCharWidth;
    if (FT_Set_Char_Size(f, static_cast<FT_F26Dot6>(std::lround(emWidthPixels * FIXED_POINT_ONE)),
                         static_cast<FT_F26Dot6>(std::lround(emPixels * FIXED_POINT_ONE)),
                         POINTS_AS_PIXELS_DPI, POINTS_AS_PIXELS_DPI) != 0)
        return nullptr;

    std::array<Coverage, 256> bitmaps;
    for (unsigned byte = 0; byte < bitmaps.size(); ++byte) {
        const char32_t codePoint = codePointOf(byte);
        if (codePoint == 0) continue;
        if (FT_Load_Char(f, codePoint, FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot slot = f->glyph;
        if (slot->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && slot->bitmap.width > 0) continue;
        GlyphInfo& g = atlas->glyphs[byte];
        bitmaps[byte] = copyBitmap(slot->bitmap);
        g.width = bitmaps[byte].width;
        g.height = bitmaps[byte].height;
        g.bearingX = slot->bitmap_left;
        g.bearingY = slot->bitmap_top;
        g.advance = static_cast<int>((slot->advance.x + FIXED_POINT_ONE / 2) / FIXED_POINT_ONE);
    }
    packAtlas(*atlas, bitmaps);
    return atlas;
}

int lineWidth(const GlyphAtlas& atlas, std::string_view line) {
    int width = 0;
    for (const char c : line)
        if (c != '\r') width += atlas.glyphs[static_cast<unsigned char>(c)].advance;
    return width;
}

namespace {

// Cuts a quad to the rectangle, moving its texels with its edges; false when
// nothing of it is left.
bool clipQuad(GlyphQuad& q, const Rect& rect) {
    const float left = static_cast<float>(rect.left), right = static_cast<float>(rect.right);
    const float top = static_cast<float>(rect.top), bottom = static_cast<float>(rect.bottom);
    if (q.x1 <= left || q.x0 >= right || q.y1 <= top || q.y0 >= bottom) return false;
    const float uPerPixel = (q.u1 - q.u0) / (q.x1 - q.x0);
    const float vPerPixel = (q.v1 - q.v0) / (q.y1 - q.y0);
    if (q.x0 < left) { q.u0 += (left - q.x0) * uPerPixel; q.x0 = left; }
    if (q.x1 > right) { q.u1 -= (q.x1 - right) * uPerPixel; q.x1 = right; }
    if (q.y0 < top) { q.v0 += (top - q.y0) * vPerPixel; q.y0 = top; }
    if (q.y1 > bottom) { q.v1 -= (q.y1 - bottom) * vPerPixel; q.y1 = bottom; }
    return true;
}

}  // namespace

void layoutText(const GlyphAtlas& atlas, std::string_view text, const Rect& rect,
                std::uint32_t format, std::vector<GlyphQuad>& quads) {
    quads.clear();
    if (text.empty()) return;

    const auto lineCount = 1 + std::count(text.begin(), text.end(), '\n');
    const int blockHeight = static_cast<int>(lineCount) * atlas.cellHeight;
    int lineTop = rect.top;
    if (format & DT_BOTTOM) lineTop = rect.bottom - blockHeight;
    else if (format & DT_VCENTER) lineTop = rect.top + (rect.bottom - rect.top - blockHeight) / 2;

    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t feed = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, feed - start);
        start = feed + 1;
        int pen = rect.left;
        if (format & DT_RIGHT) pen = rect.right - lineWidth(atlas, line);
        else if (format & DT_CENTER) pen = rect.left + (rect.right - rect.left - lineWidth(atlas, line)) / 2;
        for (const char c : line) {
            if (c == '\r') continue;
            const GlyphInfo& g = atlas.glyphs[static_cast<unsigned char>(c)];
            if (g.width > 0 && g.height > 0) {
                GlyphQuad q;
                q.x0 = static_cast<float>(pen + g.bearingX);
                q.y0 = static_cast<float>(lineTop + atlas.ascent - g.bearingY);
                q.x1 = q.x0 + static_cast<float>(g.width);
                q.y1 = q.y0 + static_cast<float>(g.height);
                q.u0 = static_cast<float>(g.atlasX);
                q.v0 = static_cast<float>(g.atlasY);
                q.u1 = static_cast<float>(g.atlasX + g.width);
                q.v1 = static_cast<float>(g.atlasY + g.height);
                if (clipQuad(q, rect)) quads.push_back(q);
            }
            pen += g.advance;
        }
        lineTop += atlas.cellHeight;
    }
}

std::vector<GlyphQuad> layoutText(const GlyphAtlas& atlas, std::string_view text, const Rect& rect,
                                  std::uint32_t format) {
    std::vector<GlyphQuad> quads;
    layoutText(atlas, text, rect, format, quads);
    return quads;
}
