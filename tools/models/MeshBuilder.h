#pragma once

#include "Vec.h"

#include <functional>
#include <string>
#include <vector>

struct Colour {
    double r = 1.0;
    double g = 1.0;
    double b = 1.0;
    double a = 1.0;
};

// A material as a .x file stores it, with the picture it names (a path from
// the game's working directory).
struct XMaterial {
    std::string name;
    Colour diffuse;
    double power = 8.0;
    Colour specular{0.0, 0.0, 0.0, 1.0};
    Colour emissive{0.0, 0.0, 0.0, 1.0};
    std::string texture;
};

struct Vertex {
    Vec3 position;
    Vec3 normal;
    Vec2 uv;
};

struct Triangle {
    Vertex a;
    Vertex b;
    Vertex c;
};

// Collects triangles per material. Winding is settled when the model is
// written: each triangle is turned so that it is clockwise seen from the side
// its normals point to, which is what the game culls by.
class MeshBuilder {
public:
    int addMaterial(const XMaterial& material);
    void triangle(int material, const Vertex& a, const Vertex& b, const Vertex& c);
    void quad(int material, const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d);

    // Moves every vertex: positions through one map, normals through another
    // (the inverse transpose of the position map), renormalised.
    void transform(const std::function<Vec3(Vec3)>& position,
                   const std::function<Vec3(Vec3)>& normal);

    const std::vector<XMaterial>& materials() const { return materials_; }
    const std::vector<std::vector<Triangle>>& triangles() const { return triangles_; }

private:
    std::vector<XMaterial> materials_;
    std::vector<std::vector<Triangle>> triangles_;
};
