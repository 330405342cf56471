#pragma once

#include <cstdint>
#include <memory>
#include <optional>

class GraphicsDevice;
class Window;

// The window and the drawing device, kept where everything that draws can
// reach them. Created first at start-up and destroyed last at exit, so the
// device outlives every texture, mesh and font made on it.
class GraphicsContext {
public:
    static GraphicsContext& instance();
    ~GraphicsContext();

    std::unique_ptr<Window> window;
    std::unique_ptr<GraphicsDevice> device;
    // The fingerprint of the page the window shows (GraphicsDevice::endLook);
    // empty while it shows anything else.
    std::optional<std::uint64_t> shownPageLook;

private:
    GraphicsContext() = default;
};
