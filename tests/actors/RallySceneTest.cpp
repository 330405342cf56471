// A rally drawn on the OpenGL device with the generated models, as a player
// sees it from the fixed camera.
#include "assets/MeshManager.h"
#include "platform/GlDevice.h"
#include "platform/Window.h"
#include "scene/Object3D.h"
#include "shell/DeviceSetup.h"
#include "shell/GraphicsContext.h"
#include "shell/LightManager.h"
#include "shell/RenderFrame.h"
#include "support/MatchBench.h"
#include "support/PictureFiles.h"
#include "support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <cstdlib>
#include <string>

TEST(RallySceneTest, RobotsAndTheDiscShowWhereTheyAreMidRally) {
    constexpr int WIDTH = 640;
    constexpr int HEIGHT = 480;
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    std::string error;
    GraphicsContext& context = GraphicsContext::instance();
    context.window = Window::open("Korvandeltix", WIDTH, HEIGHT, false, error);
    ASSERT_TRUE(context.window) << error;
    auto gl = GlDevice::create(*context.window, WIDTH, HEIGHT, 0, error);
    ASSERT_TRUE(gl) << error;
    GlDevice& device = *gl;
    setRunRenderStates(device);
    context.device = std::move(gl);
    MeshManager::instance().device = &device;
    LightManager::instance().initLights();
    LightManager::instance().addSceneLight();
    WorkingDirectory inside{KORV_GAME_DIR};
    Object3D arena(0.0, 0.03, -5.5, 2.2, 1.5, 1.5, 90.0, 90.0, 0.0, 0.0, 0.0, 0.0);
    arena.mesh = MeshManager::instance().loadMesh("arena", "Meshes/Arena/arena.x");

    // Player 1 (big) picks up the served disc and throws it up the field;
    // player 2 (small) runs down and toward its goal to meet it: the heads
    // follow the disc and the bottoms turn toward the running direction.
    MatchBench bench(ModelBig, ModelSmall);
    bench.hold(1, Right);
    ASSERT_TRUE(bench.runUntil([&] { return bench.robot1.state == RobotHolding; }, 2000));
    bench.letGo(1, Right);
    bench.hold(1, Up);
    bench.hold(1, Action1);
    ASSERT_TRUE(bench.runUntil([&] { return bench.disc.state == FrisbeeGliding; }, 1000));
    bench.letGoAll();
    bench.hold(1, Down);
    bench.hold(2, Down);
    bench.hold(2, Left);
    ASSERT_TRUE(bench.runUntil([&] { return bench.disc.x < -0.5; }, 2000));

    // The arena as the match places it, with or without the actors.
    const auto frame = [&](bool actors) {
        device.clear(CLEAR_TARGET, CLEAR_COLOR, 1.0f);
        device.clear(CLEAR_ZBUFFER, 0, 1.0f);
        device.beginScene();
        setCamera(device, WIDTH, HEIGHT);
        arena.draw();
        if (actors) {
            bench.robot1.draw();
            bench.robot2.draw();
            bench.disc.draw();
        }
        device.endScene();
        return device.readBackBuffer();
    };
    const Image empty = frame(false);
    const Image scene = frame(true);
    saveScreenshot("rally-scene", scene);

    // Each actor changes the picture where it stands, seen from the fixed camera.
    const Matrix viewProjection = matrixMultiply(
        matrixLookAtLH({0, 0, 8}, {0, 0, 0}, {0, 1, 0}),
        matrixPerspectiveFovLH(3.14159265f / 4.0f, static_cast<float>(WIDTH) / HEIGHT, 1.0f, 100.0f));
    const Object3D* actors[] = {&bench.robot1, &bench.robot2, &bench.disc};
    for (std::size_t i = 0; i < std::size(actors); ++i) {
        const Object3D& actor = *actors[i];
        const Vector3 clip = transformCoord({float(actor.x), float(actor.y), float(actor.z)}, viewProjection);
        const int px = static_cast<int>((clip.x + 1.0f) * 0.5f * WIDTH);
        const int py = static_cast<int>((1.0f - clip.y) * 0.5f * HEIGHT);
        ASSERT_TRUE(px >= 0 && px < WIDTH && py >= 0 && py < HEIGHT) << "actor " << i;
        const std::size_t at = (static_cast<std::size_t>(py) * WIDTH + px) * 4;
        EXPECT_FALSE(std::equal(&scene.rgba[at], &scene.rgba[at + 3], &empty.rgba[at])) << "actor " << i;
    }
}
