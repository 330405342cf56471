#include "platform/GlMeshBuffer.h"

#include "platform/GlDevice.h"
#include "platform/GlHeaders.h"

#include <cstddef>

namespace {

constexpr GLuint POSITION_ATTRIBUTE = 0;
constexpr GLuint NORMAL_ATTRIBUTE = 1;
constexpr GLuint UV_ATTRIBUTE = 2;

const void* offsetOf(std::size_t bytes) { return reinterpret_cast<const void*>(bytes); }

}  // namespace

GlMeshBuffer::GlMeshBuffer(GlDevice& device, const MeshData& data) : device_(device) {
    for (const MeshSubset& source : data.subsets) {
        Subset subset;
        subset.indexCount = static_cast<int>(source.indices.size());
        glGenVertexArrays(1, &subset.vertexArray);
        glBindVertexArray(subset.vertexArray);
        glGenBuffers(1, &subset.vertexBuffer);
        glBindBuffer(GL_ARRAY_BUFFER, subset.vertexBuffer);
        glBufferData(GL_ARRAY_BUFFER,
                     static_cast<GLsizeiptr>(source.vertices.size() * sizeof(MeshVertex)),
                     source.vertices.data(), GL_STATIC_DRAW);
        glGenBuffers(1, &subset.indexBuffer);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, subset.indexBuffer);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                     static_cast<GLsizeiptr>(source.indices.size() * sizeof(std::uint32_t)),
                     source.indices.data(), GL_STATIC_DRAW);
        glEnableVertexAttribArray(POSITION_ATTRIBUTE);
        glVertexAttribPointer(POSITION_ATTRIBUTE, 3, GL_FLOAT, GL_FALSE, sizeof(MeshVertex),
                              offsetOf(offsetof(MeshVertex, position)));
        glEnableVertexAttribArray(NORMAL_ATTRIBUTE);
        glVertexAttribPointer(NORMAL_ATTRIBUTE, 3, GL_FLOAT, GL_FALSE, sizeof(MeshVertex),
                              offsetOf(offsetof(MeshVertex, normal)));
        glEnableVertexAttribArray(UV_ATTRIBUTE);
        glVertexAttribPointer(UV_ATTRIBUTE, 2, GL_FLOAT, GL_FALSE, sizeof(MeshVertex),
                              offsetOf(offsetof(MeshVertex, uv)));
        subsets_.push_back(subset);
    }
    glBindVertexArray(0);
}

GlMeshBuffer::~GlMeshBuffer() {
    for (Subset& subset : subsets_) {
        glDeleteVertexArrays(1, &subset.vertexArray);
        glDeleteBuffers(1, &subset.vertexBuffer);
        glDeleteBuffers(1, &subset.indexBuffer);
    }
}

std::uint32_t GlMeshBuffer::subsetCount() const {
    return static_cast<std::uint32_t>(subsets_.size());
}

void GlMeshBuffer::drawSubset(std::uint32_t subset) {
    if (subset >= subsets_.size() || subsets_[subset].indexCount == 0) return;
    if (device_.looking()) {
        device_.lookAtMesh(subsets_[subset].vertexArray, subsets_[subset].indexCount);
        return;
    }
    device_.prepareMeshDraw();
    glBindVertexArray(subsets_[subset].vertexArray);
    glDrawElements(GL_TRIANGLES, subsets_[subset].indexCount, GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
}
