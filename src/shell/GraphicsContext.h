#pragma once

#include <memory>

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

private:
    GraphicsContext() = default;
};
