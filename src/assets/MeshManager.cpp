#include "assets/MeshManager.h"

#include "platform/GraphicsDevice.h"
#include "platform/MeshBuffer.h"
#include "platform/Texture.h"

#include <algorithm>

MeshManager& MeshManager::instance() {
    static MeshManager registry;
    return registry;
}

MeshManager::~MeshManager() = default;

namespace {

// Model pictures are tried colour-keyed first, then plainly.
std::unique_ptr<Texture> loadMaterialTexture(GraphicsDevice& device, const std::string& file) {
    if (file.empty()) return nullptr;
    std::unique_ptr<Texture> texture = device.createTextureFromFileKeyed(file, COLOR_KEY_MAGENTA);
    if (!texture) texture = device.createTextureFromFile(file);
    return texture;
}

}  // namespace

Mesh* MeshManager::loadMesh(std::string name, std::string path) {
    const auto found = meshes.find(name);
    if (found != meshes.end()) return found->second.get();

    // A model that cannot be loaded keeps a record with no subsets, which
    // draws nothing.
    auto record = std::make_unique<Mesh>();
    std::vector<MeshMaterial> loaded;
    if (device) record->mesh = device->loadMeshFromX(path, loaded);
    if (record->mesh) {
        const std::size_t count = std::min<std::size_t>(loaded.size(), record->mesh->subsetCount());
        record->materialCount = static_cast<std::uint32_t>(count);
        for (std::size_t i = 0; i < count; ++i) {
            Material material = loaded[i].material;
            material.ambient = material.diffuse;
            record->materials.push_back(material);
            record->materialTextures.push_back(loadMaterialTexture(*device, loaded[i].textureFilename));
        }
    }
    Mesh* mesh = record.get();
    meshes.emplace(std::move(name), std::move(record));
    return mesh;
}

// A name never loaded has no model.
Mesh* MeshManager::getMesh(std::string name) {
    const auto found = meshes.find(name);
    return found == meshes.end() ? nullptr : found->second.get();
}

void drawMesh(Mesh* mesh) {
    if (!mesh || !mesh->mesh || !mesh->device) return;
    GraphicsDevice& device = *mesh->device;
    for (std::uint32_t i = 0; i < mesh->materialCount; ++i) {
        device.setMaterial(mesh->materials[i]);
        // A subset without a picture is drawn with whatever the previous
        // draw left bound.
        if (Texture* texture = mesh->materialTextures[i].get()) {
            device.setTexture(0, texture);
            device.setMipFilterLinear(0);
        }
        mesh->mesh->drawSubset(i);
    }
}
