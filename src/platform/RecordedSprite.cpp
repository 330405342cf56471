#include "platform/RecordedSprite.h"

#include "platform/RecordingDevice.h"
#include "platform/Texture.h"

RecordedSprite::RecordedSprite(RecordingDevice& device) : device_(device) { ++alive; }

RecordedSprite::~RecordedSprite() {
    --alive;
    ++destroyed;
}

void RecordedSprite::begin(std::uint32_t flags) { device_.record(DeviceCall::Kind::SpriteBegin).flags = flags; }

void RecordedSprite::end() { device_.record(DeviceCall::Kind::SpriteEnd); }

void RecordedSprite::setTransform(const Matrix& t) {
    transform = t;
    device_.record(DeviceCall::Kind::SpriteTransform).matrix = t;
}

void RecordedSprite::draw(Texture* texture, const Vector3* position, std::uint32_t color) {
    DeviceCall& call = device_.record(DeviceCall::Kind::SpriteDraw);
    call.texture = texture;
    call.color = color;
    call.matrix = transform;
    call.hasPosition = position != nullptr;
    const Vector3 at = position ? *position : Vector3{};
    call.position = at;
    // The picture's texels are moved by the position, then transformed.
    const float w = texture ? static_cast<float>(texture->width()) : 0.0f;
    const float h = texture ? static_cast<float>(texture->height()) : 0.0f;
    const Vector3 topLeft = transformCoord({at.x, at.y, at.z}, transform);
    const Vector3 bottomRight = transformCoord({at.x + w, at.y + h, at.z}, transform);
    call.topLeft = {topLeft.x, topLeft.y};
    call.bottomRight = {bottomRight.x, bottomRight.y};
}
