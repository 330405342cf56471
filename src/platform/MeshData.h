#pragma once

#include "platform/GraphicsTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A model read from a DirectX .x file, in the file's own left-handed model
// space, front faces clockwise, texture v running down from the top of the
// picture.
struct MeshVertex {
    float position[3];
    float normal[3];
    float uv[2];
};

struct MeshSubset {
    std::vector<MeshVertex> vertices;
    std::vector<std::uint32_t> indices;  // triangles, three per face
};

struct MeshData {
    std::vector<MeshSubset> subsets;      // one per material, in material order
    std::vector<MeshMaterial> materials;  // same order; texture names with '/'
};

// Nothing when the file is missing, malformed or declares more than it holds.
std::optional<MeshData> loadXMesh(const std::string& path);
