#pragma once

#include "platform/GraphicsTypes.h"

#include <memory>
#include <vector>

class GraphicsDevice;

// The device's light slots: slot i is device light i. Lights are added once
// and stay on for the whole run; at exit every occupied slot is switched off.
class LightManager {
public:
    static constexpr int SLOT_COUNT = 8;

    static LightManager& instance();
    ~LightManager();

    // Empties the table of SLOT_COUNT slots and takes the device to light
    // with from the GraphicsContext.
    void initLights();
    // Puts a point light in the first free slot and switches it on; the
    // slot index, or -1 (and nothing changed) when every slot is taken.
    int addPointLight(const ColorValue& diffuse, const ColorValue& specular,
                      const Vector3& position, float range, float attenuation0,
                      float attenuation1, float attenuation2, const ColorValue& ambient);
    // The scene's one white point light above the field.
    int addSceneLight();

    int count = 0;
    std::vector<std::unique_ptr<Light>> slots;
    GraphicsDevice* device = nullptr;

private:
    LightManager() = default;
};
