#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

class Font;
class GraphicsDevice;

// Every font of the game, created once under a short name, and the one way
// text reaches the screen.
class FontManager {
public:
    static constexpr int FONT_WEIGHT_NORMAL = 400;

    static FontManager& instance();
    ~FontManager();

    void createFont(std::string name, std::string face, int height, int width, bool italic,
                    int weight);
    // Copies nothing: text is drawn every frame.
    void drawText(std::string_view fontName, std::string_view text, int left, int top, int right,
                  int bottom, int red, int green, int blue, int alpha, int format);

    GraphicsDevice* device = nullptr;
    std::map<std::string, std::unique_ptr<Font>, std::less<>> fonts;

private:
    FontManager() = default;
};
