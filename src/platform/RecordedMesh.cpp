#include "platform/RecordedMesh.h"

#include "platform/RecordingDevice.h"

RecordedMesh::RecordedMesh(RecordingDevice& device, std::string path, MeshData data)
    : path(std::move(path)), data(std::move(data)), device_(device) {
    ++alive;
}

RecordedMesh::~RecordedMesh() {
    --alive;
    ++destroyed;
}

std::uint32_t RecordedMesh::subsetCount() const { return static_cast<std::uint32_t>(data.subsets.size()); }

void RecordedMesh::drawSubset(std::uint32_t subset) {
    if (subset < subsetCount()) device_.recordDrawSubset(this, subset);
}
