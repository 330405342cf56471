#include "support/RecordingGraphics.h"

#include "assets/FontManager.h"
#include "assets/MeshManager.h"
#include "assets/TextureManager.h"
#include "platform/Sprite.h"
#include "shell/GraphicsContext.h"

RecordingDevice& installRecordingDevice() {
    GraphicsContext& context = GraphicsContext::instance();
    auto owned = std::make_unique<RecordingDevice>();
    RecordingDevice& device = *owned;
    context.device = std::move(owned);

    TextureManager& textures = TextureManager::instance();
    textures.device = &device;
    textures.spriteOwner = device.createSprite();
    textures.sprite = textures.spriteOwner.get();
    MeshManager::instance().device = &device;
    FontManager::instance().device = &device;
    device.clearCalls();
    return device;
}
