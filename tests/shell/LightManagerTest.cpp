#include "shell/LightManager.h"

#include "shell/GraphicsContext.h"
#include "support/MockGraphicsDevice.h"

#include <gtest/gtest.h>

#include <array>

using ::testing::_;
using ::testing::AllOf;
using ::testing::Field;
using ::testing::InSequence;
using ::testing::NiceMock;

namespace {

TEST(LightManager, TheSceneLightTakesSlotZeroAndTheNinthLightFindsNoSlotAndChangesNothing) {
    auto owned = std::make_unique<NiceMock<MockGraphicsDevice>>();
    auto& device = *owned;
    GraphicsContext::instance().device = std::move(owned);
    LightManager& lights = LightManager::instance();
    lights.initLights();
    EXPECT_CALL(device, setLight(_, _)).Times(7);
    EXPECT_CALL(device, lightEnable(_, true)).Times(7);
    {
        InSequence order;
        EXPECT_CALL(device, setLight(0, AllOf(Field(&Light::type, LightType::Point), Field(&Light::range, 50.0f),
                                              Field(&Light::attenuation0, 1.0f), Field(&Light::attenuation1, 0.0f),
                                              Field(&Light::attenuation2, 0.0f))));
        EXPECT_CALL(device, lightEnable(0, true));
    }
    for (int i = 0; i < 8; ++i) EXPECT_EQ(lights.addSceneLight(), i);
    ::testing::Mock::VerifyAndClearExpectations(&device);
    // White, no ambient of its own, 10 above the field.
    const Light& scene = *lights.slots[0];
    EXPECT_EQ((std::array{scene.diffuse.r, scene.diffuse.g, scene.diffuse.b, scene.ambient.r, scene.ambient.a,
                          scene.position.z}),
              (std::array{1.0f, 1.0f, 1.0f, 0.0f, 1.0f, 10.0f}));

    EXPECT_CALL(device, setLight(_, _)).Times(0);
    EXPECT_CALL(device, lightEnable(_, _)).Times(0);
    EXPECT_EQ(lights.addPointLight({1, 0, 0, 1}, {}, {1, 2, 3}, 5, 1, 0, 0, {}), -1);
    ::testing::Mock::VerifyAndClearExpectations(&device);
    EXPECT_EQ(lights.slots.size(), 8u);
    EXPECT_FLOAT_EQ(lights.slots[7]->position.z, 10.0f);
}

}  // namespace
