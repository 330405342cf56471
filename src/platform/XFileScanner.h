#pragma once

#include "platform/GraphicsTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the mesh loader needs to know about one Mesh object of a .x file
// before the geometry is imported.
struct XMeshInfo {
    // The material list in its own order, references resolved; empty when
    // the mesh has no material list.
    std::vector<MeshMaterial> materials;
    // For each face, the index of its material in `materials`.
    std::vector<std::uint32_t> faceMaterials;
};

struct XFileInfo {
    bool text = false;
    // Every Mesh object, in the order the importer turns them into meshes:
    // frames depth-first (a frame's own meshes before its child frames),
    // then the meshes that stand outside any frame.
    std::vector<XMeshInfo> meshes;
    // Offsets of the high halves of binary strings' double-word terminators,
    // which the importer, reading a word, would take for a token.
    std::vector<std::size_t> binaryStringPadding;
};

// Reads the structure of a text or binary .x file without building any
// geometry. Nothing when the file is not a .x file, is compressed, is cut
// short or garbled, declares more vertices, faces, normals, coordinates or
// keys than its size can hold, indexes outside its own lists, or names a
// material that it does not define.
std::optional<XFileInfo> scanXFile(const std::vector<char>& bytes);
