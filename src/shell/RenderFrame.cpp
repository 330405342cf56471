#include "shell/RenderFrame.h"

#include "match/Game.h"
#include "match/SceneDrawing.h"
#include "platform/GraphicsDevice.h"
#include "shell/Config.h"
#include "shell/GraphicsContext.h"

namespace {

constexpr Vector3 CAMERA_EYE{0.0f, 0.0f, 8.0f};
constexpr Vector3 CAMERA_TARGET{0.0f, 0.0f, 0.0f};
constexpr Vector3 CAMERA_UP{0.0f, 1.0f, 0.0f};
constexpr float FIELD_OF_VIEW = 0.7853982f;
constexpr float NEAR_PLANE = 1.0f;
constexpr float FAR_PLANE = 100.0f;
constexpr std::uint32_t DEPTH_CLEAR_COLOR = 0xFF000000u;
constexpr float FAR_DEPTH = 1.0f;

}  // namespace

void setCamera(GraphicsDevice& device, int width, int height) {
    device.setTransform(TransformKind::View, matrixLookAtLH(CAMERA_EYE, CAMERA_TARGET, CAMERA_UP));
    const float aspect = static_cast<float>(width) / static_cast<float>(height);
    device.setTransform(TransformKind::Projection,
                        matrixPerspectiveFovLH(FIELD_OF_VIEW, aspect, NEAR_PLANE, FAR_PLANE));
}

namespace {

void drawFrame(GraphicsDevice& device) {
    device.clear(CLEAR_TARGET, CLEAR_COLOR, FAR_DEPTH);
    device.clear(CLEAR_ZBUFFER, DEPTH_CLEAR_COLOR, FAR_DEPTH);
    device.beginScene();
    const Config& config = Config::instance();
    setCamera(device, config.width, config.height);
    drawScene();
    device.endScene();
    device.present();
}

}  // namespace

bool renderFrame(bool pictureLost) {
    GraphicsContext& context = GraphicsContext::instance();
    GraphicsDevice* device = context.device.get();
    if (device == nullptr) return false;
    // A page changes only when a player acts on it or it fades, and filling
    // the screen with the same picture again is most of what a still menu
    // costs: laying it out to compare is cheap, drawing it is not.
    if (Game::instance().menu) {
        device->beginLook();
        drawFrame(*device);
        const std::uint64_t look = device->endLook();
        if (!pictureLost && context.shownPageLook == look) return false;
        context.shownPageLook = look;
    } else {
        context.shownPageLook.reset();
    }
    drawFrame(*device);
    return true;
}
