// The cost of a frame on the OpenGL device at 640 × 480, drawn through SDL's
// offscreen driver on whatever renderer the machine has. Each iteration ends
// by reading the picture back, which waits for the drawing to finish, and
// showing it.
#include "platform/GlDevice.h"
#include "platform/GlMeshBuffer.h"
#include "platform/GlTexture.h"
#include "platform/Window.h"
#include "shell/DeviceSetup.h"
#include "shell/RenderFrame.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int W = 640;
constexpr int H = 480;
constexpr int PICTURE_SIZE = 1024;

struct Bench {
    std::unique_ptr<Window> window;
    std::unique_ptr<GlDevice> device;

    Bench() {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        std::string error;
        window = Window::open("bench", W, H, false, error);
        if (window) device = GlDevice::create(*window, W, H, 0, error);
        if (device) setRunRenderStates(*device);
    }
    ~Bench() {
        device.reset();
        window.reset();
    }

    void begin() {
        device->clear(CLEAR_TARGET, CLEAR_COLOR, 1.0f);
        device->clear(CLEAR_ZBUFFER, 0xFF000000u, 1.0f);
        device->beginScene();
        setCamera(*device, W, H);
    }
    void end() {
        device->endScene();
        benchmark::DoNotOptimize(device->readBackBuffer());
        device->present();
    }
};

Image picture() {
    Image image;
    image.width = PICTURE_SIZE;
    image.height = PICTURE_SIZE;
    image.rgba.resize(static_cast<std::size_t>(PICTURE_SIZE) * PICTURE_SIZE * 4, 0xC0);
    return image;
}

MeshData quad() {
    MeshSubset subset;
    subset.vertices = {{{1, 1, 0}, {0, 0, 1}, {0, 0}},
                       {{-1, 1, 0}, {0, 0, 1}, {1, 0}},
                       {{-1, -1, 0}, {0, 0, 1}, {1, 1}},
                       {{1, -1, 0}, {0, 0, 1}, {0, 1}}};
    subset.indices = {0, 1, 2, 0, 2, 3};
    MeshData data;
    data.subsets.push_back(subset);
    data.materials.resize(1);
    return data;
}

void BM_EmptyFrame(benchmark::State& state) {
    Bench bench;
    if (!bench.device) return state.SkipWithError("no OpenGL device");
    for (auto _ : state) {
        bench.begin();
        bench.end();
    }
}
BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMillisecond);

// A menu page: its full-screen picture scaled from 1024 × 1024, and a few
// lines of text.
void BM_MenuFrame(benchmark::State& state) {
    Bench bench;
    if (!bench.device) return state.SkipWithError("no OpenGL device");
    GlTexture background(*bench.device, picture());
    std::unique_ptr<Sprite> sprite = bench.device->createSprite();
    std::unique_ptr<Font> font = bench.device->createFont(H / 20, 0, 400, false, "Arial");
    const Vector2 scale{static_cast<float>(W) / PICTURE_SIZE, static_cast<float>(H) / PICTURE_SIZE};
    for (auto _ : state) {
        bench.begin();
        sprite->begin(0);
        sprite->setTransform(matrixTransformation2D(nullptr, 0, &scale, nullptr, 0, nullptr));
        sprite->draw(&background, nullptr, 0xFFFFFFFFu);
        sprite->end();
        for (int line = 0; line < 5; ++line) {
            const Rect rect{0, 100 + line * 40, W, 140 + line * 40};
            if (font) font->drawText("Play against a friend", rect, DT_CENTER, 0xFFFFFFFFu);
        }
        bench.end();
    }
}
BENCHMARK(BM_MenuFrame)->Unit(benchmark::kMillisecond);

// Many small lit subsets: what each 3D draw costs in state and uniforms.
void BM_LitSubsets(benchmark::State& state) {
    Bench bench;
    if (!bench.device) return state.SkipWithError("no OpenGL device");
    GlMeshBuffer mesh(*bench.device, quad());
    Material material;
    material.diffuse = {0.8f, 0.8f, 0.8f, 1.0f};
    material.ambient = material.diffuse;
    Light light;
    light.diffuse = {1, 1, 1, 1};
    light.position = {0, 0, 10};
    light.range = 50;
    light.attenuation0 = 1;
    bench.device->setLight(0, light);
    bench.device->lightEnable(0, true);
    const auto draws = static_cast<int>(state.range(0));
    for (auto _ : state) {
        bench.begin();
        for (int i = 0; i < draws; ++i) {
            bench.device->setMaterial(material);
            bench.device->setTransform(
                TransformKind::World,
                matrixMultiply(matrixScaling(0.2f, 0.2f, 0.2f),
                               matrixTranslation(static_cast<float>(i % 10) - 5.0f,
                                                 static_cast<float>(i / 10 % 8) - 4.0f, -5.0f)));
            mesh.drawSubset(0);
        }
        bench.end();
    }
    state.SetItemsProcessed(state.iterations() * draws);
}
BENCHMARK(BM_LitSubsets)->Arg(20)->Arg(200)->Unit(benchmark::kMillisecond);

}  // namespace
