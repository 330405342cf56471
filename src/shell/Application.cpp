#include "shell/Application.h"

#include "assets/FontManager.h"
#include "assets/MeshManager.h"
#include "assets/TextureManager.h"
#include "audio/SoundManager.h"
#include "input/InputManager.h"
#include "match/Game.h"
#include "match/MatchPhase.h"
#include "match/OnlinePhase.h"
#include "match/MenuPhase.h"
#include "platform/Clock.h"
#include "platform/GraphicsDevice.h"
#include "platform/Memory.h"
#include "platform/Window.h"
#include "shell/Config.h"
#include "shell/DeviceSetup.h"
#include "shell/FramePacer.h"
#include "shell/GraphicsContext.h"
#include "shell/LightManager.h"
#include "shell/LoopObserver.h"
#include "shell/RenderFrame.h"
#include "shell/TimeStep.h"

#include <cstdio>
#include <future>
#include <string>

namespace {

constexpr const char* WINDOW_TITLE = "Korvandeltix";
constexpr int START_FAILED = 1;
// About the longest a start-up upload takes: a 1024 x 1024 picture and its
// mip chain on a software renderer.
constexpr std::int64_t LOADING_MARGIN_US = 8000;

int startFailed(const std::string& reason) {
    std::fprintf(stderr, "korvandeltix: %s\n", reason.c_str());
    return START_FAILED;
}

}  // namespace

int runApplication(LoopObserver* observer) {
    returnLargeBuffersToTheSystem();
    // The singletons, in this order, so that they go in the reverse order at
    // exit, however it comes: the graphics context first (its device must
    // outlive every texture, mesh and font), then the input devices, the
    // texture, mesh and font registries, the game, the settings, the sound
    // registry, and the light slots last.
    GraphicsContext& graphics = GraphicsContext::instance();
    InputManager& input = InputManager::instance();
    Game& game = Game::instance();
    const Config& config = Config::instance();
    SoundManager::instance();
    LightManager& lights = LightManager::instance();

    // The display first, before any thread exists to fork beside; then the
    // start-up files decode while the window and the devices come up.
    std::string error;
    if (!Window::startVideo(error)) return startFailed(error);
    game.decodeAhead();
    // The sound output opens on a worker meanwhile too; without one the
    // game runs silently.
    std::future<bool> audioOpened = std::async(std::launch::async, openAudioDevice);

    graphics.window =
        Window::open(WINDOW_TITLE, config.width, config.height, config.fullscreen == 1, error);
    if (!graphics.window) return startFailed(error);
    if (!setUpDevice(*graphics.window, error)) return startFailed(error);
    input.initKeyboard(Config::filePath);
    input.enumerateJoysticks(Config::filePath);
    // Every picture, model and font is made on the one device; all 2D
    // pictures go through the one sprite.
    TextureManager& textures = TextureManager::instance();
    textures.device = graphics.device.get();
    textures.spriteOwner = graphics.device->createSprite();
    textures.sprite = textures.spriteOwner.get();
    MeshManager::instance().device = graphics.device.get();
    FontManager::instance().device = graphics.device.get();
    audioOpened.wait();
    SoundManager::instance().setVolume(SoundKind::Music, config.musicVolume);
    SoundManager::instance().setVolume(SoundKind::Effect, config.effectsVolume);
    // From here on the intro is the open page, with its music; the rest
    // loads behind it.
    game.loadAssets();

    lights.initLights();
    lights.addSceneLight();

    GraphicsDevice& device = *graphics.device;
    const FramePacer pacer(device.refreshRate());
    bool loadingReported = false;
    bool restDecoding = false;
    std::uint32_t previous = tickCount();
    for (;;) {
        const std::int64_t frameStart = nowMicroseconds();
        const std::uint32_t now = tickCount();
        const int step = timeStep(previous, now);
        previous = tickCount();
        const WindowEvents events = graphics.window->pumpEvents();
        if (events.quit) return 0;
        if (events.focusLost) pauseOnFocusLoss();
        input.updateControls();
        game.loadNextAsset();
        if (observer && !loadingReported && game.assetsLoaded()) {
            observer->assetsLoaded();
            loadingReported = true;
        }
        if (game.online || game.endedOnline) updateOnline();
        if (game.menu)
            updateMenu(step);
        else
            updateMatch(step);
        const bool presented = renderFrame(events.redraw);
        if (observer) observer->framePassed(presented);
        // The intro is on screen: the other start-up files may now decode
        // without slowing its first frame.
        if (!restDecoding) {
            game.decodeTheRest();
            restDecoding = true;
        }
        const std::int64_t nextFrame =
            pacer.nextFrameStart(frameStart, device.vsyncRequested(), device.lastSwapMicroseconds());
        // The wait for the next refresh goes to the loading behind the intro,
        // while enough of it is left for one more upload.
        while (nowMicroseconds() + LOADING_MARGIN_US < nextFrame && game.loadNextAsset()) {
        }
        waitUntil(nextFrame);
    }
}
