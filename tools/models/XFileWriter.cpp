#include "XFileWriter.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

namespace {

// Triangles smaller than this (in model units squared) cannot be seen and
// have no direction to cull by.
constexpr double MIN_DOUBLE_AREA = 1e-9;

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", value);
    std::string s = text;
    if (s == "-0.000000") s = "0.000000";
    return s;
}

struct Tables {
    std::vector<std::string> positions;
    std::vector<std::string> normals;
    std::vector<std::string> uvs;
    std::map<std::string, int> index;
    std::vector<std::array<int, 3>> faces;
    std::vector<int> faceMaterials;

    int add(const Vertex& v) {
        std::string p = number(v.position.x) + ";" + number(v.position.y) + ";" +
                        number(v.position.z) + ";";
        std::string n = number(v.normal.x) + ";" + number(v.normal.y) + ";" +
                        number(v.normal.z) + ";";
        std::string t = number(v.uv.u) + ";" + number(v.uv.v) + ";";
        const std::string key = p + n + t;
        auto found = index.find(key);
        if (found != index.end()) return found->second;
        const int i = static_cast<int>(positions.size());
        positions.push_back(p);
        normals.push_back(n);
        uvs.push_back(t);
        index.emplace(key, i);
        return i;
    }
};

void writeList(std::ostream& out, const std::vector<std::string>& items) {
    out << "  " << items.size() << ";\n";
    for (std::size_t i = 0; i < items.size(); ++i)
        out << "  " << items[i] << (i + 1 < items.size() ? ",\n" : ";\n");
}

void writeFaces(std::ostream& out, const std::vector<std::array<int, 3>>& faces) {
    out << "  " << faces.size() << ";\n";
    for (std::size_t i = 0; i < faces.size(); ++i)
        out << "  3;" << faces[i][0] << "," << faces[i][1] << "," << faces[i][2] << ";"
            << (i + 1 < faces.size() ? ",\n" : ";\n");
}

std::string colour3(const Colour& c) {
    return number(c.r) + ";" + number(c.g) + ";" + number(c.b) + ";;";
}

}  // namespace

bool writeXFile(const std::string& path, const MeshBuilder& model) {
    Tables tables;
    const auto& lists = model.triangles();
    for (std::size_t m = 0; m < lists.size(); ++m)
        for (const Triangle& t : lists[m]) {
            const Vec3 facing = cross(t.b.position - t.a.position, t.c.position - t.a.position);
            if (length(facing) < MIN_DOUBLE_AREA) continue;
            const Vec3 normals = t.a.normal + t.b.normal + t.c.normal;
            // Clockwise seen from the front in a left-handed space: the face's
            // cross product points the way its normals do.
            const bool keep = dot(facing, normals) >= 0.0;
            const int a = tables.add(t.a);
            const int b = tables.add(keep ? t.b : t.c);
            const int c = tables.add(keep ? t.c : t.b);
            tables.faces.push_back({a, b, c});
            tables.faceMaterials.push_back(static_cast<int>(m));
        }

    std::ostringstream out;
    out << "xof 0303txt 0032\n\n";
    out << "Mesh model {\n";
    writeList(out, tables.positions);
    writeFaces(out, tables.faces);

    const auto& materials = model.materials();
    out << "\n  MeshMaterialList {\n";
    out << "  " << materials.size() << ";\n";
    out << "  " << tables.faceMaterials.size() << ";\n";
    for (std::size_t i = 0; i < tables.faceMaterials.size(); ++i)
        out << "  " << tables.faceMaterials[i]
            << (i + 1 < tables.faceMaterials.size() ? ",\n" : ";;\n");
    for (const XMaterial& material : materials) {
        out << "\n  Material " << material.name << " {\n";
        out << "   " << number(material.diffuse.r) << ";" << number(material.diffuse.g) << ";"
            << number(material.diffuse.b) << ";" << number(material.diffuse.a) << ";;\n";
        out << "   " << number(material.power) << ";\n";
        out << "   " << colour3(material.specular) << "\n";
        out << "   " << colour3(material.emissive) << "\n";
        out << "   TextureFilename {\n    \"" << material.texture << "\";\n   }\n";
        out << "  }\n";
    }
    out << "  }\n";

    out << "\n  MeshNormals {\n";
    writeList(out, tables.normals);
    writeFaces(out, tables.faces);
    out << "  }\n";

    out << "\n  MeshTextureCoords {\n";
    writeList(out, tables.uvs);
    out << "  }\n";
    out << "}\n";

    std::ofstream file(path, std::ios::binary);
    file << out.str();
    return static_cast<bool>(file);
}
