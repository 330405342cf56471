#include "shell/RenderFrame.h"

#include "shell/DeviceSetup.h"
#include "shell/GraphicsContext.h"
#include "support/MockGraphicsDevice.h"
#include "support/TempDirectory.h"
#include "support/WorkingDirectory.h"

#include <gtest/gtest.h>

using ::testing::_;
using ::testing::InSequence;
using ::testing::NiceMock;
using ::testing::SaveArg;

namespace {

TEST(RenderFrame, ClearsTwiceDrawsThroughTheCameraAndPresents) {
    TempDirectory dir;
    WorkingDirectory inside(dir.path());
    writeTextFile(dir.file("Data/config.ini"), "[Screen]\nwidth=800\nheight=600\n");
    auto owned = std::make_unique<NiceMock<MockGraphicsDevice>>();
    auto& device = *owned;
    GraphicsContext::instance().device = std::move(owned);

    Matrix view;
    Matrix projection;
    {
        InSequence order;
        EXPECT_CALL(device, clear(CLEAR_TARGET, 0xFF505050u, 1.0f));
        EXPECT_CALL(device, clear(CLEAR_ZBUFFER, _, 1.0f));
        EXPECT_CALL(device, beginScene());
        EXPECT_CALL(device, setTransform(TransformKind::View, _)).WillOnce(SaveArg<1>(&view));
        EXPECT_CALL(device, setTransform(TransformKind::Projection, _)).WillOnce(SaveArg<1>(&projection));
        EXPECT_CALL(device, endScene());
        EXPECT_CALL(device, present());
    }
    renderFrame();

    // 800 × 600: the aspect is 1.3333334, and world +x lands on the left
    // half of the screen, +y on the top half. Depth runs from 0 at the near
    // plane (1 in front of the eye at z = 8) to 1 at the far plane (100).
    EXPECT_FLOAT_EQ(projection.m[1][1] / projection.m[0][0], 1.3333334f);
    const Matrix viewProjection = matrixMultiply(view, projection);
    EXPECT_LT(transformCoord({2, 0, -5}, viewProjection).x, 0.0f);
    EXPECT_NEAR(transformCoord({2, 0, -5}, viewProjection).y, 0.0f, 1e-5f);
    EXPECT_GT(transformCoord({0, 2, -5}, viewProjection).y, 0.0f);
    EXPECT_NEAR(transformCoord({0, 0, 7}, viewProjection).z, 0.0f, 1e-5f);
    EXPECT_NEAR(transformCoord({0, 0, -92}, viewProjection).z, 1.0f, 1e-5f);
}

TEST(DeviceSetup, FixesTheRunWideRenderStatesInOrder) {
    NiceMock<MockGraphicsDevice> device;
    {
        InSequence order;
        EXPECT_CALL(device, setRenderState(RenderState::Lighting, 1u));
        EXPECT_CALL(device, setRenderState(RenderState::ZEnable, 1u));
        EXPECT_CALL(device, setRenderState(RenderState::Ambient, 0xFF323232u));
        EXPECT_CALL(device, setRenderState(RenderState::AlphaBlendEnable, 1u));
        EXPECT_CALL(device, setRenderState(RenderState::SrcBlend, BLEND_SRCALPHA));
        EXPECT_CALL(device, setRenderState(RenderState::DestBlend, BLEND_INVSRCALPHA));
        EXPECT_CALL(device, setRenderState(RenderState::MultisampleAntialias, 1u));
    }
    setRunRenderStates(device);
}

}  // namespace
