#pragma once

#include "assets/DecodeAhead.h"
#include "platform/Image.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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

    // A picture drawn at most at a given size keeps only the levels that
    // size samples; the size is the back buffer's, set for the whole run.
    Texture* loadTexture(std::string name, std::string path, DrawnSize drawn = {});
    Texture* getTexture(std::string name);
    // Starts decoding these pictures, all drawn at most at one size, on a
    // worker; any other picture is decoded when it is loaded.
    void decodeAhead(const std::vector<std::string>& paths, DrawnSize drawn = {});
    // Whether loading this file would not wait for its decoding.
    bool ready(const std::string& path) const { return decoder.ready(path); }

    GraphicsDevice* device = nullptr;
    std::unique_ptr<Sprite> spriteOwner;
    Sprite* sprite = nullptr;
    std::map<std::string, std::unique_ptr<Texture>> textures;

private:
    TextureManager() = default;

    DecodeAhead<std::optional<Image>> decoder;
};
