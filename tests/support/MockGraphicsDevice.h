#pragma once

#include "platform/GraphicsDevice.h"

#include <gmock/gmock.h>

class MockGraphicsDevice : public GraphicsDevice {
public:
    MOCK_METHOD(bool, checkMultisample, (int), (const, override));
    MOCK_METHOD(void, setRenderState, (RenderState, std::uint32_t), (override));
    MOCK_METHOD(void, clear, (std::uint32_t, std::uint32_t, float), (override));
    MOCK_METHOD(void, beginScene, (), (override));
    MOCK_METHOD(void, endScene, (), (override));
    MOCK_METHOD(void, present, (), (override));
    MOCK_METHOD(void, setTransform, (TransformKind, const Matrix&), (override));
    MOCK_METHOD(void, setLight, (int, const Light&), (override));
    MOCK_METHOD(void, lightEnable, (int, bool), (override));
    MOCK_METHOD(void, setMaterial, (const Material&), (override));
    MOCK_METHOD(void, setTexture, (int, Texture*), (override));
    MOCK_METHOD(void, setMipFilterLinear, (int), (override));
    MOCK_METHOD(std::unique_ptr<Texture>, createTextureFromFile, (const std::string&), (override));
    MOCK_METHOD(std::unique_ptr<Texture>, createTextureFromFileKeyed,
                (const std::string&, std::uint32_t), (override));
    MOCK_METHOD(std::unique_ptr<MeshBuffer>, loadMeshFromX,
                (const std::string&, std::vector<MeshMaterial>&), (override));
    MOCK_METHOD(std::unique_ptr<Font>, createFont, (int, int, int, bool, const std::string&),
                (override));
    MOCK_METHOD(std::unique_ptr<Sprite>, createSprite, (), (override));
};
