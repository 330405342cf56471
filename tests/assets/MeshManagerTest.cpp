#include "assets/FontManager.h"
#include "assets/MeshManager.h"
#include "assets/TextureManager.h"

#include "platform/RecordedFont.h"
#include "platform/RecordedMesh.h"
#include "platform/RecordedTexture.h"
#include "shell/GraphicsContext.h"
#include "support/PictureFiles.h"
#include "support/RecordingGraphics.h"
#include "support/TempDirectory.h"
#include "support/WorkingDirectory.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

using Kind = DeviceCall::Kind;

// Two triangles, each with its own material; the first names a picture,
// stored with a backslash as Windows tools write it.
const char* const PAIR = R"(xof 0302txt 0032
Mesh Pair {
 6; 0.0;0.0;0.0;, 0.0;1.0;0.0;, 1.0;0.0;0.0;, 2.0;0.0;0.0;, 2.0;1.0;0.0;, 3.0;0.0;0.0;;
 2; 3;0,1,2;, 3;3,4,5;;
 MeshMaterialList {
  2; 2; 0,1;;
  Material { 0.8;0.6;0.4;0.5;; 12.0; 0.3;0.3;0.3;; 0.0;0.0;0.1;; TextureFilename { "Pictures\skin.png"; } }
  Material { 0.2;0.4;0.6;1.0;; 1.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }
 }
}
)";

// The model as Meshes/pair.x with its magenta picture.
void writePair(const TempDirectory& dir) {
    writeTextFile(dir.file("Meshes/pair.x"), PAIR);
    std::filesystem::create_directories(dir.path() / "Pictures");
    writeFlatPng(dir.file("Pictures/skin.png"), 4, 4, 0xFF00FFFFu);
}

struct MeshManagerTest : ::testing::Test {
    RecordingDevice& device = installRecordingDevice();
    MeshManager& registry = MeshManager::instance();
    TempDirectory dir;
    WorkingDirectory inside{dir.path()};

    MeshManagerTest() { writePair(dir); }
};

TEST_F(MeshManagerTest, ModelsLoadWithTheirMaterialsAndKeyedPicturesOnceReadAheadOrNot) {
    registry.decodeAhead({"Meshes/pair.x"});
    for (const char* name : {"ahead", "direct"}) {  // read again: the first took it
        SCOPED_TRACE(name);
        Mesh* pair = registry.loadMesh(name, "Meshes/pair.x");
        ASSERT_NE(pair, nullptr);
        EXPECT_EQ(pair->device, GraphicsContext::instance().device.get());
        ASSERT_EQ(pair->materialCount, 2u);
        ASSERT_EQ(pair->materialTextures.size(), 2u);
        for (const Material& m : pair->materials) {
            EXPECT_EQ((std::array{m.ambient.r, m.ambient.g, m.ambient.b, m.ambient.a}),
                      (std::array{m.diffuse.r, m.diffuse.g, m.diffuse.b, m.diffuse.a}));
        }
        // The picture named as stored, found from the working directory,
        // with its magenta keyed out.
        const auto* skin = dynamic_cast<const RecordedTexture*>(pair->materialTextures[0].get());
        ASSERT_NE(skin, nullptr);
        EXPECT_EQ(skin->image.rgba.at(3), 0);
        EXPECT_EQ(pair->materialTextures[1], nullptr);
        EXPECT_EQ(registry.loadMesh(name, "Meshes/other.x"), pair);
        EXPECT_EQ(registry.getMesh(name), pair);
    }
    EXPECT_EQ(device.count(Kind::LoadMesh), 2u);
    EXPECT_EQ(registry.getMesh("never"), nullptr);
    // A picture that only loads plainly still textures its subset.
    device.keyedTexturesFail = true;
    EXPECT_FALSE(dynamic_cast<const RecordedTexture&>(*registry.loadMesh("plain", "Meshes/pair.x")->materialTextures.at(0)).keyed);
}

TEST_F(MeshManagerTest, SubsetsWithoutAPictureKeepTheOneLeftBound) {
    Mesh* pair = registry.loadMesh("pair", "Meshes/pair.x");
    Texture* skin = pair->materialTextures[0].get();
    device.clearCalls();
    drawMesh(pair);

    std::vector<Kind> kinds;
    for (const DeviceCall& call : device.calls) kinds.push_back(call.kind);
    EXPECT_EQ(kinds, (std::vector<Kind>{Kind::Material, Kind::Texture, Kind::MipFilter, Kind::DrawSubset,
                                        Kind::Material, Kind::DrawSubset}));
    const std::vector<const DeviceCall*> draws = device.callsOf(Kind::DrawSubset);
    EXPECT_EQ((std::array{draws[0]->subset, draws[1]->subset}), (std::array{0u, 1u}));
    EXPECT_EQ(draws[1]->texture, skin);
}

TEST_F(MeshManagerTest, AModelThatFailsToLoadIsAnEmptyRecordThatDrawsNothing) {
    writeTextFile(dir.file("Meshes/cut.x"), std::string(PAIR).substr(0, 120));
    registry.decodeAhead({"Meshes/cut.x"});  // read ahead or when loaded, the same empty record
    for (const char* path : {"Meshes/cut.x", "Meshes/missing.x"}) {
        Mesh* broken = registry.loadMesh(path, path);
        ASSERT_NE(broken, nullptr);
        EXPECT_EQ(broken->mesh, nullptr);
        EXPECT_EQ(broken->materialCount, 0u);
        EXPECT_EQ(registry.loadMesh(path, "Meshes/pair.x"), broken);
        device.clearCalls();
        drawMesh(broken);
        EXPECT_TRUE(device.calls.empty());
    }
    drawMesh(nullptr);
    EXPECT_TRUE(device.calls.empty());
}

void reportReleases() {
    std::fprintf(stderr, "meshes %d/%d, textures %d/%d, fonts %d/%d\n", RecordedMesh::destroyed, RecordedMesh::alive,
                 RecordedTexture::destroyed, RecordedTexture::alive, RecordedFont::destroyed, RecordedFont::alive);
}

// What the registries hold is released once at exit (destroyed/alive), and
// their empty entries not at all.
TEST(RegistriesAtExit, EachModelPictureAndFontIsReleasedOnce) {
    TempDirectory dir;
    WorkingDirectory inside{dir.path()};
    writePair(dir);
    EXPECT_EXIT(
        {
            // Registered before the registries exist, so it runs after they are gone.
            std::atexit(reportReleases);
            RecordingDevice& device = installRecordingDevice();
            MeshManager& meshes = MeshManager::instance();
            meshes.loadMesh("frisbee", "Meshes/pair.x");
            meshes.loadMesh("frisbee", "Meshes/pair.x");
            meshes.loadMesh("broken", "missing.x");
            TextureManager::instance().loadTexture("skin", "Pictures/skin.png");
            TextureManager::instance().loadTexture("gone", "missing.png");
            FontManager& fonts = FontManager::instance();
            fonts.createFont("arial", "Arial", 25, 0, false, 400);
            fonts.createFont("arial", "Arial", 25, 0, false, 400);
            fonts.device = nullptr;
            fonts.createFont("empty", "Arial", 25, 0, false, 400);
            fonts.device = &device;
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "meshes 1/0, textures 2/0, fonts 1/0");
}

}  // namespace
