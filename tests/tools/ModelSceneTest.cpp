// The generated models drawn on the real OpenGL device, where a match puts
// them at its start: the arena, the small robot for player 1 at (6, 0) and
// the big one for player 2 at (-6, 0), and the disc at (4, 0, -4.9). With
// KORV_SCREENSHOT_DIR set, the picture is also written there.
#include "assets/MeshManager.h"
#include "platform/GlDevice.h"
#include "platform/Window.h"
#include "scene/Object3D.h"
#include "shell/DeviceSetup.h"
#include "shell/GraphicsContext.h"
#include "shell/LightManager.h"
#include "shell/RenderFrame.h"

#include "support/PictureFiles.h"
#include "support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

struct Placed {
    const char* path;
    double x, y, z, scale[3], rotation[3];
};

// Where a match puts the arena and, at its start, the robots and the disc:
// player 1 faces -x (heading 180) and player 2 +x, both looking at the disc.
const Placed ARENA = {"Meshes/Arena/arena.x", 0, 0.03, -5.5, {2.2, 1.5, 1.5}, {90, 90, 0}};
const Placed ACTORS[] = {
    {"Meshes/Robot/Small/head.x", 6, 0, -5, {0.3, 0.3, 0.3}, {90, 180, 90}},
    {"Meshes/Robot/Small/body.x", 6, 0, -5, {0.3, 0.3, 0.3}, {90, 180, 90}},
    {"Meshes/Robot/Small/bottom.x", 6, 0, -5, {0.3, 0.3, 0.3}, {90, 180, 90}},
    {"Meshes/Robot/Big/head.x", -6, 0, -5, {0.3, 0.3, 0.3}, {90, 0, 90}},
    {"Meshes/Robot/Big/body.x", -6, 0, -5, {0.3, 0.3, 0.3}, {90, 0, 90}},
    {"Meshes/Robot/Big/bottom.x", -6, 0, -5, {0.3, 0.3, 0.3}, {90, 0, 90}},
    {"Meshes/Frisbee/frisbee.x", 4, 0, -4.9, {0.2, 0.2, 0.2}, {90, 30, 90}},
};

// Drawn as the game draws them: through the mesh registry and Object3D.
void draw(const Placed& placed) {
    Object3D object(placed.x, placed.y, placed.z, placed.scale[0], placed.scale[1], placed.scale[2],
                    placed.rotation[0], placed.rotation[1], placed.rotation[2], 0, 0, 0);
    object.mesh = MeshManager::instance().loadMesh(placed.path, placed.path);
    EXPECT_GT(object.mesh->materialCount, 0u) << placed.path;
    object.draw();
}

}  // namespace

// The rally scene's test checks where each actor shows; this one checks that
// the arena fills the view and keeps the picture of the match's start.
TEST(ModelScene, MatchStartFillsTheView) {
    constexpr int width = 1680, height = 1050;
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    WorkingDirectory inside{KORV_GAME_DIR};
    std::string error;
    std::unique_ptr<Window> window = Window::open("Korvandeltix models", width, height, false, error);
    ASSERT_TRUE(window) << error;
    std::unique_ptr<GlDevice> device = GlDevice::create(*window, width, height, 4, error);
    ASSERT_TRUE(device) << error;
    GlDevice& gl = *device;
    setRunRenderStates(gl);
    GraphicsContext::instance().window = std::move(window);
    GraphicsContext::instance().device = std::move(device);
    MeshManager::instance().device = &gl;
    LightManager::instance().initLights();
    LightManager::instance().addSceneLight();
    setCamera(gl, width, height);

    gl.clear(CLEAR_TARGET, CLEAR_COLOR, 1.0f);
    gl.clear(CLEAR_ZBUFFER, 0xFF000000u, 1.0f);
    gl.beginScene();
    draw(ARENA);
    for (const Placed& actor : ACTORS) draw(actor);
    gl.endScene();
    const Image full = gl.readBackBuffer();
    ASSERT_EQ(full.width, width);
    ASSERT_EQ(full.height, height);

    // Nothing of the clear colour shows: the arena's surroundings fill the view.
    int bare = 0;
    for (std::size_t i = 0; i < full.rgba.size(); i += 4)
        if (full.rgba[i] == 0x50 && full.rgba[i + 1] == 0x50 && full.rgba[i + 2] == 0x50) ++bare;
    EXPECT_LT(bare, width * height / 1000);

    saveScreenshot("models-" + std::to_string(width) + "x" + std::to_string(height), full);
}

