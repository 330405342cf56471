#include "shell/DeviceSetup.h"

#include "platform/GlDevice.h"
#include "shell/Config.h"
#include "shell/GraphicsContext.h"

bool setUpDevice(Window& window, std::string& error) {
    const Config& config = Config::instance();
    std::unique_ptr<GlDevice> device =
        GlDevice::create(window, config.width, config.height, config.multisample, error);
    if (!device) return false;
    setRunRenderStates(*device);
    GraphicsContext::instance().device = std::move(device);
    return true;
}

void setRunRenderStates(GraphicsDevice& device) {
    device.setRenderState(RenderState::Lighting, 1);
    device.setRenderState(RenderState::ZEnable, 1);
    device.setRenderState(RenderState::Ambient, RUN_AMBIENT);
    device.setRenderState(RenderState::AlphaBlendEnable, 1);
    device.setRenderState(RenderState::SrcBlend, BLEND_SRCALPHA);
    device.setRenderState(RenderState::DestBlend, BLEND_INVSRCALPHA);
    device.setRenderState(RenderState::MultisampleAntialias, 1);
}
