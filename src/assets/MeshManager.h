#pragma once

#include "assets/Mesh.h"

#include <map>
#include <memory>
#include <string>

class GraphicsDevice;

// Every model of the game, loaded once from its .x file with its materials
// and textures, and found again by a short, case-sensitive name.
class MeshManager {
public:
    static MeshManager& instance();
    ~MeshManager();

    Mesh* loadMesh(std::string name, std::string path);
    Mesh* getMesh(std::string name);

    GraphicsDevice* device = nullptr;
    std::map<std::string, std::unique_ptr<Mesh>> meshes;

private:
    MeshManager() = default;
};

// Draws every subset with the device's current world transform; a subset
// without a texture keeps whatever texture the previous draw left bound.
void drawMesh(Mesh* mesh);
