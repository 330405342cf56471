#include "shell/LightManager.h"

#include "support/RecordingGraphics.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using Kind = DeviceCall::Kind;

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

}  // namespace
