// The generated models, loaded with the game's own loader and placed with the
// game's own transforms where the match puts them.
#include "platform/Image.h"
#include "platform/Matrix.h"
#include "platform/MeshData.h"
#include "scene/Object3D.h"

#include "../support/TempDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string GAME_DIR = KORV_GAME_DIR;

const char* const ARENA = "Meshes/Arena/arena.x";
const char* const DISC = "Meshes/Frisbee/frisbee.x";
const char* const SMALL_PARTS[] = {"Meshes/Robot/Small/head.x", "Meshes/Robot/Small/body.x",
                                   "Meshes/Robot/Small/bottom.x"};
const char* const BIG_PARTS[] = {"Meshes/Robot/Big/head.x", "Meshes/Robot/Big/body.x",
                                 "Meshes/Robot/Big/bottom.x"};

std::vector<std::string> allModels() {
    std::vector<std::string> all{ARENA, DISC};
    all.insert(all.end(), std::begin(SMALL_PARTS), std::end(SMALL_PARTS));
    all.insert(all.end(), std::begin(BIG_PARTS), std::end(BIG_PARTS));
    return all;
}

MeshData load(const std::string& model) {
    std::optional<MeshData> data = loadXMesh(GAME_DIR + "/" + model);
    EXPECT_TRUE(data.has_value()) << model;
    return data ? *data : MeshData{};
}

// World = rotation · scale · translation, as the game places an object.
Matrix placement(float angleX, float angleY, float angleZ, float scaleX, float scaleY,
                 float scaleZ, float x, float y, float z) {
    const Matrix rotation = rotationMatrix(angleX, angleY, angleZ);
    return matrixMultiply(matrixMultiply(rotation, matrixScaling(scaleX, scaleY, scaleZ)),
                          matrixTranslation(x, y, z));
}

const Matrix ARENA_WORLD = placement(90, 90, 0, 2.2f, 1.5f, 1.5f, 0, 0.03f, -5.5f);

Matrix robotPart(float yaw, float x, float y) { return placement(90, yaw, 90, 0.3f, 0.3f, 0.3f, x, y, -5.0f); }

Vector3 at(const MeshVertex& v, const Matrix& world) {
    return transformCoord({v.position[0], v.position[1], v.position[2]}, world);
}

// A normal carried into the world: the difference of two placed points.
Vector3 normalAt(const MeshVertex& v, const Matrix& world) {
    const Vector3 base = at(v, world);
    const float e = 1e-3f;
    const Vector3 tip = transformCoord({v.position[0] + v.normal[0] * e, v.position[1] + v.normal[1] * e,
                                        v.position[2] + v.normal[2] * e},
                                       world);
    return {tip.x - base.x, tip.y - base.y, tip.z - base.z};
}

int subsetNamed(const MeshData& data, const std::string& texture) {
    for (std::size_t i = 0; i < data.materials.size(); ++i)
        if (data.materials[i].textureFilename == texture) return static_cast<int>(i);
    return -1;
}

struct Bounds {
    float lo[3] = {std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                   std::numeric_limits<float>::max()};
    float hi[3] = {std::numeric_limits<float>::lowest(), std::numeric_limits<float>::lowest(),
                   std::numeric_limits<float>::lowest()};

    void add(const Vector3& p) {
        const float c[3] = {p.x, p.y, p.z};
        for (int i = 0; i < 3; ++i) {
            lo[i] = std::min(lo[i], c[i]);
            hi[i] = std::max(hi[i], c[i]);
        }
    }
    float size(int axis) const { return hi[axis] - lo[axis]; }
};

Bounds boundsOf(const MeshData& data, const Matrix& world) {
    Bounds b;
    for (const MeshSubset& s : data.subsets)
        for (const MeshVertex& v : s.vertices) b.add(at(v, world));
    return b;
}

std::string readAll(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

}  // namespace

TEST(Models, EveryModelLoadsAndEveryMaterialHasAPictureThatLoads) {
    for (const std::string& model : allModels()) {
        const MeshData data = load(model);
        ASSERT_FALSE(data.materials.empty()) << model;
        for (std::size_t i = 0; i < data.materials.size(); ++i) {
            const std::string& texture = data.materials[i].textureFilename;
            // A subset without its own picture would take whatever the
            // previous draw left bound.
            ASSERT_FALSE(texture.empty()) << model << " material " << i;
            EXPECT_TRUE(loadImage(GAME_DIR + "/" + texture).has_value()) << texture;
            EXPECT_FALSE(data.subsets[i].indices.empty()) << model << " material " << i;
            EXPECT_EQ(data.materials[i].material.diffuse.a, 1.0f) << model;
        }
    }
}

TEST(Models, FrontFacesAreClockwiseTowardTheirNormalsAndClosedPartsFaceOut) {
    for (const std::string& model : allModels()) {
        const MeshData data = load(model);
        double volume = 0.0;
        for (const MeshSubset& s : data.subsets)
            for (std::size_t i = 0; i + 2 < s.indices.size(); i += 3) {
                const MeshVertex& a = s.vertices[s.indices[i]];
                const MeshVertex& b = s.vertices[s.indices[i + 1]];
                const MeshVertex& c = s.vertices[s.indices[i + 2]];
                double e1[3], e2[3], n[3];
                for (int k = 0; k < 3; ++k) {
                    e1[k] = b.position[k] - a.position[k];
                    e2[k] = c.position[k] - a.position[k];
                    n[k] = a.normal[k] + b.normal[k] + c.normal[k];
                }
                // In a left-handed space a triangle that is clockwise seen from
                // one side has its edge cross product pointing to that side.
                const double f[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                                     e1[0] * e2[1] - e1[1] * e2[0]};
                ASSERT_GT(f[0] * n[0] + f[1] * n[1] + f[2] * n[2], 0.0)
                    << model << ": triangle " << i / 3 << " is culled from the side its normals show";
                volume += (a.position[0] * f[0] + a.position[1] * f[1] + a.position[2] * f[2]) / 6.0;
            }
        // Robots and the disc are built of closed shapes: facing outward,
        // they enclose a positive volume.
        if (model != ARENA) {
            EXPECT_GT(volume, 0.0) << model;
        }
    }
}

TEST(ArenaModel, FloorLiesAtFloorLevelAndCoversTheCourt) {
    const MeshData arena = load(ARENA);
    const int floor = subsetNamed(arena, "Meshes/Arena/floor.png");
    ASSERT_GE(floor, 0);
    Bounds b;
    for (const MeshVertex& v : arena.subsets[floor].vertices) {
        const Vector3 p = at(v, ARENA_WORLD);
        EXPECT_NEAR(p.z, -5.5f, 0.05f);
        const Vector3 n = normalAt(v, ARENA_WORLD);
        EXPECT_GT(n.z, 0.0f);
        EXPECT_NEAR(n.x, 0.0f, 1e-4f);
        EXPECT_NEAR(n.y, 0.0f, 1e-4f);
        b.add(p);
    }
    EXPECT_LE(b.lo[0], -6.6f);
    EXPECT_GE(b.hi[0], 6.6f);
    EXPECT_LE(b.lo[1], -2.4f);
    EXPECT_GE(b.hi[1], 2.4f);
}

TEST(ArenaModel, GoalLineMarkingsLieOnBothGoalLinesAcrossTheFivePointZone) {
    const MeshData arena = load(ARENA);
    const int goal = subsetNamed(arena, "Meshes/Arena/goal.png");
    ASSERT_GE(goal, 0);
    Bounds sides[2];
    for (const MeshVertex& v : arena.subsets[goal].vertices) {
        const Vector3 p = at(v, ARENA_WORLD);
        EXPECT_NEAR(std::abs(p.x), 6.5f, 0.05f) << p.x;
        EXPECT_NEAR(p.z, -5.5f, 0.05f);
        sides[p.x > 0 ? 0 : 1].add(p);
    }
    for (const Bounds& side : sides) {
        EXPECT_NEAR((side.lo[0] + side.hi[0]) / 2.0f, side.lo[0] > 0 ? 6.5f : -6.5f, 0.01f);
        EXPECT_LE(side.lo[1], -2.4f);
        EXPECT_GE(side.hi[1], 2.4f);
    }
    // The 5-point part of each line is its own colour: vertices at |y| = 0.6.
    int zoneEdges = 0;
    for (const MeshVertex& v : arena.subsets[goal].vertices)
        if (std::abs(std::abs(at(v, ARENA_WORLD).y) - 0.6f) < 0.01f) ++zoneEdges;
    EXPECT_GE(zoneEdges, 8);
}

TEST(ArenaModel, SideWallsFaceTheCourtWhereTheDiscRebounds) {
    const MeshData arena = load(ARENA);
    const int walls = subsetNamed(arena, "Meshes/Arena/walls.png");
    ASSERT_GE(walls, 0);
    int innerFaces[2] = {0, 0};
    Bounds inner;
    const MeshSubset& s = arena.subsets[walls];
    for (std::size_t i = 0; i < s.indices.size(); i += 3) {
        const MeshVertex& v = s.vertices[s.indices[i]];
        const Vector3 p = at(v, ARENA_WORLD);
        const Vector3 n = normalAt(v, ARENA_WORLD);
        const float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        // A face turned toward the middle line of the court.
        if (std::abs(p.y) < 1.0f || n.y * p.y > -0.9f * length * std::abs(p.y)) continue;
        ++innerFaces[p.y > 0 ? 0 : 1];
        for (int k = 0; k < 3; ++k) {
            const Vector3 q = at(s.vertices[s.indices[i + k]], ARENA_WORLD);
            EXPECT_GE(std::abs(q.y), 2.4f);
            EXPECT_LE(std::abs(q.y), 2.5f);
            inner.add(q);
        }
    }
    EXPECT_GT(innerFaces[0], 0);
    EXPECT_GT(innerFaces[1], 0);
    EXPECT_LE(inner.lo[0], -6.5f);
    EXPECT_GE(inner.hi[0], 6.5f);
    EXPECT_NEAR(inner.lo[2], -5.5f, 0.05f);
    EXPECT_GT(inner.hi[2], -5.4f);
}

TEST(ArenaModel, SurroundingsFillTheWholeViewAtWideScreens) {
    // Rays from the camera (eye at z = 8 looking down, 45 degrees vertical
    // field) through a grid over a 16:9 screen must all meet the arena, so
    // no clear colour shows at 16:10 or narrower.
    const MeshData arena = load(ARENA);
    std::vector<Vector3> triangles;
    for (const MeshSubset& s : arena.subsets)
        for (std::uint32_t index : s.indices) triangles.push_back(at(s.vertices[index], ARENA_WORLD));
    const float halfHeight = std::tan(0.7853982f / 2.0f);
    const float halfWidth = halfHeight * 16.0f / 9.0f;
    constexpr int COLUMNS = 32, ROWS = 18;
    int misses = 0;
    for (int row = 0; row <= ROWS; ++row)
        for (int column = 0; column <= COLUMNS; ++column) {
            const float dx = halfWidth * (2.0f * column / COLUMNS - 1.0f);
            const float dy = halfHeight * (2.0f * row / ROWS - 1.0f);
            const Vector3 d{dx, dy, -1.0f};
            bool hit = false;
            for (std::size_t t = 0; t < triangles.size() && !hit; t += 3) {
                const Vector3 a = triangles[t], b = triangles[t + 1], c = triangles[t + 2];
                // Where the ray meets the triangle's plane, then whether the
                // point lies inside (barycentric signs).
                const double e1[3] = {b.x - a.x, b.y - a.y, b.z - a.z};
                const double e2[3] = {c.x - a.x, c.y - a.y, c.z - a.z};
                const double p[3] = {d.y * e2[2] - d.z * e2[1], d.z * e2[0] - d.x * e2[2],
                                     d.x * e2[1] - d.y * e2[0]};
                const double det = e1[0] * p[0] + e1[1] * p[1] + e1[2] * p[2];
                if (std::abs(det) < 1e-12) continue;
                const double s[3] = {0.0 - a.x, 0.0 - a.y, 8.0 - a.z};
                const double u = (s[0] * p[0] + s[1] * p[1] + s[2] * p[2]) / det;
                if (u < 0.0 || u > 1.0) continue;
                const double q[3] = {s[1] * e1[2] - s[2] * e1[1], s[2] * e1[0] - s[0] * e1[2],
                                     s[0] * e1[1] - s[1] * e1[0]};
                const double v = (d.x * q[0] + d.y * q[1] + d.z * q[2]) / det;
                if (v < 0.0 || u + v > 1.0) continue;
                hit = (e2[0] * q[0] + e2[1] * q[1] + e2[2] * q[2]) / det > 0.0;
            }
            if (!hit) ++misses;
        }
    EXPECT_EQ(misses, 0);
}

TEST(DiscModel, LiesFlatWithARadiusOfAboutTwentyTwoHundredths) {
    const MeshData disc = load(DISC);
    for (float spin : {0.0f, 37.0f, 290.0f}) {
        const Matrix world = placement(90, spin, 90, 0.2f, 0.2f, 0.2f, 4.0f, 0.0f, -4.9f);
        float radius = 0.0f;
        const Bounds b = boundsOf(disc, world);
        for (const MeshSubset& s : disc.subsets)
            for (const MeshVertex& v : s.vertices) {
                const Vector3 p = at(v, world);
                radius = std::max(radius, std::hypot(p.x - 4.0f, p.y));
            }
        EXPECT_NEAR(radius, 0.22f, 0.03f);
        EXPECT_LT(b.size(2), 0.1f);  // flat: thin along world z
    }
}

TEST(RobotModels, PartsStandOnTheFloorAtTheirModelsSize) {
    struct Model {
        const char* const* parts;
        float across;
    };
    for (const Model& model : {Model{SMALL_PARTS, 0.8f}, Model{BIG_PARTS, 1.1f}}) {
        Bounds whole;
        for (int part = 0; part < 3; ++part) {
            const MeshData data = load(model.parts[part]);
            for (float yaw : {0.0f, 180.0f}) {
                const Bounds b = boundsOf(data, robotPart(yaw, 6.0f, 0.0f));
                const float footprint = std::max(b.size(0), b.size(1));
                EXPECT_NEAR(footprint, model.across, model.across * 0.15f) << model.parts[part];
                EXPECT_GE(b.lo[2], -5.5f - 0.05f) << model.parts[part];
                EXPECT_LT(b.hi[2], -4.4f) << model.parts[part];
                whole.add({b.lo[0], b.lo[1], b.lo[2]});
                whole.add({b.hi[0], b.hi[1], b.hi[2]});
            }
        }
        EXPECT_NEAR(whole.lo[2], -5.5f, 0.05f) << model.parts[0];  // the bottom touches the floor
    }
}

TEST(RobotModels, EveryPartShowsAFrontAlongItsYaw) {
    // The glowing subset (eyes, headlights, chest light) sits in front: at
    // yaw 0 toward world +x, at yaw 90 toward world +y.
    std::vector<const char*> parts(std::begin(SMALL_PARTS), std::end(SMALL_PARTS));
    parts.insert(parts.end(), std::begin(BIG_PARTS), std::end(BIG_PARTS));
    for (const char* part : parts) {
        const MeshData data = load(part);
        int glow = -1;
        for (std::size_t i = 0; i < data.materials.size(); ++i)
            if (data.materials[i].material.emissive.r > 0.5f) glow = static_cast<int>(i);
        ASSERT_GE(glow, 0) << part;
        for (float yaw : {0.0f, 90.0f}) {
            const Matrix world = robotPart(yaw, -6.0f, 1.0f);
            double x = 0.0, y = 0.0;
            const MeshSubset& s = data.subsets[glow];
            for (std::uint32_t index : s.indices) {
                const Vector3 p = at(s.vertices[index], world);
                x += p.x + 6.0f;
                y += p.y - 1.0f;
            }
            x /= static_cast<double>(s.indices.size());
            y /= static_cast<double>(s.indices.size());
            if (yaw == 0.0f) {
                EXPECT_GT(x, 0.03) << part;
                EXPECT_NEAR(y, 0.0, 0.02) << part;
            } else {
                EXPECT_GT(y, 0.03) << part;
                EXPECT_NEAR(x, 0.0, 0.02) << part;
            }
        }
    }
}

TEST(ModelGenerator, WritesTheSameBytesEveryRun) {
    const std::filesystem::path generator =
        std::filesystem::path(GAME_DIR).parent_path() / "tools" / "korv_gen_models";
    ASSERT_TRUE(std::filesystem::exists(generator));
    TempDirectory first, second;
    for (const TempDirectory* dir : {&first, &second}) {
        const std::string command = generator.string() + " '" + dir->path().string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(first.path())) {
        if (!entry.is_regular_file()) continue;
        const std::filesystem::path relative = std::filesystem::relative(entry.path(), first.path());
        const std::string bytes = readAll(entry.path());
        EXPECT_EQ(bytes, readAll(second.path() / relative)) << relative;
        // What the build put into the run folder is what the generator writes.
        EXPECT_EQ(bytes, readAll(std::filesystem::path(GAME_DIR) / relative)) << relative;
        ++files;
    }
    EXPECT_EQ(files, 8 + 9);  // the models and the pictures they name
}
