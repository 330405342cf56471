#pragma once

#include "platform/FrameLook.h"
#include "platform/GraphicsDevice.h"
#include "platform/Image.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class GlProgram;
class GlTexture;
class Window;

// The drawing device on OpenGL 3.3 core. The back buffer has exactly the
// configured size (8-bit RGB colour, 16-bit depth). When the window has that
// size and no multisampling is asked, frames are drawn straight into the
// window. Otherwise they go to an offscreen framebuffer, multisampled when
// asked and possible, resolved and copied to the window on present: scaled
// smoothly into the largest centred rectangle of its proportions, with black
// bars beside it. Fixed-function lighting, culling and depth follow
// Direct3D 9 in the device's own shaders.
class GlDevice final : public GraphicsDevice {
public:
    static constexpr int MAX_LIGHTS = 8;
    static constexpr int BACK_BUFFER_DEPTH_BITS = 16;  // GL_DEPTH_COMPONENT16

    // Creates the OpenGL context on the window. Null when OpenGL 3.3 is
    // missing; error then says so in one line.
    static std::unique_ptr<GlDevice> create(Window& window, int width, int height,
                                            int multisample, std::string& error);
    ~GlDevice() override;
    GlDevice(const GlDevice&) = delete;
    GlDevice& operator=(const GlDevice&) = delete;

    bool checkMultisample(int samples) const override;
    void setRenderState(RenderState state, std::uint32_t value) override;
    void clear(std::uint32_t flags, std::uint32_t color, float depth) override;
    void beginScene() override;
    void endScene() override;
    void present() override;
    void beginLook() override;
    std::uint64_t endLook() override;
    bool showBackdrop(std::uint64_t look) override;
    void keepBackdrop(std::uint64_t look) override;
    int refreshRate() const override;
    bool vsyncRequested() const override { return vsync_; }
    std::int64_t lastSwapMicroseconds() const override { return lastSwapMicroseconds_; }
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

    int backBufferWidth() const { return width_; }
    int backBufferHeight() const { return height_; }
    // Samples per pixel of the back buffer as made (0 when not multisampled).
    int backBufferSamples() const { return samples_; }
    // The picture drawn so far, resolved, rows from the top.
    Image readBackBuffer();

    // For the device's own resources: set the whole pipeline state for a
    // lit, textured 3D draw, or for screen-space quads (x, y, u, v per
    // vertex, six vertices a quad, in back-buffer pixels) drawn with the
    // texture modulated by an ARGB colour and alpha-blended over the picture.
    void prepareMeshDraw();
    void drawScreenQuads(const float* vertices, int quadCount, unsigned int texture,
                         std::uint32_t color);
    void forgetTexture(const GlTexture* texture);
    // A picture was made or freed: a name may now stand for other texels.
    void textureChanged() { ++textureGeneration_; }
    // While a frame is only looked at, a model's draw adds itself, under
    // the state in force, to the fingerprint instead.
    bool looking() const { return looking_; }
    void lookAtMesh(unsigned int vertexArray, int indexCount);
    // Whether a texture's levels can be allocated at once, before they are
    // filled, rather than one by one as each arrives.
    bool textureStorage() const { return textureStorage_; }

private:
    struct State;

    GlDevice(Window& window, void* context, int width, int height);
    bool makeBackBuffer(int samples);
    // Picks where this frame is drawn, from the window's size as it is now,
    // and binds it.
    void chooseTarget();
    void resolve();
    // The offscreen frame, fitted into the window with black bars.
    void copyToWindow();
    // Colour and depth, whole, from one framebuffer to another of the back
    // buffer's size; false when the two cannot be copied between.
    bool copyFrame(unsigned int from, unsigned int to);
    bool makeBackdrop();

    Window& window_;
    void* context_;
    int width_;
    int height_;
    int samples_ = 0;
    bool vsync_ = false;
    bool textureStorage_ = false;
    std::int64_t lastSwapMicroseconds_ = 0;
    int maxSamples_ = 0;
    int maxTextureSize_ = 0;
    unsigned int drawFramebuffer_ = 0;
    unsigned int target_ = 0;  // the frame's framebuffer: the window's (0) or drawFramebuffer_
    bool windowDepthMatches_ = false;
    unsigned int colorBuffer_ = 0;
    unsigned int depthBuffer_ = 0;
    unsigned int resolveFramebuffer_ = 0;
    unsigned int resolveColorBuffer_ = 0;
    unsigned int meshSampler_ = 0;
    unsigned int screenSampler_ = 0;
    unsigned int screenArray_ = 0;
    unsigned int screenBuffer_ = 0;
    std::unique_ptr<GlProgram> meshProgram_;
    std::unique_ptr<GlProgram> screenProgram_;
    std::unique_ptr<State> state_;
    bool looking_ = false;
    FrameLook look_;
    std::uint64_t textureGeneration_ = 0;
    unsigned int backdropFramebuffer_ = 0;
    unsigned int backdropColorBuffer_ = 0;
    unsigned int backdropDepthBuffer_ = 0;
    std::optional<std::uint64_t> backdropLook_;
    // Set once a copy failed: every frame is then drawn whole.
    bool backdropBroken_ = false;
};
