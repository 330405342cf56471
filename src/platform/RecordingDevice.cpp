#include "platform/RecordingDevice.h"

#include "platform/FrameLook.h"

#include "platform/RecordedFont.h"
#include "platform/RecordedMesh.h"
#include "platform/RecordedSprite.h"
#include "platform/RecordedTexture.h"

RecordingDevice::RecordingDevice() = default;

bool RecordingDevice::checkMultisample(int samples) const {
    if (samples == 0 || samples == 1) return true;
    return samples >= 2 && samples <= MAX_MULTISAMPLE && samples <= maxSamples;
}

DeviceCall& RecordingDevice::record(DeviceCall::Kind kind) {
    calls.emplace_back();
    calls.back().kind = kind;
    return calls.back();
}

void RecordingDevice::setRenderState(RenderState state, std::uint32_t value) {
    renderStates[state] = value;
    DeviceCall& call = record(DeviceCall::Kind::RenderState);
    call.state = state;
    call.value = value;
}

void RecordingDevice::clear(std::uint32_t flags, std::uint32_t color, float depth) {
    DeviceCall& call = record(DeviceCall::Kind::Clear);
    call.flags = flags;
    call.color = color;
    call.depth = depth;
}

void RecordingDevice::beginScene() { record(DeviceCall::Kind::BeginScene); }

void RecordingDevice::endScene() { record(DeviceCall::Kind::EndScene); }

void RecordingDevice::present() { record(DeviceCall::Kind::Present); }

void RecordingDevice::beginLook() {
    lookFrom_ = calls.size();
}

std::uint64_t RecordingDevice::endLook() {
    FrameLook look(texturesMade_);
    for (std::size_t i = lookFrom_; i < calls.size(); ++i) {
        const DeviceCall& c = calls[i];
        look.add(c.kind);
        look.add(c.flags);
        look.add(c.color);
        look.add(c.matrix);
        look.add(c.texture);
        look.add(c.mesh);
        look.add(c.subset);
        look.add(c.material);
        look.add(c.topLeft);
        look.add(c.bottomRight);
        look.add(c.font);
        look.add(c.rect);
        look.add(c.format);
        look.add(c.text.data(), c.text.size());
    }
    calls.resize(lookFrom_);
    return look.value();
}

void RecordingDevice::setTransform(TransformKind kind, const Matrix& matrix) {
    switch (kind) {
        case TransformKind::World: world = matrix; break;
        case TransformKind::View: view = matrix; break;
        case TransformKind::Projection: projection = matrix; break;
    }
    DeviceCall& call = record(DeviceCall::Kind::Transform);
    call.transformKind = kind;
    call.matrix = matrix;
}

void RecordingDevice::setLight(int index, const Light& light) {
    DeviceCall& call = record(DeviceCall::Kind::Light);
    call.index = index;
    call.light = light;
}

void RecordingDevice::lightEnable(int index, bool enable) {
    DeviceCall& call = record(DeviceCall::Kind::LightEnable);
    call.index = index;
    call.enable = enable;
}

void RecordingDevice::setMaterial(const Material& m) {
    material = m;
    record(DeviceCall::Kind::Material).material = m;
}

void RecordingDevice::setTexture(int stage, Texture* texture) {
    if (stage == 0) stage0Texture = texture;
    DeviceCall& call = record(DeviceCall::Kind::Texture);
    call.stage = stage;
    call.texture = texture;
}

void RecordingDevice::setMipFilterLinear(int sampler) { record(DeviceCall::Kind::MipFilter).stage = sampler; }

void RecordingDevice::recordDrawSubset(const MeshBuffer* mesh, std::uint32_t subset) {
    DeviceCall& call = record(DeviceCall::Kind::DrawSubset);
    call.mesh = mesh;
    call.subset = subset;
    call.matrix = world;
    call.material = material;
    call.texture = stage0Texture;
}

std::unique_ptr<Texture> RecordingDevice::createTexture(const Image& image) {
    ++texturesMade_;
    DeviceCall& call = record(DeviceCall::Kind::CreateTexture);
    call.succeeded = true;
    auto texture = std::make_unique<RecordedTexture>(std::string(), false, image);
    call.texture = texture.get();
    return texture;
}

std::unique_ptr<Texture> RecordingDevice::createTextureFromFile(const std::string& path) {
    ++texturesMade_;
    std::optional<Image> image = loadImage(path);
    DeviceCall& call = record(DeviceCall::Kind::CreateTexture);
    call.path = path;
    call.succeeded = image.has_value();
    if (!image) return nullptr;
    auto texture = std::make_unique<RecordedTexture>(path, false, std::move(*image));
    call.texture = texture.get();
    return texture;
}

std::unique_ptr<Texture> RecordingDevice::createTextureFromFileKeyed(const std::string& path,
                                                                     std::uint32_t colorKey) {
    ++texturesMade_;
    std::optional<Image> image = keyedTexturesFail ? std::nullopt : loadImage(path);
    DeviceCall& call = record(DeviceCall::Kind::CreateTexture);
    call.path = path;
    call.keyed = true;
    call.succeeded = image.has_value();
    if (!image) return nullptr;
    applyColorKey(*image, colorKey);
    auto texture = std::make_unique<RecordedTexture>(path, true, std::move(*image));
    call.texture = texture.get();
    return texture;
}

std::unique_ptr<MeshBuffer> RecordingDevice::createMesh(const MeshData& data) {
    DeviceCall& call = record(DeviceCall::Kind::LoadMesh);
    call.succeeded = true;
    auto mesh = std::make_unique<RecordedMesh>(*this, std::string(), data);
    call.mesh = mesh.get();
    return mesh;
}

std::unique_ptr<MeshBuffer> RecordingDevice::loadMeshFromX(const std::string& path,
                                                           std::vector<MeshMaterial>& materials) {
    std::optional<MeshData> data = loadXMesh(path);
    DeviceCall& call = record(DeviceCall::Kind::LoadMesh);
    call.path = path;
    call.succeeded = data.has_value();
    if (!data) return nullptr;
    materials = data->materials;
    auto mesh = std::make_unique<RecordedMesh>(*this, path, std::move(*data));
    call.mesh = mesh.get();
    return mesh;
}

std::unique_ptr<Font> RecordingDevice::createFont(std::unique_ptr<GlyphAtlas> atlas, int height,
                                                  int weight, const std::string& face) {
    DeviceCall& call = record(DeviceCall::Kind::CreateFont);
    call.face = face;
    call.height = height;
    call.weight = weight;
    call.succeeded = atlas != nullptr;
    if (!atlas) return nullptr;
    auto font = std::make_unique<RecordedFont>(*this, face, height, weight, std::move(atlas));
    call.font = font.get();
    return font;
}

std::unique_ptr<Sprite> RecordingDevice::createSprite() {
    record(DeviceCall::Kind::CreateSprite);
    return std::make_unique<RecordedSprite>(*this);
}

std::vector<const DeviceCall*> RecordingDevice::callsOf(DeviceCall::Kind kind) const {
    std::vector<const DeviceCall*> out;
    for (const DeviceCall& call : calls)
        if (call.kind == kind) out.push_back(&call);
    return out;
}

std::size_t RecordingDevice::count(DeviceCall::Kind kind) const {
    std::size_t n = 0;
    for (const DeviceCall& call : calls) n += call.kind == kind;
    return n;
}

const DeviceCall* RecordingDevice::last(DeviceCall::Kind kind) const {
    for (auto it = calls.rbegin(); it != calls.rend(); ++it)
        if (it->kind == kind) return &*it;
    return nullptr;
}
