// Pixel tests of the OpenGL device, drawn through SDL's offscreen driver.
#include "platform/GlDevice.h"

#include "platform/GlMeshBuffer.h"
#include "platform/GlTexture.h"
#include "platform/Window.h"
#include "shell/DeviceSetup.h"
#include "shell/RenderFrame.h"
#include "support/PictureFiles.h"
#include "support/TempDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <numbers>

namespace {

constexpr int W = 640;
constexpr int H = 480;
constexpr std::uint32_t GREY = 0xFF505050u;
// Where the camera shows the centres of squares at (2, 0, -5) and (-2, 0, -5).
constexpr int LEFT_SQUARE_X = 231;
constexpr int RIGHT_SQUARE_X = 409;

// 0xRRGGBB of one pixel.
std::uint32_t rgb(const Image& image, int x, int y) {
    const std::uint8_t* p = &image.rgba[(static_cast<std::size_t>(y) * image.width + x) * 4];
    return static_cast<std::uint32_t>(p[0] << 16 | p[1] << 8 | p[2]);
}
int red(std::uint32_t rgb) { return static_cast<int>(rgb >> 16); }

bool isGrey(const Image& image, int x, int y) { return rgb(image, x, y) == (GREY & 0xFFFFFFu); }

// The smallest rectangle holding every pixel that is not the clear grey.
Rect inked(const Image& image) {
    Rect box{image.width, image.height, -1, -1};
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (!isGrey(image, x, y))
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
    return box;
}

// An opaque square picture of one colour.
Image solidImage(int side, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    Image image{side, side, {}};
    for (int i = 0; i < side * side; ++i) image.rgba.insert(image.rgba.end(), {r, g, b, 255});
    return image;
}

// A flat square of side 2 in the xy plane facing +z (toward the camera),
// listed clockwise as the camera sees it; reversed lists it the other way.
MeshData square(bool reversed = false) {
    MeshSubset subset;
    const float corners[4][4] = {{1, 1, 0, 0}, {-1, 1, 1, 0}, {-1, -1, 1, 1}, {1, -1, 0, 1}};  // x, y, u, v
    for (const auto& [x, y, u, v] : corners) subset.vertices.push_back({{x, y, 0}, {0, 0, 1}, {u, v}});
    subset.indices = reversed ? std::vector<std::uint32_t>{0, 2, 1, 0, 3, 2}
                              : std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3};
    MeshData data;
    data.subsets.push_back(subset);
    data.materials.resize(1);
    return data;
}

Material plainMaterial(float r, float g, float b) {
    Material m;
    m.diffuse = m.ambient = {r, g, b, 1};
    return m;
}

struct GlDeviceTest : ::testing::Test {
    std::unique_ptr<Window> window;
    std::unique_ptr<GlDevice> device;

    void SetUp() override { open(0); }

    void open(int multisample, int width = W, int height = H) {
        device.reset();
        window.reset();
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        std::string error;
        window = Window::open("test", width, height, false, error);
        ASSERT_TRUE(window) << error;
        device = GlDevice::create(*window, width, height, multisample, error);
        ASSERT_TRUE(device) << error;
        setRunRenderStates(*device);
    }

    // The frame's outer steps, with the scene light on as the game has it.
    void beginFrame(int width = W, int height = H) {
        device->clear(CLEAR_TARGET | CLEAR_ZBUFFER, GREY, 1.0f);
        device->beginScene();
        setCamera(*device, width, height);
        Light light;
        light.diffuse = {1, 1, 1, 1};
        light.position = {0, 0, 10};
        light.range = 50;
        light.attenuation0 = 1;
        device->setLight(0, light);
        device->lightEnable(0, true);
    }

    void draw(GlMeshBuffer& mesh, const Matrix& world) {
        device->setTransform(TransformKind::World, world);
        mesh.drawSubset(0);
    }

    Image endFrame(const std::string& name) {
        device->endScene();
        Image image = device->readBackBuffer();
        device->present();
        saveScreenshot(name, image);
        return image;
    }
};

// Text is drawn into a multisampled back buffer, which is resolved for reading.
TEST_F(GlDeviceTest, MultisampleCountsAreCheckedAndTextIsDrawnCentredInsideItsRectangle) {
    std::vector<MeshMaterial> materials;
    EXPECT_FALSE(device->createTextureFromFile("/nonexistent.png"));  // missing files give nothing
    EXPECT_FALSE(device->createTextureFromFileKeyed("/nonexistent.png", COLOR_KEY_MAGENTA));
    EXPECT_FALSE(device->loadMeshFromX("/nonexistent.x", materials));
    EXPECT_TRUE(device->checkMultisample(4));  // Mesa's software renderer has 4
    EXPECT_FALSE(device->checkMultisample(17));
    EXPECT_FALSE(device->checkMultisample(-1));
    open(64);
    EXPECT_EQ(device->backBufferSamples(), 0);
    open(4);
    EXPECT_EQ(device->backBufferSamples(), 4);
    std::unique_ptr<Font> font = device->createFont(35, 0, 400, false, "Arial");
    ASSERT_TRUE(font);
    const Rect rect{100, 100, 500, 200};
    beginFrame();
    font->drawText("Menu", rect, DT_CENTER | DT_VCENTER, 0xFFFFFFFFu);
    const Rect box = inked(endFrame("text"));
    EXPECT_TRUE(box.left >= rect.left && box.right <= rect.right && box.top >= rect.top && box.bottom <= rect.bottom);
    EXPECT_NEAR((box.left + box.right) / 2.0, (rect.left + rect.right) / 2.0, 2.0);
    // Capital M stands about three quarters of the cell high.
    EXPECT_NEAR(box.bottom - box.top, 35 * 0.7, 6);
}

TEST_F(GlDeviceTest, FrontFacesAreClockwiseAndBrighterFacingTheSceneLightThanTiltedAway) {
    GlMeshBuffer mesh(*device, square());
    GlMeshBuffer back(*device, square(true));
    beginFrame();
    device->setMaterial(plainMaterial(0.6f, 0.6f, 0.6f));
    draw(mesh, matrixTranslation(2, 0, -5));  // world +x is the left of the screen
    const float tilt = std::numbers::pi_v<float> / 3.0f;
    draw(mesh, matrixMultiply(matrixRotationY(tilt), matrixTranslation(-2, 0, -5)));
    draw(back, matrixTranslation(0, 0, -5));
    const Image image = endFrame("lighting");
    EXPECT_TRUE(isGrey(image, W / 2, H / 2));
    const int facing = red(rgb(image, LEFT_SQUARE_X, H / 2));
    EXPECT_GT(facing, red(rgb(image, RIGHT_SQUARE_X, H / 2)) + 30);
    // Facing the light: ambient 0.2 and almost all of the diffuse, times 0.6.
    EXPECT_NEAR(facing, 0.6 * (0.196 + 0.99) * 255, 6);
}

// The texture modulates the material and stays bound across sprites that
// fade with their alpha; a sprite covers exactly its rectangle in
// back-buffer pixels.
TEST_F(GlDeviceTest, TheTextureStaysBoundAcrossSpritesThatCoverExactlyTheirRectangles) {
    GlTexture blue(*device, solidImage(8, 0, 0, 255));
    GlTexture green(*device, solidImage(8, 0, 255, 0));
    GlTexture white(*device, solidImage(64, 255, 255, 255));
    GlMeshBuffer mesh(*device, square());
    std::unique_ptr<Sprite> sprite = device->createSprite();
    beginFrame();
    device->setRenderState(RenderState::Lighting, 0);
    device->setMaterial(plainMaterial(1, 0, 0));
    device->setTexture(0, nullptr);
    draw(mesh, matrixTranslation(2, 0, -5));  // unlit and untextured: opaque white
    device->setTexture(0, &blue);
    sprite->begin(0);
    sprite->draw(&green, nullptr, 0xFFFFFFFFu);
    sprite->setTransform(matrixTranslation(10, 10, 0));
    sprite->draw(&white, nullptr, 0x80FFFFFFu);
    // A later draw without a new transform stays under the last one.
    const Vector3 along{100, 0, 0};
    sprite->draw(&white, &along, 0xFF00FF00u);
    sprite->end();
    draw(mesh, matrixTranslation(-2, 0, -5));  // still the blue texture, not the sprites' last
    Image image = endFrame("texture_stage");
    EXPECT_EQ(rgb(image, LEFT_SQUARE_X, H / 2), 0xFFFFFFu);
    EXPECT_EQ(rgb(image, RIGHT_SQUARE_X, H / 2), 0x0000FFu);
    EXPECT_EQ(rgb(image, 4, 4), 0x00FF00u);
    EXPECT_NEAR(red(rgb(image, 40, 40)), (255 * 128 + 80 * 127) / 255, 2);
    EXPECT_EQ(rgb(image, 140, 40), 0x00FF00u);
    EXPECT_TRUE(isGrey(image, 174, 40));

    TempDirectory dir;
    writeFlatPng(dir.file("red.png"), 1024, 1024, 0xC81E28FFu);
    std::unique_ptr<Texture> texture = device->createTextureFromFile(dir.file("red.png"));
    ASSERT_TRUE(texture);
    beginFrame();
    sprite->begin(0);
    const Vector2 scale{512.0f / 1024.0f, 384.0f / 1024.0f};
    const Vector2 move{64.0f, 32.0f};
    sprite->setTransform(matrixTransformation2D(nullptr, 0, &scale, nullptr, 0, &move));
    sprite->draw(texture.get(), nullptr, 0xFFFFFFFFu);
    sprite->end();
    image = endFrame("sprite_rectangle");
    EXPECT_EQ(rgb(image, 300, 200), 0xC81E28u);
    const Rect box = inked(image);
    EXPECT_EQ((std::array{box.left, box.top, box.right, box.bottom}), (std::array{64, 32, 576, 416}));
}

// What stays from frame to frame is kept with its depth: a frame started
// from it is the frame drawn whole, pixel for pixel, with and without
// multisampling and at the smallest and largest sizes offered.
TEST_F(GlDeviceTest, AFrameStartedFromTheKeptBackdropIsTheFrameDrawnWhole) {
    constexpr std::uint64_t LOOK = 7;
    const struct { int width, height, samples; } backBuffers[] = {{640, 480, 0}, {640, 480, 4}, {1680, 1050, 0}};
    for (const auto& b : backBuffers) {
        open(b.samples, b.width, b.height);
        GlTexture checks(*device, solidImage(16, 200, 120, 40));
        GlMeshBuffer mesh(*device, square());
        // The still part tilted through the depth of the moving one, which
        // it hides in part; whether the frame started from the backdrop.
        const auto frame = [&](bool keep) {
            beginFrame(b.width, b.height);
            bool fromBackdrop = keep && device->showBackdrop(LOOK);
            if (!fromBackdrop) {
                device->setTexture(0, &checks);
                device->setMaterial(plainMaterial(0.9f, 0.9f, 0.9f));
                draw(mesh, matrixMultiply(matrixRotationY(0.8f), matrixTranslation(0.5f, 0, -5)));
                if (keep) device->keepBackdrop(LOOK);
            }
            device->setTexture(0, nullptr);
            device->setMaterial(plainMaterial(0.2f, 0.4f, 0.9f));
            draw(mesh, matrixMultiply(matrixRotationZ(0.3f), matrixTranslation(-0.3f, 0.2f, -5)));
            return std::pair(endFrame("backdrop"), fromBackdrop);
        };
        const Image whole = frame(false).first;
        EXPECT_FALSE(frame(true).second) << "nothing kept yet";
        const auto [started, fromBackdrop] = frame(true);
        EXPECT_TRUE(fromBackdrop);
        EXPECT_TRUE(started.rgba == whole.rgba) << b.width << " x " << b.height << ", " << b.samples << " samples";
        EXPECT_FALSE(device->showBackdrop(LOOK + 1)) << "kept under another look";
    }
}

// A picture keeps only the levels its largest drawn size samples, and is
// drawn pixel for pixel as with all of them, full screen and as a message
// over the middle half, at every back-buffer size the options page offers.
// A picture drawn at alpha 0 changes no pixel.
TEST_F(GlDeviceTest, APictureWithoutItsUnseenLevelsIsDrawnAsWithAllOfThem) {
    constexpr int SIDE = 1024;
    const struct { int width, height, fullScreenLeftOut, messageLeftOut; } sizes[] = {
        {640, 480, 1, 2},   {800, 600, 0, 1},   {1024, 768, 0, 1},  {1280, 800, 0, 1},
        {1280, 960, 0, 1},  {1280, 1024, 0, 0}, {1600, 1200, 0, 0}, {1680, 1050, 0, 0}};
    // Noise, so that every level differs from the next.
    Image whole{SIDE, SIDE, {}};
    std::uint32_t seed = 1;
    for (int i = 0; i < SIDE * SIDE * 4; ++i) whole.rgba.push_back(static_cast<std::uint8_t>((seed = seed * 1664525u + 1013904223u) >> 24));
    whole.smallerLevels = makeSmallerLevels(whole);
    for (const auto& size : sizes) {
        open(0, size.width, size.height);
        std::unique_ptr<Sprite> sprite = device->createSprite();
        GlTexture all(*device, whole);
        for (const auto& [drawn, leftOut] : {std::pair{DrawnSize{size.width, size.height}, size.fullScreenLeftOut},
                                             std::pair{DrawnSize{size.width / 2, size.height / 2}, size.messageLeftOut}}) {
            SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height) + " drawn at " +
                         std::to_string(drawn.width));
            Image kept = whole;
            leaveOutLevels(kept, unseenLevels(SIDE, SIDE, drawn));
            EXPECT_EQ(kept.levelsLeftOut, leftOut);
            EXPECT_EQ(kept.width, SIDE >> leftOut);
            GlTexture some(*device, kept);
            EXPECT_EQ(some.width(), SIDE);
            // Drawn at alpha 0 over it, a picture changes nothing: one not
            // loaded yet may be left out.
            const auto frame = [&](GlTexture& texture, bool unseenOver) {
                beginFrame(size.width, size.height);
                sprite->begin(0);
                const Vector2 scale{drawn.width / float{SIDE}, drawn.height / float{SIDE}};
                const Vector2 move{(size.width - drawn.width) / 2.0f, (size.height - drawn.height) / 2.0f};
                sprite->setTransform(matrixTransformation2D(nullptr, 0, &scale, nullptr, 0, &move));
                sprite->draw(&texture, nullptr, 0xC0FFFFFFu);
                if (unseenOver) sprite->draw(&all, nullptr, 0x00FFFFFFu);
                sprite->end();
                return endFrame("levels").rgba;
            };
            const Texels drawnWithAll = frame(all, false);
            EXPECT_TRUE(frame(some, false) == drawnWithAll);
            EXPECT_TRUE(frame(all, true) == drawnWithAll);
        }
    }
}

}  // namespace
