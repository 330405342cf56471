#pragma once

#include "platform/MeshBuffer.h"
#include "platform/MeshData.h"

#include <string>

class RecordingDevice;

// A model of the recording device: its loaded geometry. Drawing a subset
// records it with the device state in force.
class RecordedMesh : public MeshBuffer {
public:
    RecordedMesh(RecordingDevice& device, std::string path, MeshData data);
    ~RecordedMesh() override;

    std::uint32_t subsetCount() const override;
    void drawSubset(std::uint32_t subset) override;

    const std::string path;
    const MeshData data;

    // Process-wide counts, readable until the very end of the process.
    inline static int alive = 0;
    inline static int destroyed = 0;

private:
    RecordingDevice& device_;
};
