#include "platform/GlDevice.h"

#include "platform/GlFont.h"
#include "platform/GlHeaders.h"
#include "platform/GlMeshBuffer.h"
#include "platform/GlProgram.h"
#include "platform/GlSprite.h"
#include "platform/GlTexture.h"
#include "platform/GlyphAtlas.h"
#include "platform/MeshData.h"
#include "platform/PictureFit.h"
#include "platform/Window.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

constexpr int FLOATS_PER_SCREEN_VERTEX = 4;
constexpr int VERTICES_PER_QUAD = 6;
// Immutable texture storage is core from OpenGL 4.2, an extension before.
constexpr int TEXTURE_STORAGE_MAJOR = 4;
constexpr int TEXTURE_STORAGE_MINOR = 2;

// Vertex lighting as the fixed-function pipeline does it: point lights with
// ambient, diffuse, attenuation and range, no specular. Matrices are row-
// vector matrices uploaded as they are stored, so "M * v" in GLSL is v · M.
// The projection gives depth 0..1 as Direct3D does; it is remapped to
// OpenGL's -1..1 here, which leaves the stored depth z/w as it was.
constexpr const char* MESH_VERTEX_SHADER = R"(#version 330 core
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec2 aUv;
uniform mat4 uWorld;
uniform mat4 uView;
uniform mat4 uProjection;
uniform mat3 uNormalMatrix;
uniform bool uLighting;
uniform vec3 uGlobalAmbient;
uniform vec4 uDiffuse;
uniform vec3 uAmbient;
uniform vec3 uEmissive;
uniform bool uLightOn[8];
uniform vec3 uLightPosition[8];
uniform vec3 uLightDiffuse[8];
uniform vec3 uLightAmbient[8];
uniform vec4 uLightRangeAttenuation[8];
out vec4 vColor;
out vec2 vUv;
void main() {
    vec4 world = uWorld * vec4(aPosition, 1.0);
    vec4 clip = uProjection * (uView * world);
    clip.z = 2.0 * clip.z - clip.w;
    gl_Position = clip;
    vUv = aUv;
    if (!uLighting) {
        vColor = vec4(1.0);
        return;
    }
    vec3 normal = normalize(uNormalMatrix * aNormal);
    vec3 ambient = uGlobalAmbient;
    vec3 diffuse = vec3(0.0);
    for (int i = 0; i < 8; ++i) {
        if (!uLightOn[i]) continue;
        vec3 toLight = uLightPosition[i] - world.xyz;
        float distance = length(toLight);
        vec4 ra = uLightRangeAttenuation[i];
        if (distance > ra.x) continue;
        float attenuation = 1.0 / max(ra.y + ra.z * distance + ra.w * distance * distance, 1e-6);
        vec3 direction = distance > 0.0 ? toLight / distance : vec3(0.0);
        ambient += attenuation * uLightAmbient[i];
        diffuse += uLightDiffuse[i] * max(0.0, dot(normal, direction)) * attenuation;
    }
    vec3 color = uEmissive + uAmbient * ambient + uDiffuse.rgb * diffuse;
    vColor = clamp(vec4(color, uDiffuse.a), 0.0, 1.0);
}
)";

// Stage 0 modulates the colour by the texture and takes the texture's
// alpha; with no texture the lit colour stands as it is.
constexpr const char* MESH_FRAGMENT_SHADER = R"(#version 330 core
in vec4 vColor;
in vec2 vUv;
uniform sampler2D uTexture;
uniform bool uTextured;
out vec4 fragColor;
void main() {
    if (uTextured) {
        vec4 texel = texture(uTexture, vUv);
        fragColor = vec4(texel.rgb * vColor.rgb, texel.a);
    } else {
        fragColor = vColor;
    }
}
)";

// Screen-space quads in back-buffer pixels, (0, 0) at the top left.
constexpr const char* SCREEN_VERTEX_SHADER = R"(#version 330 core
layout(location = 0) in vec2 aPixel;
layout(location = 1) in vec2 aUv;
uniform vec2 uViewport;
out vec2 vUv;
void main() {
    gl_Position = vec4(aPixel.x / uViewport.x * 2.0 - 1.0, 1.0 - aPixel.y / uViewport.y * 2.0,
                       0.0, 1.0);
    vUv = aUv;
}
)";

constexpr const char* SCREEN_FRAGMENT_SHADER = R"(#version 330 core
in vec2 vUv;
uniform sampler2D uTexture;
uniform vec4 uColor;
out vec4 fragColor;
void main() { fragColor = texture(uTexture, vUv) * uColor; }
)";

struct Rgba {
    float r, g, b, a;
};

Rgba unpackArgb(std::uint32_t color) {
    auto channel = [color](int shift) {
        return static_cast<float>((color >> shift) & 0xFFu) / 255.0f;
    };
    return {channel(16), channel(8), channel(0), channel(24)};
}

GLenum blendFactor(std::uint32_t value) {
    switch (value) {
        case 1: return GL_ZERO;
        case 2: return GL_ONE;
        case 3: return GL_SRC_COLOR;
        case 4: return GL_ONE_MINUS_SRC_COLOR;
        case BLEND_SRCALPHA: return GL_SRC_ALPHA;
        case BLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
        case 7: return GL_DST_ALPHA;
        case 8: return GL_ONE_MINUS_DST_ALPHA;
        case 9: return GL_DST_COLOR;
        case 10: return GL_ONE_MINUS_DST_COLOR;
        default: return GL_ONE;
    }
}

// The inverse transpose of the world matrix's upper 3 × 3, which carries
// normals into world space even under non-uniform scaling.
void normalMatrix(const Matrix& world, float out[9]) {
    const float(*a)[4] = world.m;
    const float c00 = a[1][1] * a[2][2] - a[1][2] * a[2][1];
    const float c01 = a[1][2] * a[2][0] - a[1][0] * a[2][2];
    const float c02 = a[1][0] * a[2][1] - a[1][1] * a[2][0];
    const float c10 = a[0][2] * a[2][1] - a[0][1] * a[2][2];
    const float c11 = a[0][0] * a[2][2] - a[0][2] * a[2][0];
    const float c12 = a[0][1] * a[2][0] - a[0][0] * a[2][1];
    const float c20 = a[0][1] * a[1][2] - a[0][2] * a[1][1];
    const float c21 = a[0][2] * a[1][0] - a[0][0] * a[1][2];
    const float c22 = a[0][0] * a[1][1] - a[0][1] * a[1][0];
    const float determinant = a[0][0] * c00 + a[0][1] * c01 + a[0][2] * c02;
    const float scale = determinant != 0.0f ? 1.0f / determinant : 0.0f;
    // (A⁻¹)ᵀ is the cofactor matrix over the determinant.
    const float cofactors[9] = {c00, c01, c02, c10, c11, c12, c20, c21, c22};
    for (int i = 0; i < 9; ++i) out[i] = cofactors[i] * scale;
}

// The depth bits of the window's own framebuffer; 0 when it has none (the
// query's error then is cleared).
GLint windowDepthBits() {
    GLint bits = 0;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH,
                                          GL_FRAMEBUFFER_ATTACHMENT_DEPTH_SIZE, &bits);
    while (glGetError() != GL_NO_ERROR) continue;
    return bits;
}

}  // namespace

// Everything 3D drawing depends on, applied in full before every mesh
// subset, so screen-space drawing in between can never disturb it.
struct GlDevice::State {
    bool lighting = true;
    bool zEnable = true;
    Rgba ambient{0, 0, 0, 0};
    bool alphaBlend = false;
    std::uint32_t srcBlend = 2;   // one
    std::uint32_t destBlend = 1;  // zero
    bool multisampleAntialias = true;
    Matrix world = Matrix::identity();
    Matrix view = Matrix::identity();
    Matrix projection = Matrix::identity();
    Material material;
    std::array<Light, MAX_LIGHTS> lights{};
    std::array<bool, MAX_LIGHTS> lightOn{};
    const GlTexture* texture = nullptr;
    bool mipFilterLinear = false;
};

std::unique_ptr<GlDevice> GlDevice::create(Window& window, int width, int height,
                                           int multisample, std::string& error) {
    SDL_GLContext context = SDL_GL_CreateContext(window.handle());
    if (context == nullptr) {
        error = std::string("OpenGL 3.3 is not available (") + SDL_GetError() + ")";
        return nullptr;
    }
    GLint major = 0;
    GLint minor = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    if (major < Window::GL_MAJOR || (major == Window::GL_MAJOR && minor < Window::GL_MINOR)) {
        SDL_GL_DeleteContext(context);
        error = "OpenGL 3.3 is not available";
        return nullptr;
    }
    // Vsync where the window system offers it.
    const bool vsync = SDL_GL_SetSwapInterval(1) == 0;

    std::unique_ptr<GlDevice> device(new GlDevice(window, context, width, height));
    device->vsync_ = vsync;
    device->textureStorage_ = major > TEXTURE_STORAGE_MAJOR ||
                              (major == TEXTURE_STORAGE_MAJOR && minor >= TEXTURE_STORAGE_MINOR) ||
                              SDL_GL_ExtensionSupported("GL_ARB_texture_storage") == SDL_TRUE;
    device->meshProgram_ = std::make_unique<GlProgram>(MESH_VERTEX_SHADER, MESH_FRAGMENT_SHADER, error);
    if (device->meshProgram_->id() == 0) {
        error = "OpenGL 3.3 shaders do not build: " + error;
        return nullptr;
    }
    device->screenProgram_ =
        std::make_unique<GlProgram>(SCREEN_VERTEX_SHADER, SCREEN_FRAGMENT_SHADER, error);
    if (device->screenProgram_->id() == 0) {
        error = "OpenGL 3.3 shaders do not build: " + error;
        return nullptr;
    }
    const int samples = device->checkMultisample(multisample) && multisample >= 2 ? multisample : 0;
    if (!device->makeBackBuffer(samples) && !(samples > 0 && device->makeBackBuffer(0))) {
        error = "OpenGL cannot make a back buffer of " + std::to_string(width) + " x " +
                std::to_string(height);
        return nullptr;
    }
    // Only a window whose depth buffer tests as the back buffer's does is
    // drawn into directly: another depth changes which of two close
    // surfaces shows.
    device->windowDepthMatches_ = windowDepthBits() == BACK_BUFFER_DEPTH_BITS;
    device->chooseTarget();
    return device;
}

GlDevice::GlDevice(Window& window, void* context, int width, int height)
    : window_(window), context_(context), width_(width), height_(height),
      state_(std::make_unique<State>()) {
    glGetIntegerv(GL_MAX_SAMPLES, &maxSamples_);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTextureSize_);

    glGenSamplers(1, &meshSampler_);
    glSamplerParameteri(meshSampler_, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glSamplerParameteri(meshSampler_, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glSamplerParameteri(meshSampler_, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glSamplerParameteri(meshSampler_, GL_TEXTURE_MIN_FILTER, GL_NEAREST);

    glGenSamplers(1, &screenSampler_);
    glSamplerParameteri(screenSampler_, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glSamplerParameteri(screenSampler_, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glSamplerParameteri(screenSampler_, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glSamplerParameteri(screenSampler_, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);

    glGenVertexArrays(1, &screenArray_);
    glGenBuffers(1, &screenBuffer_);
    glBindVertexArray(screenArray_);
    glBindBuffer(GL_ARRAY_BUFFER, screenBuffer_);
    const GLsizei stride = FLOATS_PER_SCREEN_VERTEX * sizeof(float);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(2 * sizeof(float)));
    glBindVertexArray(0);
}

GlDevice::~GlDevice() {
    meshProgram_.reset();
    screenProgram_.reset();
    glDeleteSamplers(1, &meshSampler_);
    glDeleteSamplers(1, &screenSampler_);
    glDeleteVertexArrays(1, &screenArray_);
    glDeleteBuffers(1, &screenBuffer_);
    glDeleteFramebuffers(1, &drawFramebuffer_);
    glDeleteFramebuffers(1, &resolveFramebuffer_);
    glDeleteRenderbuffers(1, &colorBuffer_);
    glDeleteRenderbuffers(1, &depthBuffer_);
    glDeleteRenderbuffers(1, &resolveColorBuffer_);
    glDeleteFramebuffers(1, &backdropFramebuffer_);
    glDeleteRenderbuffers(1, &backdropColorBuffer_);
    glDeleteRenderbuffers(1, &backdropDepthBuffer_);
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context_));
}

bool GlDevice::makeBackBuffer(int samples) {
    glDeleteFramebuffers(1, &drawFramebuffer_);
    glDeleteRenderbuffers(1, &colorBuffer_);
    glDeleteRenderbuffers(1, &depthBuffer_);
    glDeleteFramebuffers(1, &resolveFramebuffer_);
    glDeleteRenderbuffers(1, &resolveColorBuffer_);
    glDeleteFramebuffers(1, &backdropFramebuffer_);
    glDeleteRenderbuffers(1, &backdropColorBuffer_);
    glDeleteRenderbuffers(1, &backdropDepthBuffer_);
    drawFramebuffer_ = colorBuffer_ = depthBuffer_ = resolveFramebuffer_ = resolveColorBuffer_ = 0;
    backdropFramebuffer_ = backdropColorBuffer_ = backdropDepthBuffer_ = 0;
    backdropLook_.reset();

    glGenRenderbuffers(1, &colorBuffer_);
    glBindRenderbuffer(GL_RENDERBUFFER, colorBuffer_);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_RGB8, width_, height_);
    glGenRenderbuffers(1, &depthBuffer_);
    glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer_);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_DEPTH_COMPONENT16, width_,
                                     height_);
    glGenFramebuffers(1, &drawFramebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, drawFramebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colorBuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer_);
    bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;

    if (samples > 0) {
        glGenRenderbuffers(1, &resolveColorBuffer_);
        glBindRenderbuffer(GL_RENDERBUFFER, resolveColorBuffer_);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGB8, width_, height_);
        glGenFramebuffers(1, &resolveFramebuffer_);
        glBindFramebuffer(GL_FRAMEBUFFER, resolveFramebuffer_);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                  resolveColorBuffer_);
        complete = complete && glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    samples_ = samples;
    return complete && glGetError() == GL_NO_ERROR;
}

bool GlDevice::checkMultisample(int samples) const {
    if (samples == 0 || samples == 1) return true;
    return samples >= 2 && samples <= MAX_MULTISAMPLE && samples <= maxSamples_;
}

void GlDevice::setRenderState(RenderState state, std::uint32_t value) {
    switch (state) {
        case RenderState::Lighting: state_->lighting = value != 0; break;
        case RenderState::ZEnable: state_->zEnable = value != 0; break;
        case RenderState::Ambient: state_->ambient = unpackArgb(value); break;
        case RenderState::AlphaBlendEnable: state_->alphaBlend = value != 0; break;
        case RenderState::SrcBlend: state_->srcBlend = value; break;
        case RenderState::DestBlend: state_->destBlend = value; break;
        case RenderState::MultisampleAntialias: state_->multisampleAntialias = value != 0; break;
    }
}

void GlDevice::chooseTarget() {
    int windowWidth = 0;
    int windowHeight = 0;
    SDL_GL_GetDrawableSize(window_.handle(), &windowWidth, &windowHeight);
    const bool intoWindow =
        windowDepthMatches_ && samples_ == 0 && windowWidth == width_ && windowHeight == height_;
    target_ = intoWindow ? 0 : drawFramebuffer_;
    glBindFramebuffer(GL_FRAMEBUFFER, target_);
}

void GlDevice::clear(std::uint32_t flags, std::uint32_t color, float depth) {
    if (looking_) {
        look_.add(flags);
        look_.add(color);
        look_.add(depth);
        return;
    }
    chooseTarget();
    GLbitfield mask = 0;
    if ((flags & CLEAR_TARGET) != 0) {
        const Rgba c = unpackArgb(color);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glClearColor(c.r, c.g, c.b, 1.0f);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if ((flags & CLEAR_ZBUFFER) != 0) {
        glDepthMask(GL_TRUE);
        glClearDepth(depth);
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (mask != 0) glClear(mask);
}

void GlDevice::beginScene() {
    if (!looking_) chooseTarget();
}

void GlDevice::endScene() {
    if (!looking_) glFlush();
}

void GlDevice::beginLook() {
    looking_ = true;
    look_ = FrameLook(textureGeneration_);
}

std::uint64_t GlDevice::endLook() {
    looking_ = false;
    return look_.value();
}

// Made with the first backdrop kept, as the back buffer is, so that copies
// between the two are exact, samples included.
bool GlDevice::makeBackdrop() {
    glGenRenderbuffers(1, &backdropColorBuffer_);
    glBindRenderbuffer(GL_RENDERBUFFER, backdropColorBuffer_);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples_, GL_RGB8, width_, height_);
    glGenRenderbuffers(1, &backdropDepthBuffer_);
    glBindRenderbuffer(GL_RENDERBUFFER, backdropDepthBuffer_);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples_, GL_DEPTH_COMPONENT16, width_, height_);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    glGenFramebuffers(1, &backdropFramebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, backdropFramebuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                              backdropColorBuffer_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                              backdropDepthBuffer_);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, target_);
    return complete;
}

bool GlDevice::copyFrame(unsigned int from, unsigned int to) {
    while (glGetError() != GL_NO_ERROR) continue;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, from);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, to);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_,
                      GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT, GL_NEAREST);
    // A window whose depth is stored otherwise than ours refuses the copy.
    const bool copied = glGetError() == GL_NO_ERROR;
    glBindFramebuffer(GL_FRAMEBUFFER, target_);
    return copied;
}

bool GlDevice::showBackdrop(std::uint64_t look) {
    if (looking_ || backdropBroken_ || backdropLook_ != look) return false;
    if (copyFrame(backdropFramebuffer_, target_)) return true;
    backdropBroken_ = true;
    backdropLook_.reset();
    return false;
}

void GlDevice::keepBackdrop(std::uint64_t look) {
    if (looking_ || backdropBroken_) return;
    if (backdropFramebuffer_ == 0 && !makeBackdrop()) {
        backdropBroken_ = true;
        return;
    }
    backdropBroken_ = !copyFrame(target_, backdropFramebuffer_);
    if (backdropBroken_)
        backdropLook_.reset();
    else
        backdropLook_ = look;
}

void GlDevice::lookAtMesh(unsigned int vertexArray, int indexCount) {
    const State& s = *state_;
    look_.add(vertexArray);
    look_.add(indexCount);
    look_.add(s.world);
    look_.add(s.view);
    look_.add(s.projection);
    look_.add(s.material);
    look_.add(s.texture);
    look_.add(s.lightOn);
    look_.add(s.lighting);
    look_.add(s.zEnable);
    look_.add(s.alphaBlend);
}

void GlDevice::resolve() {
    if (samples_ == 0) return;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, drawFramebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, resolveFramebuffer_);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT, GL_NEAREST);
}

void GlDevice::present() {
    if (looking_) return;
    if (target_ != 0) copyToWindow();
    const auto beforeSwap = std::chrono::steady_clock::now();
    SDL_GL_SwapWindow(window_.handle());
    lastSwapMicroseconds_ = std::chrono::duration_cast<std::chrono::microseconds>(
                                std::chrono::steady_clock::now() - beforeSwap)
                                .count();
    glBindFramebuffer(GL_FRAMEBUFFER, target_);
}

void GlDevice::copyToWindow() {
    resolve();
    int windowWidth = 0;
    int windowHeight = 0;
    SDL_GL_GetDrawableSize(window_.handle(), &windowWidth, &windowHeight);
    const Rect picture = fitPicture(width_, height_, windowWidth, windowHeight);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, samples_ > 0 ? resolveFramebuffer_ : drawFramebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    // Black bars where the picture does not reach; the clear colour of the
    // back buffer is set again by every clear of it.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    const bool sameSize = picture.right - picture.left == width_;
    // The window's rows count from the bottom.
    glBlitFramebuffer(0, 0, width_, height_, picture.left, windowHeight - picture.bottom,
                      picture.right, windowHeight - picture.top, GL_COLOR_BUFFER_BIT,
                      sameSize ? GL_NEAREST : GL_LINEAR);
}

int GlDevice::refreshRate() const {
    SDL_DisplayMode mode{};
    const int display = SDL_GetWindowDisplayIndex(window_.handle());
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &mode) != 0) return 0;
    return mode.refresh_rate;
}

Image GlDevice::readBackBuffer() {
    resolve();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, samples_ > 0 ? resolveFramebuffer_ : target_);
    Image image;
    image.width = width_;
    image.height = height_;
    const std::size_t row = static_cast<std::size_t>(width_) * 4;
    std::vector<std::uint8_t> bottomUp(row * static_cast<std::size_t>(height_));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    image.rgba.resize(bottomUp.size());
    for (int y = 0; y < height_; ++y)
        std::copy_n(bottomUp.begin() + static_cast<std::ptrdiff_t>(row * (height_ - 1 - y)), row,
                    image.rgba.begin() + static_cast<std::ptrdiff_t>(row * y));
    glBindFramebuffer(GL_FRAMEBUFFER, target_);
    return image;
}

void GlDevice::setTransform(TransformKind kind, const Matrix& matrix) {
    switch (kind) {
        case TransformKind::World: state_->world = matrix; break;
        case TransformKind::View: state_->view = matrix; break;
        case TransformKind::Projection: state_->projection = matrix; break;
    }
}

void GlDevice::setLight(int index, const Light& light) {
    if (index < 0 || index >= MAX_LIGHTS) return;
    state_->lights[static_cast<std::size_t>(index)] = light;
}

void GlDevice::lightEnable(int index, bool enable) {
    if (index < 0 || index >= MAX_LIGHTS) return;
    state_->lightOn[static_cast<std::size_t>(index)] = enable;
}

void GlDevice::setMaterial(const Material& material) { state_->material = material; }

void GlDevice::setTexture(int stage, Texture* texture) {
    if (stage != 0) return;
    state_->texture = dynamic_cast<const GlTexture*>(texture);
}

void GlDevice::setMipFilterLinear(int sampler) {
    if (sampler != 0) return;
    state_->mipFilterLinear = true;
}

void GlDevice::forgetTexture(const GlTexture* texture) {
    if (state_->texture == texture) state_->texture = nullptr;
}

void GlDevice::prepareMeshDraw() {
    const State& s = *state_;
    glBindFramebuffer(GL_FRAMEBUFFER, target_);
    glViewport(0, 0, width_, height_);
    if (s.zEnable) {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glDepthMask(GL_TRUE);
    } else {
        glDisable(GL_DEPTH_TEST);
    }
    if (s.alphaBlend) {
        glEnable(GL_BLEND);
        glBlendFunc(blendFactor(s.srcBlend), blendFactor(s.destBlend));
    } else {
        glDisable(GL_BLEND);
    }
    // Front faces are the clockwise ones, as the models list them.
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CW);
    glCullFace(GL_BACK);
    if (s.multisampleAntialias) glEnable(GL_MULTISAMPLE); else glDisable(GL_MULTISAMPLE);

    const GlProgram& p = *meshProgram_;
    glUseProgram(p.id());
    glUniformMatrix4fv(p.uniform("uWorld"), 1, GL_FALSE, &s.world.m[0][0]);
    glUniformMatrix4fv(p.uniform("uView"), 1, GL_FALSE, &s.view.m[0][0]);
    glUniformMatrix4fv(p.uniform("uProjection"), 1, GL_FALSE, &s.projection.m[0][0]);
    float normals[9];
    normalMatrix(s.world, normals);
    glUniformMatrix3fv(p.uniform("uNormalMatrix"), 1, GL_FALSE, normals);
    glUniform1i(p.uniform("uLighting"), s.lighting ? 1 : 0);
    glUniform3f(p.uniform("uGlobalAmbient"), s.ambient.r, s.ambient.g, s.ambient.b);
    const Material& m = s.material;
    glUniform4f(p.uniform("uDiffuse"), m.diffuse.r, m.diffuse.g, m.diffuse.b, m.diffuse.a);
    glUniform3f(p.uniform("uAmbient"), m.ambient.r, m.ambient.g, m.ambient.b);
    glUniform3f(p.uniform("uEmissive"), m.emissive.r, m.emissive.g, m.emissive.b);

    GLint on[MAX_LIGHTS];
    float position[MAX_LIGHTS][3];
    float diffuse[MAX_LIGHTS][3];
    float ambient[MAX_LIGHTS][3];
    float rangeAttenuation[MAX_LIGHTS][4];
    for (std::size_t i = 0; i < MAX_LIGHTS; ++i) {
        const Light& l = s.lights[i];
        on[i] = s.lightOn[i] && l.type == LightType::Point ? 1 : 0;
        const float p3[3] = {l.position.x, l.position.y, l.position.z};
        const float d3[3] = {l.diffuse.r, l.diffuse.g, l.diffuse.b};
        const float a3[3] = {l.ambient.r, l.ambient.g, l.ambient.b};
        const float r4[4] = {l.range, l.attenuation0, l.attenuation1, l.attenuation2};
        std::copy_n(p3, 3, position[i]);
        std::copy_n(d3, 3, diffuse[i]);
        std::copy_n(a3, 3, ambient[i]);
        std::copy_n(r4, 4, rangeAttenuation[i]);
    }
    glUniform1iv(p.uniform("uLightOn"), MAX_LIGHTS, on);
    glUniform3fv(p.uniform("uLightPosition"), MAX_LIGHTS, &position[0][0]);
    glUniform3fv(p.uniform("uLightDiffuse"), MAX_LIGHTS, &diffuse[0][0]);
    glUniform3fv(p.uniform("uLightAmbient"), MAX_LIGHTS, &ambient[0][0]);
    glUniform4fv(p.uniform("uLightRangeAttenuation"), MAX_LIGHTS, &rangeAttenuation[0][0]);

    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, s.texture != nullptr ? s.texture->id() : 0);
    glBindSampler(0, meshSampler_);
    glSamplerParameteri(meshSampler_, GL_TEXTURE_MIN_FILTER,
                        s.mipFilterLinear ? GL_NEAREST_MIPMAP_LINEAR : GL_NEAREST);
    glUniform1i(p.uniform("uTexture"), 0);
    glUniform1i(p.uniform("uTextured"), s.texture != nullptr ? 1 : 0);
}

void GlDevice::drawScreenQuads(const float* vertices, int quadCount, unsigned int texture,
                               std::uint32_t color) {
    if (quadCount <= 0) return;
    if (looking_) {
        look_.add(texture);
        look_.add(color);
        look_.add(vertices, static_cast<std::size_t>(quadCount) * VERTICES_PER_QUAD *
                                FLOATS_PER_SCREEN_VERTEX * sizeof(float));
        return;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, target_);
    glViewport(0, 0, width_, height_);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    const GlProgram& p = *screenProgram_;
    glUseProgram(p.id());
    glUniform2f(p.uniform("uViewport"), static_cast<float>(width_), static_cast<float>(height_));
    const Rgba c = unpackArgb(color);
    glUniform4f(p.uniform("uColor"), c.r, c.g, c.b, c.a);
    glUniform1i(p.uniform("uTexture"), 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBindSampler(0, screenSampler_);

    const int vertexCount = quadCount * VERTICES_PER_QUAD;
    glBindVertexArray(screenArray_);
    glBindBuffer(GL_ARRAY_BUFFER, screenBuffer_);
    glBufferData(GL_ARRAY_BUFFER,
                 static_cast<GLsizeiptr>(vertexCount * FLOATS_PER_SCREEN_VERTEX * sizeof(float)),
                 vertices, GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, vertexCount);
    glBindVertexArray(0);
}

std::unique_ptr<Texture> GlDevice::createTexture(const Image& image) {
    if (image.width > maxTextureSize_ || image.height > maxTextureSize_) return nullptr;
    return std::make_unique<GlTexture>(*this, image);
}

std::unique_ptr<Texture> GlDevice::createTextureFromFile(const std::string& path) {
    std::optional<Image> image = loadImage(path, maxTextureSize_);
    return image ? createTexture(*image) : nullptr;
}

std::unique_ptr<Texture> GlDevice::createTextureFromFileKeyed(const std::string& path,
                                                              std::uint32_t colorKey) {
    std::optional<Image> image = loadImage(path, maxTextureSize_);
    if (!image) return nullptr;
    applyColorKey(*image, colorKey);
    return std::make_unique<GlTexture>(*this, *image);
}

std::unique_ptr<MeshBuffer> GlDevice::createMesh(const MeshData& data) {
    return std::make_unique<GlMeshBuffer>(*this, data);
}

std::unique_ptr<MeshBuffer> GlDevice::loadMeshFromX(const std::string& path,
                                                    std::vector<MeshMaterial>& materials) {
    std::optional<MeshData> data = loadXMesh(path);
    if (!data) return nullptr;
    materials = data->materials;
    return createMesh(*data);
}

std::unique_ptr<Font> GlDevice::createFont(std::unique_ptr<GlyphAtlas> atlas, int, int,
                                           const std::string&) {
    if (!atlas) return nullptr;
    return std::make_unique<GlFont>(*this, std::move(atlas));
}

std::unique_ptr<Sprite> GlDevice::createSprite() { return std::make_unique<GlSprite>(*this); }
