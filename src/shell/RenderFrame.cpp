#include "shell/RenderFrame.h"

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

void renderFrame() {
    GraphicsDevice* device = GraphicsContext::instance().device.get();
    if (device == nullptr) return;
    device->clear(CLEAR_TARGET, CLEAR_COLOR, FAR_DEPTH);
    device->clear(CLEAR_ZBUFFER, DEPTH_CLEAR_COLOR, FAR_DEPTH);
    device->beginScene();
    const Config& config = Config::instance();
    setCamera(*device, config.width, config.height);
    drawScene();
    device->endScene();
    device->present();
}
