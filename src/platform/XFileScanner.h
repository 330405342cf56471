#pragma once

#include "platform/GraphicsTypes.h"

#include <cstdint>
#include <optional>
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
    // Every Mesh object, in the order the importer turns them into meshes:
    // frames depth-first (a frame's own meshes before its child frames),
    // then the meshes that stand outside any frame.
    std::vector<XMeshInfo> meshes;
    // The file as the importer is to read it: a blank after each comma of a
    // text file, and the padding of binary strings' double-word terminators
    // taken out.
    std::vector<char> importable;
};

// Reads a text or binary .x file token by token exactly as assimp 5.2's
// importer will, checking every count and index it will trust, without
// building any geometry. Nothing when the importer would fail on the file
// or could be made to read or write outside its arrays, allocate more than
// the file's size, or run for long: a file that is not .x, is compressed,
// cut short or garbled, declares more elements than its size can hold,
// indexes outside its own lists (faces, normals, vertex colours, skin
// weights, materials), has a second material list in one mesh, nests
// frames deeper than any exporter, or names a material it does not define.
std::optional<XFileInfo> scanXFile(const std::vector<char>& bytes);
