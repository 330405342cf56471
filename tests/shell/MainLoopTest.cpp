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

#include <vector>

namespace {

using Kind = DeviceCall::Kind;

TEST(FramePacer, NextFrameStartsARefreshPeriodLaterOrSlightlySoonerAfterASwapThatMayHaveWaited) {
    // The display's rate (0: unknown, taken as 60 Hz), vsync asked for, the
    // swap's time, and the start of the frame after one started at 1000 us.
    const struct { int hz; bool vsync; std::int64_t swapUs, next; } cases[] = {
        {0, false, 0, 17666}, {75, false, 0, 14333}, {60, true, 9000, 15583},
        {60, true, 500, 17666},  // vsync asked for, yet the swap only copied the picture
        {60, false, 9000, 17666},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FramePacer(c.hz).nextFrameStart(1000, c.vsync, c.swapUs), c.next)
            << c.hz << " Hz, vsync " << c.vsync << ", swap " << c.swapUs;
}

TEST(TimeStep, IsTheElapsedMillisecondsCappedAt33EvenAcrossTheCounterWrapping) {
    EXPECT_EQ(timeStep(1000, 1200), 33);  // a 200 ms stall
    EXPECT_EQ(timeStep(0xFFFFFFF0u, 5u), 21);
}

TEST(LightManager, TheSceneLightTakesSlotZeroAndTheNinthLightFindsNoSlotAndChangesNothing) {
    RecordingDevice& device = installRecordingDevice();
    LightManager& lights = LightManager::instance();
    lights.initLights();
    for (int i = 0; i < 8; ++i) EXPECT_EQ(lights.addSceneLight(), i);
    // Each light is set, then switched on, in its own slot: the last in slot 7.
    ASSERT_EQ(device.calls.size(), 16u);
    const DeviceCall &set = device.calls[14], &on = device.calls[15];
    EXPECT_TRUE(set.kind == Kind::Light && set.index == 7 && set.light.position.z == 10.0f);
    EXPECT_TRUE(on.kind == Kind::LightEnable && on.index == 7 && on.enable);

    device.clearCalls();
    EXPECT_EQ(lights.addPointLight({1, 0, 0, 1}, {}, {1, 2, 3}, 5, 1, 0, 0, {}), -1);
    EXPECT_TRUE(device.calls.empty());
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
