#include "platform/MeshData.h"
#include "platform/XFileScanner.h"

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <fstream>

namespace {

std::optional<std::vector<char>> readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return std::nullopt;
    const std::streamoff size = file.tellg();
    if (size <= 0) return std::nullopt;
    std::vector<char> bytes(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!file.read(bytes.data(), size)) return std::nullopt;
    return bytes;
}

// The material of a mesh that has no material list: opaque white.
MeshMaterial defaultMaterial() {
    MeshMaterial m;
    m.material.diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
    m.material.ambient = {0.0f, 0.0f, 0.0f, 1.0f};
    m.material.specular = {0.0f, 0.0f, 0.0f, 1.0f};
    m.material.emissive = {0.0f, 0.0f, 0.0f, 1.0f};
    return m;
}

void collectTransforms(const aiNode* node, const aiMatrix4x4& parent,
                       std::vector<aiMatrix4x4>& meshTransforms) {
    const aiMatrix4x4 global = parent * node->mTransformation;
    for (unsigned i = 0; i < node->mNumMeshes; ++i)
        if (node->mMeshes[i] < meshTransforms.size()) meshTransforms[node->mMeshes[i]] = global;
    for (unsigned i = 0; i < node->mNumChildren; ++i)
        collectTransforms(node->mChildren[i], global, meshTransforms);
}

void appendMesh(const aiMesh& source, const aiMatrix4x4& transform, MeshSubset& subset) {
    const aiMatrix3x3 normalTransform = aiMatrix3x3(transform).Inverse().Transpose();
    const auto base = static_cast<std::uint32_t>(subset.vertices.size());
    for (unsigned v = 0; v < source.mNumVertices; ++v) {
        MeshVertex vertex{};
        const aiVector3D p = transform * source.mVertices[v];
        vertex.position[0] = p.x;
        vertex.position[1] = p.y;
        vertex.position[2] = p.z;
        if (source.HasNormals()) {
            aiVector3D n = normalTransform * source.mNormals[v];
            if (n.SquareLength() > 0.0f) n.Normalize();
            vertex.normal[0] = n.x;
            vertex.normal[1] = n.y;
            vertex.normal[2] = n.z;
        }
        if (source.HasTextureCoords(0)) {
            vertex.uv[0] = source.mTextureCoords[0][v].x;
            vertex.uv[1] = source.mTextureCoords[0][v].y;
        }
        subset.vertices.push_back(vertex);
    }
    for (unsigned f = 0; f < source.mNumFaces; ++f) {
        const aiFace& face = source.mFaces[f];
        if (face.mNumIndices != 3) continue;  // points and lines are not drawn
        for (unsigned k = 0; k < 3; ++k) subset.indices.push_back(base + face.mIndices[k]);
    }
}

}  // namespace

std::optional<MeshData> loadXMesh(const std::string& path) {
    std::optional<std::vector<char>> bytes = readFile(path);
    if (!bytes) return std::nullopt;
    // The importer trusts declared counts and indices (a lying one makes it
    // allocate gigabytes or write outside its arrays) and maps materials by
    // its own order; the scan refuses what it must not see and reads the
    // material lists itself.
    const std::optional<XFileInfo> info = scanXFile(*bytes);
    if (!info) return std::nullopt;

    // ConvertToLeftHanded undoes the importer's own conversion to OpenGL
    // conventions: the game keeps the file's left-handed space, clockwise
    // front faces and v running down the picture.
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFileFromMemory(
        info->importable.data(), info->importable.size(),
        aiProcess_ConvertToLeftHanded | aiProcess_Triangulate | aiProcess_JoinIdenticalVertices, "x");
    if (!scene || !scene->mRootNode || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE)) return std::nullopt;

    // The importer makes one mesh per material that has faces, mesh by mesh
    // in the order of the scan; every material becomes a subset.
    MeshData data;
    std::vector<std::size_t> subsetOfImported;
    for (const XMeshInfo& mesh : info->meshes) {
        const std::size_t base = data.materials.size();
        if (mesh.materials.empty()) data.materials.push_back(defaultMaterial());
        else data.materials.insert(data.materials.end(), mesh.materials.begin(), mesh.materials.end());
        std::vector<bool> used(data.materials.size() - base, false);
        for (const std::uint32_t m : mesh.faceMaterials) used[m] = true;
        for (std::size_t m = 0; m < used.size(); ++m)
            if (used[m]) subsetOfImported.push_back(base + m);
    }
    if (scene->mNumMeshes != subsetOfImported.size()) return std::nullopt;

    std::vector<aiMatrix4x4> transforms(scene->mNumMeshes);
    collectTransforms(scene->mRootNode, aiMatrix4x4(), transforms);
    data.subsets.resize(data.materials.size());
    for (unsigned i = 0; i < scene->mNumMeshes; ++i)
        appendMesh(*scene->mMeshes[i], transforms[i], data.subsets[subsetOfImported[i]]);
    return data;
}
