#pragma once

#include "platform/Matrix.h"

#include <cstdint>
#include <string>

// Plain values exchanged with the graphics device, laid out as the game's
// design knows them from Direct3D 9.

struct ColorValue {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;
};

struct Material {
    ColorValue diffuse;
    ColorValue ambient;
    ColorValue specular;
    ColorValue emissive;
    float power = 0.0f;
};

// A material of a loaded model with the picture file it names, exactly as
// stored in the model file (empty when it names none).
struct MeshMaterial {
    Material material;
    std::string textureFilename;
};

enum class LightType { Point = 1, Spot = 2, Directional = 3 };

struct Light {
    LightType type = LightType::Point;
    ColorValue diffuse;
    ColorValue specular;
    ColorValue ambient;
    Vector3 position;
    Vector3 direction;
    float range = 0.0f;
    float falloff = 0.0f;
    float attenuation0 = 0.0f;
    float attenuation1 = 0.0f;
    float attenuation2 = 0.0f;
    float theta = 0.0f;
    float phi = 0.0f;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

enum class TransformKind { World, View, Projection };

enum class RenderState {
    Lighting,
    ZEnable,
    Ambient,
    AlphaBlendEnable,
    SrcBlend,
    DestBlend,
    MultisampleAntialias,
};

// Blend factors for RenderState::SrcBlend and RenderState::DestBlend.
constexpr std::uint32_t BLEND_SRCALPHA = 5;
constexpr std::uint32_t BLEND_INVSRCALPHA = 6;

// Flags of GraphicsDevice::clear.
constexpr std::uint32_t CLEAR_TARGET = 1;
constexpr std::uint32_t CLEAR_ZBUFFER = 2;

// Text layout flags of Font::drawText.
constexpr std::uint32_t DT_LEFT = 0;
constexpr std::uint32_t DT_TOP = 0;
constexpr std::uint32_t DT_CENTER = 1;
constexpr std::uint32_t DT_RIGHT = 2;
constexpr std::uint32_t DT_VCENTER = 4;
constexpr std::uint32_t DT_BOTTOM = 8;

// The colour key that model textures are loaded with: opaque magenta
// becomes fully transparent.
constexpr std::uint32_t COLOR_KEY_MAGENTA = 0xFFFF00FFu;
