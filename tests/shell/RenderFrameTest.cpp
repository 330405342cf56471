#include "shell/RenderFrame.h"

#include "support/RecordingGraphics.h"
#include "support/TempDirectory.h"
#include "support/WorkingDirectory.h"

#include <gtest/gtest.h>

namespace {

using Kind = DeviceCall::Kind;

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
