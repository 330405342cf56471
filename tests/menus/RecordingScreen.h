#pragma once

#include "assets/FontManager.h"
#include "platform/DeviceCall.h"
#include "support/RecordingGraphics.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

// The recording device handed to the registries as the start-up does, so
// that pages and the scene draw onto it and tests read back the texts and
// pictures asked for.
class RecordingScreen {
public:
    std::vector<const DeviceCall*> texts() const { return device->callsOf(DeviceCall::Kind::Text); }
    // The text call that drew exactly this text, or null.
    const DeviceCall* text(const std::string& content) const {
        for (const DeviceCall* call : texts())
            if (call->text == content) return call;
        return nullptr;
    }

    RecordingDevice* device = &installRecordingDevice();
};

// 0xAARRGGBB, as the device receives a text's colour.
constexpr std::uint32_t WHITE = 0xFFFFFFFF, RED = 0xFFFF0000, BLUE = 0xFF0000FF, TITLE_BLUE = 0xFF8080FF;

// Whether a text was drawn in this box, with this alignment and colour.
inline testing::AssertionResult drawnIn(const DeviceCall* call, int left, int top, int right,
                                        int bottom, std::uint32_t format, std::uint32_t color) {
    if (!call) return testing::AssertionFailure() << "not drawn";
    const Rect& r = call->rect;
    return testing::AssertionResult(std::tuple(r.left, r.top, r.right, r.bottom, call->format, call->color) ==
                                    std::tuple(left, top, right, bottom, format, color))
           << '"' << call->text << "\" in (" << r.left << ", " << r.top << ")-(" << r.right << ", "
           << r.bottom << "), format " << call->format << ", colour " << std::hex << call->color;
}
