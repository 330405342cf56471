#pragma once

// A picture on the graphics device, the size of its file. Owned by whoever
// created it (a registry or a mesh record); destroyed only while the device
// that made it still exists.
class Texture {
public:
    virtual ~Texture() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
};
