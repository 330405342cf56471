#include "shell/Application.h"

#include "audio/SoundManager.h"
#include "input/InputManager.h"
#include "platform/Clock.h"
#include "platform/Window.h"
#include "shell/Config.h"
#include "shell/DeviceSetup.h"
#include "shell/GraphicsContext.h"
#include "shell/LightManager.h"
#include "shell/RenderFrame.h"
#include "shell/TimeStep.h"

#include <cstdio>
#include <optional>
#include <string>

namespace {

constexpr const char* WINDOW_TITLE = "Korvandeltix";
constexpr int LOOP_SLEEP_MS = 10;
constexpr int START_FAILED = 1;

int startFailed(const std::string& reason) {
    std::fprintf(stderr, "korvandeltix: %s\n", reason.c_str());
    return START_FAILED;
}

}  // namespace

int runApplication() {
    // The singletons, in this order, so that they go in the reverse order at
    // exit, however it comes: the graphics context first (its device must
    // outlive every texture, mesh and font), then the input devices, the
    // texture, mesh and font registries, the game, the settings, the sound
    // registry, and the light slots last.
    GraphicsContext& graphics = GraphicsContext::instance();
    InputManager& input = InputManager::instance();
    const Config& config = Config::instance();
    SoundManager::instance();
    LightManager& lights = LightManager::instance();

    std::string error;
    graphics.window =
        Window::open(WINDOW_TITLE, config.width, config.height, config.fullscreen == 1, error);
    if (!graphics.window) return startFailed(error);
    if (!setUpDevice(*graphics.window, error)) return startFailed(error);
    input.initKeyboard();
    input.enumerateJoysticks();
    // Without a sound output the game runs silently.
    openAudioDevice();

    // The device and shared sprite for the registries and the game's assets
    // come here; the scene light comes last.
    lights.initLights();
    lights.addSceneLight();

    tickCount();
    std::uint32_t previous = tickCount();
    for (;;) {
        const std::uint32_t now = tickCount();
        // Handed to the phase step of the game once the game exists.
        [[maybe_unused]] const int step = timeStep(previous, now);
        previous = tickCount();
        if (const std::optional<int> exitCode = graphics.window->pumpMessage()) return *exitCode;
        input.updateControls();
        // The one phase step of the game comes here.
        renderFrame();
        sleepMilliseconds(LOOP_SLEEP_MS);
    }
}
