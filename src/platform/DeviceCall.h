#pragma once

#include "platform/GlyphAtlas.h"
#include "platform/GraphicsTypes.h"

#include <cstdint>
#include <string>
#include <vector>

class Font;
class MeshBuffer;
class Texture;

// One request the game made of the recording device, with the state it was
// made under. Only the fields of its kind are filled.
struct DeviceCall {
    enum class Kind {
        RenderState,     // state, value
        Clear,           // flags, color, depth
        BeginScene,
        EndScene,
        Present,
        Transform,       // transformKind, matrix
        Light,           // index, light
        LightEnable,     // index, enable
        Material,        // material
        Texture,         // stage, texture (null unbinds)
        MipFilter,       // stage (the sampler)
        DrawSubset,      // mesh, subset; matrix = world, material, texture = stage 0, in force
        SpriteBegin,     // flags
        SpriteEnd,
        SpriteTransform, // matrix
        SpriteDraw,      // texture, hasPosition/position, color; matrix = sprite transform in force;
                         // topLeft/bottomRight = the picture's corners on screen
        Text,            // font, text, rect, format, color, glyphs (laid out and clipped)
        CreateTexture,   // path, keyed, succeeded, texture
        LoadMesh,        // path, succeeded, mesh
        CreateFont,      // face, height, weight, succeeded, font
        CreateSprite,
    };

    Kind kind{};

    RenderState state{};
    std::uint32_t value = 0;

    std::uint32_t flags = 0;
    std::uint32_t color = 0;
    float depth = 0.0f;

    TransformKind transformKind{};
    Matrix matrix = Matrix::identity();

    int index = 0;
    ::Light light;
    bool enable = false;

    ::Material material;

    int stage = 0;
    ::Texture* texture = nullptr;

    const MeshBuffer* mesh = nullptr;
    std::uint32_t subset = 0;

    bool hasPosition = false;
    Vector3 position;
    Vector2 topLeft;
    Vector2 bottomRight;

    const ::Font* font = nullptr;
    std::string text;
    Rect rect;
    std::uint32_t format = 0;
    std::vector<GlyphQuad> glyphs;

    std::string path;
    std::string face;
    int height = 0;
    int weight = 0;
    bool keyed = false;
    bool succeeded = false;
};
