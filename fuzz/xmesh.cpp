// .x models: any bytes load as a mesh whose triangles index its own
// vertices, or are refused; whatever the scan lets through, the importer
// reads.
#include "FuzzInput.h"
#include "platform/MeshData.h"
#include "platform/XFileScanner.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const bool scanned = scanXFile(std::vector<char>(data, data + size)).has_value();
    const std::optional<MeshData> mesh = loadXMesh(writeInput(data, size));
    if (scanned != mesh.has_value()) std::abort();
    if (!mesh) return 0;
    if (mesh->subsets.size() != mesh->materials.size()) std::abort();
    for (const MeshSubset& subset : mesh->subsets) {
        if (subset.indices.size() % 3 != 0) std::abort();
        for (const std::uint32_t index : subset.indices)
            if (index >= subset.vertices.size()) std::abort();
    }
    return 0;
}
