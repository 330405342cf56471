#pragma once

#include "platform/DeviceCall.h"
#include "platform/GraphicsDevice.h"

#include <cstddef>
#include <map>
#include <vector>

// A graphics device without a window that records, in order, every request
// the game makes of it, so tests can check what was asked to be drawn. Its
// resources are real: textures are decoded from their files, models loaded
// from theirs and fonts rasterised, so a missing file fails as it would on
// screen.
class RecordingDevice : public GraphicsDevice {
public:
    RecordingDevice();

    bool checkMultisample(int samples) const override;
    void setRenderState(RenderState state, std::uint32_t value) override;
    void clear(std::uint32_t flags, std::uint32_t color, float depth) override;
    void beginScene() override;
    void endScene() override;
    void present() override;
    // The calls made while looking are left out of the log: only their
    // fingerprint remains.
    void beginLook() override;
    std::uint64_t endLook() override;
    // Keeps no backdrop: every frame is recorded whole.
    bool showBackdrop(std::uint64_t) override { return false; }
    void keepBackdrop(std::uint64_t) override {}
    int refreshRate() const override { return refreshRateHz; }
    bool vsyncRequested() const override { return false; }
    std::int64_t lastSwapMicroseconds() const override { return 0; }
    void setTransform(TransformKind kind, const Matrix& matrix) override;
    void setLight(int index, const Light& light) override;
    void lightEnable(int index, bool enable) override;
    void setMaterial(const Material& material) override;
    void setTexture(int stage, Texture* texture) override;
    void setMipFilterLinear(int sampler) override;
    std::unique_ptr<Texture> createTexture(const Image& image) override;
    std::unique_ptr<Texture> createTextureFromFile(const std::string& path) override;
    std::unique_ptr<Texture> createTextureFromFileKeyed(const std::string& path,
                                                        std::uint32_t colorKey) override;
    std::unique_ptr<MeshBuffer> createMesh(const MeshData& data) override;
    std::unique_ptr<MeshBuffer> loadMeshFromX(const std::string& path,
                                              std::vector<MeshMaterial>& materials) override;
    using GraphicsDevice::createFont;
    std::unique_ptr<Font> createFont(std::unique_ptr<GlyphAtlas> atlas, int height, int weight,
                                     const std::string& face) override;
    std::unique_ptr<Sprite> createSprite() override;

    // The log, oldest first.
    std::vector<DeviceCall> calls;
    std::vector<const DeviceCall*> callsOf(DeviceCall::Kind kind) const;
    std::size_t count(DeviceCall::Kind kind) const;
    // The latest call of that kind, null when there was none.
    const DeviceCall* last(DeviceCall::Kind kind) const;
    void clearCalls() { calls.clear(); }

    // The display rate the device reports: unknown unless a test sets it.
    int refreshRateHz = 0;

    // The state the game has left the device in.
    Matrix world = Matrix::identity();
    Matrix view = Matrix::identity();
    Matrix projection = Matrix::identity();
    Material material;
    Texture* stage0Texture = nullptr;
    std::map<RenderState, std::uint32_t> renderStates;

    // The most samples the pretend hardware renders (Mesa's software
    // renderer offers 4).
    int maxSamples = 4;
    // Makes every colour-keyed texture load fail, as it can on a device whose
    // memory is short, while plain loads still succeed.
    bool keyedTexturesFail = false;

    // Recording from the device's resources.
    DeviceCall& record(DeviceCall::Kind kind);
    void recordDrawSubset(const MeshBuffer* mesh, std::uint32_t subset);

private:
    std::size_t lookFrom_ = 0;
    std::uint64_t texturesMade_ = 0;
};
