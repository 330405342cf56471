#pragma once

#include "assets/DecodeAhead.h"
#include "assets/Mesh.h"
#include "platform/Image.h"
#include "platform/MeshData.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class GraphicsDevice;

// A model read ahead, with the picture of each material, magenta keyed out.
struct DecodedModel {
    std::optional<MeshData> data;
    std::vector<std::optional<Image>> pictures;
};

// Every model of the game, loaded once from its .x file with its materials
// and textures, and found again by a short, case-sensitive name.
class MeshManager {
public:
    static MeshManager& instance();
    ~MeshManager();

    Mesh* loadMesh(std::string name, std::string path);
    Mesh* getMesh(std::string name);
    // Starts reading these models on a worker; any other model is read when
    // it is loaded.
    void decodeAhead(const std::vector<std::string>& paths);
    // Whether loading this file would not wait for its reading.
    bool ready(const std::string& path) const { return decoder.ready(path); }

    GraphicsDevice* device = nullptr;
    std::map<std::string, std::unique_ptr<Mesh>> meshes;

private:
    MeshManager() = default;

    DecodeAhead<DecodedModel> decoder;
};

// Draws every subset with the device's current world transform; a subset
// without a texture keeps whatever texture the previous draw left bound.
void drawMesh(Mesh* mesh);
