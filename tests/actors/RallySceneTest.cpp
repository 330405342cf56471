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

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

namespace {

constexpr int WIDTH = 640;
constexpr int HEIGHT = 480;

class RallySceneTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        std::string error;
        GraphicsContext& context = GraphicsContext::instance();
        context.window = Window::open("Korvandeltix", WIDTH, HEIGHT, false, error);
        ASSERT_TRUE(context.window) << error;
        auto gl = GlDevice::create(*context.window, WIDTH, HEIGHT, 0, error);
        ASSERT_TRUE(gl) << error;
        device = gl.get();
        setRunRenderStates(*device);
        context.device = std::move(gl);
        MeshManager::instance().device = device;
        LightManager::instance().initLights();
        LightManager::instance().addSceneLight();
    }

    // The arena as the match places it, then whatever else is asked.
    template <class DrawMore>
    Image frame(Object3D& arena, DrawMore drawMore) {
        device->clear(CLEAR_TARGET, CLEAR_COLOR, 1.0f);
        device->clear(CLEAR_ZBUFFER, 0, 1.0f);
        device->beginScene();
        setCamera(*device, WIDTH, HEIGHT);
        arena.draw();
        drawMore();
        device->endScene();
        return device->readBackBuffer();
    }

    // Where a world point shows on the picture.
    static std::pair<int, int> pixelOf(double x, double y, double z) {
        const Matrix view = matrixLookAtLH({0, 0, 8}, {0, 0, 0}, {0, 1, 0});
        const Matrix projection = matrixPerspectiveFovLH(
            3.14159265f / 4.0f, static_cast<float>(WIDTH) / HEIGHT, 1.0f, 100.0f);
        const Vector3 clip = transformCoord(
            {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)},
            matrixMultiply(view, projection));
        return {static_cast<int>((clip.x + 1.0f) * 0.5f * WIDTH), static_cast<int>((1.0f - clip.y) * 0.5f * HEIGHT)};
    }

    static std::uint32_t pixel(const Image& image, int px, int py) {
        const std::uint8_t* p = &image.rgba[(static_cast<std::size_t>(py) * image.width + px) * 4];
        return (p[0] << 16) | (p[1] << 8) | p[2];
    }

    WorkingDirectory inside{KORV_GAME_DIR};
    GlDevice* device = nullptr;
};

}  // namespace

TEST_F(RallySceneTest, RobotsAndTheDiscShowWhereTheyAreMidRally) {
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

    const Image empty = frame(arena, [] {});
    const Image scene = frame(arena, [&] {
        bench.robot1.draw();
        bench.robot2.draw();
        bench.disc.draw();
    });
    ASSERT_EQ(scene.width, WIDTH);

    // Each actor changes the picture where it stands.
    struct Spot { const char* what; double x, y, z; };
    const Spot spots[] = {{"robot 1", bench.robot1.x, bench.robot1.y, bench.robot1.z},
                          {"robot 2", bench.robot2.x, bench.robot2.y, bench.robot2.z},
                          {"disc", bench.disc.x, bench.disc.y, bench.disc.z}};
    for (const Spot& spot : spots) {
        const auto [px, py] = pixelOf(spot.x, spot.y, spot.z);
        ASSERT_TRUE(px >= 0 && px < WIDTH && py >= 0 && py < HEIGHT) << spot.what;
        EXPECT_NE(pixel(scene, px, py), pixel(empty, px, py)) << spot.what;
    }
    saveScreenshot("rally-scene", scene);
}
