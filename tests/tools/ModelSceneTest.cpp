// The generated models drawn on the real OpenGL device, where a match puts
// them at its start: the arena, the small robot for player 1 at (6, 0) and
// the big one for player 2 at (-6, 0), and the disc at (4, 0, -4.9). With
// KORV_SCREENSHOT_DIR set, the pictures are also written there.
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
#include <vector>

namespace {

struct Model {
    std::unique_ptr<MeshBuffer> buffer;
    std::vector<MeshMaterial> materials;
    std::vector<std::unique_ptr<Texture>> textures;
};

// Loaded as the mesh registry loads a model: colour-keyed pictures, and the
// ambient colour of each material taken from its diffuse colour.
Model loadModel(GraphicsDevice& device, const std::string& path) {
    Model m;
    m.buffer = device.loadMeshFromX(path, m.materials);
    EXPECT_TRUE(m.buffer) << path;
    for (MeshMaterial& material : m.materials) {
        material.material.ambient = material.material.diffuse;
        m.textures.push_back(device.createTextureFromFileKeyed(material.textureFilename, COLOR_KEY_MAGENTA));
        EXPECT_TRUE(m.textures.back()) << material.textureFilename;
    }
    return m;
}

void draw(GraphicsDevice& device, Model& model, const Matrix& world) {
    if (!model.buffer) return;
    device.setTransform(TransformKind::World, world);
    for (std::size_t i = 0; i < model.materials.size(); ++i) {
        device.setMaterial(model.materials[i].material);
        if (model.textures[i]) {
            device.setTexture(0, model.textures[i].get());
            device.setMipFilterLinear(0);
        }
        model.buffer->drawSubset(static_cast<std::uint32_t>(i));
    }
}

Matrix placement(float angleX, float angleY, float angleZ, float scale3[3], float x, float y, float z) {
    const Matrix rotation = rotationMatrix(angleX, angleY, angleZ);
    return matrixMultiply(matrixMultiply(rotation, matrixScaling(scale3[0], scale3[1], scale3[2])),
                          matrixTranslation(x, y, z));
}

struct Scene {
    Model arena;
    Model smallParts[3];
    Model bigParts[3];
    Model disc;
};

void drawScene(GraphicsDevice& device, Scene& scene, bool withActors) {
    float arenaScale[3] = {2.2f, 1.5f, 1.5f};
    float robotScale[3] = {0.3f, 0.3f, 0.3f};
    float discScale[3] = {0.2f, 0.2f, 0.2f};
    device.clear(CLEAR_TARGET, CLEAR_COLOR, 1.0f);
    device.clear(CLEAR_ZBUFFER, 0xFF000000u, 1.0f);
    device.beginScene();
    draw(device, scene.arena, placement(90, 90, 0, arenaScale, 0.0f, 0.03f, -5.5f));
    if (withActors) {
        // Player 1 faces -x (heading 180) and looks at the disc straight
        // ahead; player 2 faces +x and looks at it too.
        for (Model& part : scene.smallParts) draw(device, part, placement(90, 180, 90, robotScale, 6, 0, -5));
        for (Model& part : scene.bigParts) draw(device, part, placement(90, 0, 90, robotScale, -6, 0, -5));
        draw(device, scene.disc, placement(90, 30, 90, discScale, 4, 0, -4.9f));
    }
    device.endScene();
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
    LightManager::instance().initLights();
    LightManager::instance().addSceneLight();
    setCamera(gl, width, height);

    Scene scene;
    scene.arena = loadModel(gl, "Meshes/Arena/arena.x");
    const char* parts[] = {"head", "body", "bottom"};
    for (int i = 0; i < 3; ++i) {
        scene.smallParts[i] = loadModel(gl, std::string("Meshes/Robot/Small/") + parts[i] + ".x");
        scene.bigParts[i] = loadModel(gl, std::string("Meshes/Robot/Big/") + parts[i] + ".x");
    }
    scene.disc = loadModel(gl, "Meshes/Frisbee/frisbee.x");

    drawScene(gl, scene, false);
    const Image empty = gl.readBackBuffer();
    drawScene(gl, scene, true);
    const Image full = gl.readBackBuffer();
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
