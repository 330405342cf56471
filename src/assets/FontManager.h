#pragma once

#include "assets/DecodeAhead.h"
#include "platform/GlyphAtlas.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class Font;
class GraphicsDevice;

// A font as createFont asks for it.
struct FontRequest {
    std::string face;
    int height = 0;
    int width = 0;
    bool italic = false;
    int weight = 0;
};

// Every font of the game, created once under a short name, and the one way
// text reaches the screen.
class FontManager {
public:
    static constexpr int FONT_WEIGHT_NORMAL = 400;

    static FontManager& instance();
    ~FontManager();

    void createFont(std::string name, std::string face, int height, int width, bool italic,
                    int weight);
    // Starts rasterising these fonts on a worker; any other font is
    // rasterised when it is created.
    void decodeAhead(const std::vector<FontRequest>& requests);
    // Whether creating this font would not wait for its rasterising.
    bool ready(const FontRequest& request) const { return decoder.ready(key(request)); }
    // Copies nothing: text is drawn every frame.
    void drawText(std::string_view fontName, std::string_view text, int left, int top, int right,
                  int bottom, int red, int green, int blue, int alpha, int format);
    // How wide one line of text is drawn in the font; 0 without the font.
    int textWidth(std::string_view fontName, std::string_view text) const;

    GraphicsDevice* device = nullptr;
    std::map<std::string, std::unique_ptr<Font>, std::less<>> fonts;

private:
    FontManager() = default;
    static std::string key(const FontRequest& request);

    DecodeAhead<std::unique_ptr<GlyphAtlas>> decoder;
};
