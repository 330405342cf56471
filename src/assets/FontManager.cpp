#include "assets/FontManager.h"

#include "platform/Font.h"
#include "platform/GraphicsDevice.h"

FontManager& FontManager::instance() {
    static FontManager registry;
    return registry;
}

FontManager::~FontManager() = default;

void FontManager::createFont(std::string name, std::string face, int height, int width, bool italic,
                             int weight) {
    if (fonts.count(name)) return;
    std::unique_ptr<Font> font;
    std::unique_ptr<GlyphAtlas> atlas;
    if (device && decoder.take(key({face, height, width, italic, weight}), atlas))
        font = device->createFont(std::move(atlas), height, weight, face);
    else if (device)
        font = device->createFont(height, width, weight, italic, face);
    fonts.emplace(std::move(name), std::move(font));
}

std::string FontManager::key(const FontRequest& request) {
    return request.face + ' ' + std::to_string(request.height) + ' ' + std::to_string(request.width) + ' ' +
           std::to_string(request.italic) + ' ' + std::to_string(request.weight);
}

void FontManager::decodeAhead(const std::vector<FontRequest>& requests) {
    std::vector<std::string> keys;
    std::map<std::string, FontRequest> byKey;
    for (const FontRequest& request : requests) {
        keys.push_back(key(request));
        byKey.emplace(keys.back(), request);
    }
    decoder.start(keys, [byKey](const std::string& fontKey) {
        const FontRequest& request = byKey.at(fontKey);
        return GlyphAtlas::create(request.face, request.height, request.width, request.weight, request.italic);
    });
}

namespace {

constexpr std::uint32_t COMPONENT_MASK = 0xFF;

// ARGB from the low 8 bits of each component.
std::uint32_t argb(int alpha, int red, int green, int blue) {
    const auto component = [](int value) { return static_cast<std::uint32_t>(value) & COMPONENT_MASK; };
    return component(alpha) << 24 | component(red) << 16 | component(green) << 8 | component(blue);
}

}  // namespace

// A name never created, or whose font failed, draws nothing.
void FontManager::drawText(std::string_view fontName, std::string_view text, int left, int top, int right,
                           int bottom, int red, int green, int blue, int alpha, int format) {
    const Rect rect{left, top, right, bottom};
    const auto found = fonts.find(fontName);
    if (found == fonts.end() || !found->second) return;
    found->second->drawText(text, rect, static_cast<std::uint32_t>(format), argb(alpha, red, green, blue));
}

int FontManager::textWidth(std::string_view fontName, std::string_view text) const {
    const auto found = fonts.find(fontName);
    return found == fonts.end() || !found->second ? 0 : found->second->textWidth(text);
}
