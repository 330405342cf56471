// The arena, the robots and the disc drawn on the OpenGL device with the
// generated models, as a player sees them from the fixed camera.
#include "actors/Frisbee.h"
#include "actors/Robot.h"
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
#include <cstdint>
#include <iterator>
#include <cstdlib>
#include <string>

TEST(RallySceneTest, TheArenaFillsTheViewAndEachActorShowsWhereItStands) {
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

    // Mid-rally: player 1 (big) up the field, player 2 (small) down it, the
    // disc between them; the heads look at it, the bottoms turn.
    Robot robot1(1, ModelBig, 3.0, 1.0);
    Robot robot2(2, ModelSmall, -3.0, -1.0);
    robot1.headYaw = 200.0;
    robot2.rotationY = 45.0;
    Frisbee disc(-1.0, 0.5, -4.9, -4.0, 0.0, 0.0);
    disc.state = FrisbeeGliding;

    // The arena as the match places it, with or without the actors.
    const auto frame = [&](bool actors) {
        device.clear(CLEAR_TARGET, CLEAR_COLOR, 1.0f);
        device.clear(CLEAR_ZBUFFER, 0, 1.0f);
        device.beginScene();
        setCamera(device, WIDTH, HEIGHT);
        arena.draw();
        if (actors) {
            robot1.draw();
            robot2.draw();
            disc.draw();
        }
        device.endScene();
        return device.readBackBuffer();
    };
    const Image empty = frame(false);
    const Image scene = frame(true);
    saveScreenshot("rally-scene", scene);

    // Nothing of the clear colour shows: the arena's surroundings fill the view.
    int bare = 0;
    for (std::size_t i = 0; i < empty.rgba.size(); i += 4)
        bare += empty.rgba[i] == 0x50 && empty.rgba[i + 1] == 0x50 && empty.rgba[i + 2] == 0x50;
    EXPECT_LT(bare, WIDTH * HEIGHT / 1000);

    // Each actor changes the picture where it stands, seen from the fixed camera.
    const Matrix viewProjection = matrixMultiply(
        matrixLookAtLH({0, 0, 8}, {0, 0, 0}, {0, 1, 0}),
        matrixPerspectiveFovLH(3.14159265f / 4.0f, static_cast<float>(WIDTH) / HEIGHT, 1.0f, 100.0f));
    const Object3D* actors[] = {&robot1, &robot2, &disc};
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
