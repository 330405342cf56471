#pragma once

#include "platform/GraphicsTypes.h"

#include <cstdint>
#include <string_view>

// A face at one cell height, able to lay out and draw Windows-1252 text in a
// rectangle with the DT_* flags. Draws at once, alpha-blended, over what is
// already there.
class Font {
public:
    virtual ~Font() = default;
    // Returns the height of the drawn text in pixels (0 when nothing drawn).
    virtual int drawText(std::string_view text, const Rect& rect, std::uint32_t format,
                         std::uint32_t color) = 0;
    // How wide one line of text is drawn, in pixels.
    virtual int textWidth(std::string_view text) const = 0;
};
