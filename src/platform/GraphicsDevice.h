#pragma once

#include "platform/Font.h"
#include "platform/GlyphAtlas.h"
#include "platform/GraphicsTypes.h"
#include "platform/Image.h"
#include "platform/MeshBuffer.h"
#include "platform/MeshData.h"
#include "platform/Sprite.h"
#include "platform/Texture.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The one drawing device of the game: the stand-in for the Direct3D 9 device
// and the D3DX helpers that create resources on it. Backends: OpenGL (the
// game) and a recording device (tests).
class GraphicsDevice {
public:
    // The largest multisample count any device offers.
    static constexpr int MAX_MULTISAMPLE = 16;

    virtual ~GraphicsDevice() = default;

    // Whether a back buffer with this multisample count can be made:
    // 0 and 1 always, 2 to 16 when the hardware has that many samples.
    virtual bool checkMultisample(int samples) const = 0;

    virtual void setRenderState(RenderState state, std::uint32_t value) = 0;
    virtual void clear(std::uint32_t flags, std::uint32_t color, float depth) = 0;
    virtual void beginScene() = 0;
    virtual void endScene() = 0;
    virtual void present() = 0;
    // Between these two, nothing is drawn, cleared nor presented: the draws
    // asked for only make up the fingerprint endLook gives, which changes
    // with anything they would change on screen, a picture made or freed
    // on the device included.
    virtual void beginLook() = 0;
    virtual std::uint64_t endLook() = 0;
    // The part of a frame that stays the same from one frame to the next,
    // kept as a picture with its depth: keepBackdrop keeps the frame drawn
    // so far under a fingerprint of how it was drawn; showBackdrop puts it
    // back, pixel for pixel, when one is kept under that fingerprint, and
    // says whether it did. A new back buffer keeps none.
    virtual bool showBackdrop(std::uint64_t look) = 0;
    virtual void keepBackdrop(std::uint64_t look) = 0;
    // How often the display shows a new picture, in Hz; 0 when unknown.
    virtual int refreshRate() const = 0;
    // Whether the window system took the request to swap on the refresh
    // (vsync), and how long the latest present's swap took: under Xvfb and
    // some drivers the request is taken, yet the swap never waits.
    virtual bool vsyncRequested() const = 0;
    virtual std::int64_t lastSwapMicroseconds() const = 0;

    virtual void setTransform(TransformKind kind, const Matrix& matrix) = 0;
    virtual void setLight(int index, const Light& light) = 0;
    virtual void lightEnable(int index, bool enable) = 0;
    virtual void setMaterial(const Material& material) = 0;
    // Stage 0 is the only stage the game uses; null unbinds.
    virtual void setTexture(int stage, Texture* texture) = 0;
    virtual void setMipFilterLinear(int sampler) = 0;

    // Null when the picture is larger than the device can hold.
    virtual std::unique_ptr<Texture> createTexture(const Image& image) = 0;
    // Null when the file is missing or not a picture.
    virtual std::unique_ptr<Texture> createTextureFromFile(const std::string& path) = 0;
    // As above, and texels equal to colorKey become fully transparent.
    virtual std::unique_ptr<Texture> createTextureFromFileKeyed(const std::string& path,
                                                                std::uint32_t colorKey) = 0;
    // A model already read, on the device.
    virtual std::unique_ptr<MeshBuffer> createMesh(const MeshData& data) = 0;
    // A DirectX .x model and its materials in subset order; null on failure.
    virtual std::unique_ptr<MeshBuffer> loadMeshFromX(const std::string& path,
                                                      std::vector<MeshMaterial>& materials) = 0;
    // Null when the face cannot be found or rasterised.
    std::unique_ptr<Font> createFont(int height, int width, int weight, bool italic,
                                     const std::string& face) {
        return createFont(GlyphAtlas::create(face, height, width, weight, italic), height, weight, face);
    }
    // A font already rasterised (null when that failed), asked for with
    // this height, weight and face.
    virtual std::unique_ptr<Font> createFont(std::unique_ptr<GlyphAtlas> atlas, int height, int weight,
                                             const std::string& face) = 0;
    virtual std::unique_ptr<Sprite> createSprite() = 0;
};
