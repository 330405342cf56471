#include "shell/LightManager.h"

#include "platform/GraphicsDevice.h"
#include "shell/GraphicsContext.h"

namespace {

constexpr ColorValue SCENE_LIGHT_DIFFUSE{1.0f, 1.0f, 1.0f, 1.0f};
constexpr ColorValue SCENE_LIGHT_SPECULAR{0.0f, 0.0f, 0.0f, 1.0f};
constexpr ColorValue SCENE_LIGHT_AMBIENT{0.0f, 0.0f, 0.0f, 1.0f};
constexpr Vector3 SCENE_LIGHT_POSITION{0.0f, 0.0f, 10.0f};
constexpr float SCENE_LIGHT_RANGE = 50.0f;

}  // namespace

LightManager& LightManager::instance() {
    static LightManager lights;
    return lights;
}

LightManager::~LightManager() {
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (!slots[i]) continue;
        slots[i].reset();
        if (device != nullptr) device->lightEnable(static_cast<int>(i), false);
    }
}

void LightManager::initLights() {
    count = SLOT_COUNT;
    slots.clear();
    slots.resize(SLOT_COUNT);
    device = GraphicsContext::instance().device.get();
}

int LightManager::addPointLight(const ColorValue& diffuse, const ColorValue& specular,
                                const Vector3& position, float range, float attenuation0,
                                float attenuation1, float attenuation2,
                                const ColorValue& ambient) {
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<Light>& slot = slots[static_cast<std::size_t>(i)];
        if (slot) continue;
        slot = std::make_unique<Light>();
        slot->type = LightType::Point;
        slot->diffuse = diffuse;
        slot->specular = specular;
        slot->ambient = ambient;
        slot->position = position;
        slot->range = range;
        slot->attenuation0 = attenuation0;
        slot->attenuation1 = attenuation1;
        slot->attenuation2 = attenuation2;
        if (device != nullptr) {
            device->setLight(i, *slot);
            device->lightEnable(i, true);
        }
        return i;
    }
    return -1;
}

int LightManager::addSceneLight() {
    return addPointLight(SCENE_LIGHT_DIFFUSE, SCENE_LIGHT_SPECULAR, SCENE_LIGHT_POSITION,
                         SCENE_LIGHT_RANGE, 1.0f, 0.0f, 0.0f, SCENE_LIGHT_AMBIENT);
}
