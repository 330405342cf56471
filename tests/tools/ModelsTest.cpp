// The generated models, loaded with the game's own loader and placed with the
// game's own transforms where the match puts them.
#include "GeneratorRun.h"
#include "platform/Image.h"
#include "platform/Matrix.h"
#include "platform/MeshData.h"
#include "scene/Object3D.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

const std::string GAME_DIR = KORV_GAME_DIR;

const char* const ARENA = "Meshes/Arena/arena.x";
const char* const DISC = "Meshes/Frisbee/frisbee.x";
const char* const ROBOT_PARTS[] = {"Meshes/Robot/Small/head.x", "Meshes/Robot/Small/body.x", "Meshes/Robot/Small/bottom.x",
                                   "Meshes/Robot/Big/head.x",   "Meshes/Robot/Big/body.x",   "Meshes/Robot/Big/bottom.x"};

MeshData load(const std::string& model) {
    std::optional<MeshData> data = loadXMesh(GAME_DIR + "/" + model);
    EXPECT_TRUE(data.has_value()) << model;
    return data ? *data : MeshData{};
}

const Matrix ARENA_WORLD = matrixMultiply(
    matrixMultiply(rotationMatrix(90, 90, 0), matrixScaling(2.2f, 1.5f, 1.5f)), matrixTranslation(0, 0.03f, -5.5f));

Vector3 at(const MeshVertex& v, const Matrix& world) {
    return transformCoord({v.position[0], v.position[1], v.position[2]}, world);
}

// A normal carried into the world: the difference of two placed points.
Vector3 normalAt(const MeshVertex& v, const Matrix& world) {
    const Vector3 base = at(v, world);
    MeshVertex tip = v;
    for (int k = 0; k < 3; ++k) tip.position[k] += v.normal[k] * 1e-3f;
    const Vector3 end = at(tip, world);
    return {end.x - base.x, end.y - base.y, end.z - base.z};
}

struct Bounds {
    Vector3 lo{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(), std::numeric_limits<float>::max()};
    Vector3 hi{-lo.x, -lo.y, -lo.z};

    void add(const Vector3& p) {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
};

}  // namespace

TEST(Models, EveryModelLoadsWithItsPicturesAndItsFrontFacesClockwiseTowardItsNormals) {
    std::vector<std::string> models{ARENA, DISC};
    models.insert(models.end(), std::begin(ROBOT_PARTS), std::end(ROBOT_PARTS));
    for (const std::string& model : models) {
        SCOPED_TRACE(model);
        const MeshData data = load(model);
        ASSERT_FALSE(data.materials.empty());
        for (std::size_t i = 0; i < data.materials.size(); ++i) {
            SCOPED_TRACE("material " + std::to_string(i));
            const std::string& texture = data.materials[i].textureFilename;
            // A subset without its own picture would take whatever the
            // previous draw left bound.
            ASSERT_FALSE(texture.empty());
            EXPECT_TRUE(loadImage(GAME_DIR + "/" + texture).has_value()) << texture;
            EXPECT_FALSE(data.subsets[i].indices.empty());
            EXPECT_EQ(data.materials[i].material.diffuse.a, 1.0f);
        }

        // Front faces are clockwise seen from the side their normals show.
        // In a left-handed space a triangle that is clockwise seen from one
        // side has its edge cross product pointing to that side.
        double volume = 0.0;
        for (const MeshSubset& s : data.subsets)
            for (std::size_t i = 0; i + 2 < s.indices.size(); i += 3) {
                const MeshVertex* v[3] = {&s.vertices[s.indices[i]], &s.vertices[s.indices[i + 1]],
                                          &s.vertices[s.indices[i + 2]]};
                auto edge = [&](int to, int k) { return double(v[to]->position[k]) - v[0]->position[k]; };
                double facing = 0.0;
                for (int k = 0; k < 3; ++k) {
                    const int k1 = (k + 1) % 3, k2 = (k + 2) % 3;
                    const double f = edge(1, k1) * edge(2, k2) - edge(1, k2) * edge(2, k1);
                    facing += f * (v[0]->normal[k] + v[1]->normal[k] + v[2]->normal[k]);
                    volume += v[0]->position[k] * f / 6.0;
                }
                ASSERT_GT(facing, 0.0) << "triangle " << i / 3 << " is culled from the side its normals show";
            }
        // Robots and the disc are built of closed shapes: facing outward,
        // they enclose a positive volume.
        if (model != ARENA) {
            EXPECT_GT(volume, 0.0);
        }
    }
}

TEST(ArenaModel, FloorGoalLinesAndSideWallsLieWhereThePlayHappens) {
    const MeshData arena = load(ARENA);
    // The subset drawn with one of the arena's pictures.
    const auto subset = [&](const std::string& texture) -> const MeshSubset& {
        for (std::size_t i = 0; i < arena.materials.size(); ++i)
            if (arena.materials[i].textureFilename == "Meshes/Arena/" + texture) return arena.subsets[i];
        static const MeshSubset none;
        ADD_FAILURE() << "no subset with " << texture;
        return none;
    };
    // The floor lies at floor level, facing up, and covers the court.
    Bounds floor;
    for (const MeshVertex& v : subset("floor.png").vertices) {
        const Vector3 p = at(v, ARENA_WORLD);
        EXPECT_NEAR(p.z, -5.5f, 0.05f);
        EXPECT_GT(normalAt(v, ARENA_WORLD).z, 0.0f);
        floor.add(p);
    }
    EXPECT_TRUE(floor.lo.x <= -6.6f && floor.hi.x >= 6.6f && floor.lo.y <= -2.4f && floor.hi.y >= 2.4f);
    // The goal markings lie on both goal lines, across the court.
    Bounds goals[2];
    for (const MeshVertex& v : subset("goal.png").vertices) {
        const Vector3 p = at(v, ARENA_WORLD);
        EXPECT_NEAR(std::abs(p.x), 6.5f, 0.05f) << p.x;
        goals[p.x > 0].add(p);
    }
    for (const Bounds& side : goals) EXPECT_TRUE(side.lo.y <= -2.4f && side.hi.y >= 2.4f);
    // The side walls' faces turned toward the court stand where the disc
    // rebounds, along the whole court.
    Bounds walls[2];
    for (const MeshVertex& v : subset("walls.png").vertices) {
        const Vector3 p = at(v, ARENA_WORLD), n = normalAt(v, ARENA_WORLD);
        if (std::abs(p.y) < 1.0f || n.y * p.y > -0.9f * std::hypot(n.x, n.y, n.z) * std::abs(p.y)) continue;
        EXPECT_TRUE(std::abs(p.y) >= 2.4f && std::abs(p.y) <= 2.5f) << p.y;
        walls[p.y > 0].add(p);
    }
    for (const Bounds& side : walls) {
        EXPECT_TRUE(side.lo.x <= -6.5f && side.hi.x >= 6.5f);
        EXPECT_NEAR(side.lo.z, -5.5f, 0.05f);
    }
}

TEST(ModelGenerator, WritesTheSameBytesEveryRun) {
    EXPECT_EQ(expectGeneratorRepeatsTheRunFolder("korv_gen_models"), 8 + 9);  // the models and their pictures
}
