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

DecodedModel decodeModel(const std::string& path) {
    DecodedModel model;
    model.data = loadXMesh(path);
    if (!model.data) return model;
    for (const MeshMaterial& material : model.data->materials) {
        std::optional<Image> picture;
        if (!material.textureFilename.empty()) picture = loadImage(material.textureFilename);
        if (picture) {
            applyColorKey(*picture, COLOR_KEY_MAGENTA);
            picture->smallerLevels = makeSmallerLevels(*picture);
        }
        model.pictures.push_back(std::move(picture));
    }
    return model;
}

}  // namespace

void MeshManager::decodeAhead(const std::vector<std::string>& paths) {
    decoder.start(paths, decodeModel);
}

Mesh* MeshManager::loadMesh(std::string name, std::string path) {
    const auto found = meshes.find(name);
    if (found != meshes.end()) return found->second.get();

    // A model that cannot be loaded keeps a record with no subsets, which
    // draws nothing.
    auto record = std::make_unique<Mesh>();
    std::vector<MeshMaterial> loaded;
    DecodedModel ahead;
    const bool decoded = device && decoder.take(path, ahead);
    if (decoded && ahead.data) {
        record->mesh = device->createMesh(*ahead.data);
        loaded = ahead.data->materials;
    } else if (device && !decoded) {
        record->mesh = device->loadMeshFromX(path, loaded);
    }
    if (record->mesh) {
        const std::size_t count = std::min<std::size_t>(loaded.size(), record->mesh->subsetCount());
        record->materialCount = static_cast<std::uint32_t>(count);
        for (std::size_t i = 0; i < count; ++i) {
            Material material = loaded[i].material;
            material.ambient = material.diffuse;
            record->materials.push_back(material);
            std::unique_ptr<Texture> texture;
            if (!decoded)
                texture = loadMaterialTexture(*device, loaded[i].textureFilename);
            else if (ahead.pictures[i])
                texture = device->createTexture(*ahead.pictures[i]);
            record->materialTextures.push_back(std::move(texture));
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
