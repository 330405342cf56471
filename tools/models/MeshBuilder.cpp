#include "MeshBuilder.h"

int MeshBuilder::addMaterial(const XMaterial& material) {
    materials_.push_back(material);
    triangles_.emplace_back();
    return static_cast<int>(materials_.size()) - 1;
}

void MeshBuilder::triangle(int material, const Vertex& a, const Vertex& b, const Vertex& c) {
    triangles_[static_cast<std::size_t>(material)].push_back({a, b, c});
}

void MeshBuilder::quad(int material, const Vertex& a, const Vertex& b, const Vertex& c,
                       const Vertex& d) {
    triangle(material, a, b, c);
    triangle(material, a, c, d);
}

void MeshBuilder::transform(const std::function<Vec3(Vec3)>& position,
                            const std::function<Vec3(Vec3)>& normal) {
    for (auto& list : triangles_)
        for (auto& t : list)
            for (Vertex* v : {&t.a, &t.b, &t.c}) {
                v->position = position(v->position);
                v->normal = normalized(normal(v->normal));
            }
}
