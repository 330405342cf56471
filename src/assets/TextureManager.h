#pragma once

#include "assets/PictureDecoder.h"

#include <map>
#include <memory>
#include <string>

class GraphicsDevice;
class Sprite;
class Texture;

// Every picture of the game, loaded once and found again by a short,
// case-sensitive name. A picture that fails to load stays registered as null.
// Also owns the one sprite through which all 2D pictures are drawn.
class TextureManager {
public:
    static TextureManager& instance();
    ~TextureManager();

    Texture* loadTexture(std::string name, std::string path);
    Texture* getTexture(std::string name);

    // Start-up pictures decoded ahead; any other picture is decoded when loaded.
    PictureDecoder decoder;
    GraphicsDevice* device = nullptr;
    std::unique_ptr<Sprite> spriteOwner;
    Sprite* sprite = nullptr;
    std::map<std::string, std::unique_ptr<Texture>> textures;

private:
    TextureManager() = default;
};
