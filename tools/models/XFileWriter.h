#pragma once

#include "MeshBuilder.h"

#include <string>

// Writes a model as a DirectX .x text file: one frame-less Mesh with its
// normals, texture coordinates and an inline material list. Identical
// vertices are shared; degenerate triangles are dropped. False when the file
// cannot be written.
bool writeXFile(const std::string& path, const MeshBuilder& model);
