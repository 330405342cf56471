#pragma once

#include "platform/MeshBuffer.h"
#include "platform/MeshData.h"

#include <vector>

class GlDevice;

// A model's subsets in vertex and index buffers on the device.
class GlMeshBuffer final : public MeshBuffer {
public:
    GlMeshBuffer(GlDevice& device, const MeshData& data);
    ~GlMeshBuffer() override;
    GlMeshBuffer(const GlMeshBuffer&) = delete;
    GlMeshBuffer& operator=(const GlMeshBuffer&) = delete;

    std::uint32_t subsetCount() const override;
    void drawSubset(std::uint32_t subset) override;

private:
    struct Subset {
        unsigned int vertexArray = 0;
        unsigned int vertexBuffer = 0;
        unsigned int indexBuffer = 0;
        int indexCount = 0;
    };

    GlDevice& device_;
    std::vector<Subset> subsets_;
};
