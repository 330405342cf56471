#pragma once

#include <string>

class GraphicsDevice;
class Window;

// The ambient level of the whole run: a dim grey under every light.
constexpr unsigned int RUN_AMBIENT = 0xFF323232u;

// Creates the drawing device on the window with the size and multisampling
// of Config, fixes the run-wide render states and keeps the device in the
// GraphicsContext. False, with the reason in error, when the window cannot
// draw with OpenGL 3.3.
bool setUpDevice(Window& window, std::string& error);

// Lighting, depth test, the ambient level, alpha blending with source alpha
// over one minus source alpha, and multisample antialiasing, for the run.
void setRunRenderStates(GraphicsDevice& device);
