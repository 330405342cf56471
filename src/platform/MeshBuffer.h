#pragma once

#include <cstdint>

// A loaded model on the graphics device, one subset per material. Draws a
// subset with the device's current world transform, material and texture.
class MeshBuffer {
public:
    virtual ~MeshBuffer() = default;
    virtual std::uint32_t subsetCount() const = 0;
    virtual void drawSubset(std::uint32_t subset) = 0;
};
