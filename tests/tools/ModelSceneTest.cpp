// The generated models drawn on the real OpenGL device, where a match puts
// them at its start: the arena, the small robot for player 1 at (6, 0) and
// the big one for player 2 at (-6, 0), and the disc at (4, 0, -4.9). With
// KORV_SCREENSHOT_DIR set, the pictures are also written there.
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

#include <algorithm>
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

Image drawScene(GlDevice& device, bool withActors) {
    device.clear(CLEAR_TARGET, CLEAR_COLOR, 1.0f);
    device.clear(CLEAR_ZBUFFER, 0xFF000000u, 1.0f);
    device.beginScene();
    draw(ARENA);
    if (withActors)
        for (const Placed& actor : ACTORS) draw(actor);
    device.endScene();
    return device.readBackBuffer();
}

struct Pixel {
    int x, y;
};

Pixel project(const Vector3& p, int width, int height) {
    const Matrix view = matrixLookAtLH({0, 0, 8}, {0, 0, 0}, {0, 1, 0});
    const Matrix projection = matrixPerspectiveFovLH(0.7853982f, static_cast<float>(width) / height, 1.0f, 100.0f);
    const Vector3 ndc = transformCoord(p, matrixMultiply(view, projection));
    return {static_cast<int>((ndc.x + 1.0f) / 2.0f * width), static_cast<int>((1.0f - ndc.y) / 2.0f * height)};
}

const std::uint8_t* at(const Image& image, Pixel p) {
    return &image.rgba[(static_cast<std::size_t>(p.y) * image.width + p.x) * 4];
}

void renderAndCheck(int width, int height) {
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

    const Image empty = drawScene(gl, false);
    const Image full = drawScene(gl, true);
    ASSERT_EQ(full.width, width);
    ASSERT_EQ(full.height, height);

    // Nothing of the clear colour shows: the arena's surroundings fill the view.
    int bare = 0;
    for (std::size_t i = 0; i < full.rgba.size(); i += 4)
        if (full.rgba[i] == 0x50 && full.rgba[i + 1] == 0x50 && full.rgba[i + 2] == 0x50) ++bare;
    EXPECT_LT(bare, width * height / 1000);

    // Each actor shows where the match puts it, in its model's colour: the
    // small robot's head silver-white, the big one's slate blue.
    const std::uint8_t* small = at(full, project({6.0f, 0.0f, -4.8f}, width, height));
    EXPECT_GT(std::min({small[0], small[1], small[2]}), 180) << "the small robot is silver";
    const std::uint8_t* big = at(full, project({-6.05f, 0.15f, -4.66f}, width, height));
    EXPECT_GT(big[2], big[0] + 25) << "the big robot is slate blue";
    EXPECT_LT(big[0], 160) << "the big robot is darker than the small one";
    const Pixel discSpot = project({4.0f, 0.15f, -4.85f}, width, height);
    const std::uint8_t* disc = at(full, discSpot);
    const std::uint8_t* floor = at(empty, discSpot);
    EXPECT_GT(std::abs(disc[1] - floor[1]) + std::abs(disc[0] - floor[0]), 60) << "the disc shows";

    saveScreenshot("models-" + std::to_string(width) + "x" + std::to_string(height), full);
}

}  // namespace

TEST(ModelScene, MatchStartDrawsAtSixForty) { renderAndCheck(640, 480); }

TEST(ModelScene, MatchStartDrawsAtSixteenEighty) { renderAndCheck(1680, 1050); }
