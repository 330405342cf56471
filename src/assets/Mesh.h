#pragma once

#include "platform/GraphicsTypes.h"

#include <cstdint>
#include <memory>
#include <vector>

class GraphicsDevice;
class MeshBuffer;
class Texture;

// One loaded model: its geometry and, per subset, the material and the
// texture that subset is drawn with. A model that failed to load has no
// subsets and draws nothing.
struct Mesh {
    Mesh();
    ~Mesh();

    GraphicsDevice* device = nullptr;
    std::unique_ptr<MeshBuffer> mesh;
    std::vector<Material> materials;
    std::vector<std::unique_ptr<Texture>> materialTextures;
    std::uint32_t materialCount = 0;
};
