// The generated models, loaded with the game's own loader: their pictures,
// their faces' winding and the same bytes on every run.
#include "GeneratorRun.h"
#include "platform/Image.h"
#include "platform/MeshData.h"

#include <string>
#include <vector>

namespace {

const std::string GAME_DIR = KORV_GAME_DIR;

const char* const ARENA = "Meshes/Arena/arena.x";
const char* const MODELS[] = {ARENA, "Meshes/Frisbee/frisbee.x", "Meshes/Robot/Small/head.x", "Meshes/Robot/Small/body.x",
                              "Meshes/Robot/Small/bottom.x", "Meshes/Robot/Big/head.x", "Meshes/Robot/Big/body.x",
                              "Meshes/Robot/Big/bottom.x"};

}  // namespace

TEST(Models, EveryModelLoadsWithItsPicturesAndItsFrontFacesClockwiseTowardItsNormals) {
    for (const std::string model : MODELS) {
        SCOPED_TRACE(model);
        const std::optional<MeshData> loaded = loadXMesh(GAME_DIR + "/" + model);
        ASSERT_TRUE(loaded);
        const MeshData& data = *loaded;
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
        EXPECT_TRUE(model == ARENA || volume > 0.0) << volume;
    }
}

TEST(ModelGenerator, WritesTheSameBytesEveryRun) {
    EXPECT_EQ(expectGeneratorRepeatsTheRunFolder("korv_gen_models"), 8 + 9);  // the models and their pictures
}
