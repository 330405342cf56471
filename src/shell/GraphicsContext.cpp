#include "shell/GraphicsContext.h"

#include "platform/GraphicsDevice.h"
#include "platform/Window.h"

GraphicsContext& GraphicsContext::instance() {
    static GraphicsContext context;
    return context;
}

// The device goes first: its OpenGL context lives on the window.
GraphicsContext::~GraphicsContext() {
    device.reset();
    window.reset();
}
