// What the main loop does each frame: the step it plays, the light it
// sets, the frame it draws and when the next one starts.
#include "shell/FramePacer.h"
#include "shell/LightManager.h"
#include "shell/RenderFrame.h"
#include "shell/TimeStep.h"
#include "support/RecordingGraphics.h"
#include "support/TempDirectory.h"
#include "support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace {

using Kind = DeviceCall::Kind;

// The loop's pacing on the recording device, whose present never waits:
// each frame takes 3 ms of work, and the next one starts when the pacer says.
std::vector<std::int64_t> frameStarts(const RecordingDevice& device, int frames) {
    const FramePacer pacer(device.refreshRate());
    constexpr std::int64_t WORK_US = 3000;
    std::vector<std::int64_t> starts{0};
    while (static_cast<int>(starts.size()) < frames) {
        const std::int64_t start = starts.back();
        const std::int64_t next = pacer.nextFrameStart(start, device.vsyncRequested(),
                                                       device.lastSwapMicroseconds());
        starts.push_back(std::max(next, start + WORK_US));
    }
    return starts;
}

TEST(FramePacer, ASwapThatDoesNotWaitGetsFramesSpacedToTheRefreshPeriod) {
    RecordingDevice device;
    EXPECT_EQ(frameStarts(device, 4), (std::vector<std::int64_t>{0, 16666, 33332, 49998}))
        << "60 Hz when the display's rate is unknown";
    device.refreshRateHz = 75;
    EXPECT_EQ(frameStarts(device, 3), (std::vector<std::int64_t>{0, 13333, 26666}));
}

TEST(FramePacer, WaitsNothingAfterASwapThatWaitedForTheRefresh) {
    const FramePacer pacer(60);
    EXPECT_EQ(pacer.nextFrameStart(1000, true, 9000), 1000);
    // Vsync asked for, yet the swap only copied the picture: the loop waits.
    EXPECT_EQ(pacer.nextFrameStart(1000, true, 500), 17666);
    EXPECT_EQ(pacer.nextFrameStart(1000, false, 9000), 17666);
}

TEST(TimeStep, IsTheElapsedMillisecondsCappedAt33EvenAcrossTheCounterWrapping) {
    EXPECT_EQ(timeStep(1000, 1033), 33);
    EXPECT_EQ(timeStep(1000, 1200), 33);  // a 200 ms stall
    EXPECT_EQ(timeStep(0xFFFFFFF0u, 5u), 21);
}

TEST(LightManager, TheSceneLightTakesSlotZeroAndTheNinthLightFindsNoSlotAndChangesNothing) {
    RecordingDevice& device = installRecordingDevice();
    LightManager& lights = LightManager::instance();
    lights.initLights();
    for (int i = 0; i < 8; ++i) EXPECT_EQ(lights.addSceneLight(), i);

    // Each light is set, then switched on, in its own slot.
    ASSERT_EQ(device.calls.size(), 16u);
    for (int i = 0; i < 8; ++i) {
        const DeviceCall& set = device.calls[2 * i];
        const DeviceCall& on = device.calls[2 * i + 1];
        EXPECT_TRUE(set.kind == Kind::Light && set.index == i) << i;
        EXPECT_TRUE(on.kind == Kind::LightEnable && on.index == i && on.enable) << i;
    }
    // A white point light 10 above the field, reaching 50, no ambient of its own.
    const Light& scene = device.calls[0].light;
    EXPECT_EQ(scene.type, LightType::Point);
    EXPECT_EQ((std::array{scene.diffuse.r, scene.diffuse.g, scene.diffuse.b, scene.ambient.r, scene.ambient.a,
                          scene.position.z, scene.range, scene.attenuation0, scene.attenuation1, scene.attenuation2}),
              (std::array{1.0f, 1.0f, 1.0f, 0.0f, 1.0f, 10.0f, 50.0f, 1.0f, 0.0f, 0.0f}));

    device.clearCalls();
    EXPECT_EQ(lights.addPointLight({1, 0, 0, 1}, {}, {1, 2, 3}, 5, 1, 0, 0, {}), -1);
    EXPECT_TRUE(device.calls.empty());
    EXPECT_EQ(lights.slots.size(), 8u);
    EXPECT_FLOAT_EQ(lights.slots[7]->position.z, 10.0f);
}

TEST(RenderFrame, ClearsTwiceDrawsThroughTheCameraAndPresents) {
    TempDirectory dir;
    WorkingDirectory inside(dir.path());
    writeTextFile(dir.file("Data/config.ini"), "[Screen]\nwidth=800\nheight=600\n");
    RecordingDevice& device = installRecordingDevice();
    renderFrame();

    // The scene's own drawing comes between the camera and the end of the scene.
    std::vector<Kind> kinds;
    for (const DeviceCall& call : device.calls) kinds.push_back(call.kind);
    ASSERT_GE(kinds.size(), 7u);
    kinds.erase(kinds.begin() + 5, kinds.end() - 2);
    ASSERT_EQ(kinds, (std::vector<Kind>{Kind::Clear, Kind::Clear, Kind::BeginScene, Kind::Transform, Kind::Transform,
                                        Kind::EndScene, Kind::Present}));
    const std::vector<DeviceCall>& calls = device.calls;
    EXPECT_TRUE(calls[0].flags == CLEAR_TARGET && calls[0].color == 0xFF505050u && calls[0].depth == 1.0f);
    EXPECT_TRUE(calls[1].flags == CLEAR_ZBUFFER && calls[1].depth == 1.0f);
    ASSERT_EQ(calls[3].transformKind, TransformKind::View);
    ASSERT_EQ(calls[4].transformKind, TransformKind::Projection);

    // 800 × 600: the aspect is 1.3333334, and world +x lands on the left
    // half of the screen, +y on the top half. Depth runs from 0 at the near
    // plane (1 in front of the eye at z = 8) to 1 at the far plane (100).
    const Matrix& projection = calls[4].matrix;
    EXPECT_FLOAT_EQ(projection.m[1][1] / projection.m[0][0], 1.3333334f);
    const Matrix viewProjection = matrixMultiply(calls[3].matrix, projection);
    EXPECT_LT(transformCoord({2, 0, -5}, viewProjection).x, 0.0f);
    EXPECT_NEAR(transformCoord({2, 0, -5}, viewProjection).y, 0.0f, 1e-5f);
    EXPECT_GT(transformCoord({0, 2, -5}, viewProjection).y, 0.0f);
    EXPECT_NEAR(transformCoord({0, 0, 7}, viewProjection).z, 0.0f, 1e-5f);
    EXPECT_NEAR(transformCoord({0, 0, -92}, viewProjection).z, 1.0f, 1e-5f);
}

}  // namespace
