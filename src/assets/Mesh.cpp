#include "assets/Mesh.h"

#include "platform/GraphicsDevice.h"
#include "platform/MeshBuffer.h"
#include "platform/Texture.h"
#include "shell/GraphicsContext.h"

Mesh::Mesh() : device(GraphicsContext::instance().device.get()) {}

Mesh::~Mesh() = default;
