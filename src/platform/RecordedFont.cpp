#include "platform/RecordedFont.h"

#include "platform/RecordingDevice.h"

#include <algorithm>

RecordedFont::RecordedFont(RecordingDevice& device, std::string face, int height, int weight,
                           std::unique_ptr<GlyphAtlas> atlas)
    : face(std::move(face)), height(height), weight(weight), atlas(std::move(atlas)), device_(device) {
    ++alive;
}

RecordedFont::~RecordedFont() {
    --alive;
    ++destroyed;
}

int RecordedFont::drawText(std::string_view text, const Rect& rect, std::uint32_t format,
                           std::uint32_t color) {
    DeviceCall& call = device_.record(DeviceCall::Kind::Text);
    call.font = this;
    call.face = face;
    call.height = height;
    call.text = std::string(text);
    call.rect = rect;
    call.format = format;
    call.color = color;
    call.glyphs = layoutText(*atlas, text, rect, format);
    if (text.empty()) return 0;
    const auto lines = 1 + std::count(text.begin(), text.end(), '\n');
    return static_cast<int>(lines) * atlas->cellHeight;
}
