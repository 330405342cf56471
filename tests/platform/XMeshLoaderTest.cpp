#include "platform/MeshData.h"

#include "support/PictureFiles.h"
#include "support/TempDirectory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>

namespace {

// A card with distinct sides: its front (red, textured, inline material)
// faces -z and its back (blue, a material defined at the top of the file and
// referenced) faces +z. Front faces are listed clockwise as seen from their
// side, as the file format has them; the frame lifts the card by 2 along z,
// its matrix written in bare comma-separated integers as some exporters do.
const char* const CARD_TEXT = R"(xof 0302txt 0032
template Dummy {
 <00000000-0000-0000-0000-000000000000>
 DWORD nothing;
}
Material BackMat {
 0.0;0.0;1.0;1.0;;
 8.0;
 0.5;0.5;0.5;;
 0.0;0.2;0.0;;
}
Frame Card {
 FrameTransformMatrix { 1,0,0,0,0,1,0,0,0,0,1,0,0,0,2,1;; }
 Mesh CardMesh {
  4;
  -1.0;-1.0;0.5;, -1.0;1.0;0.5;, 1.0;1.0;0.5;, 1.0;-1.0;0.5;;
  4;
  3;0,1,2;, 3;0,2,3;,
  3;0,2,1;, 3;0,3,2;;
  MeshNormals { 2; 0.0;0.0;-1.0;, 0.0;0.0;1.0;; 4; 3;0,0,0;, 3;0,0,0;, 3;1,1,1;, 3;1,1,1;; }
  MeshTextureCoords { 4; 0.0;1.0;, 0.0;0.0;, 1.0;0.0;, 1.0;1.0;; }
  MeshMaterialList {
   2; 4; 0,0,1,1;;
   Material Front {
    1.0;0.0;0.0;0.75;;
    20.0;
    1.0;1.0;1.0;;
    0.1;0.0;0.0;;
    TextureFilename { "Textures\front.png"; }
   }
   { BackMat }
  }
 }
}
)";

// The same card in the binary form.
class BinaryX {
public:
    // Strings end with a separator token, as a word or, as the format's
    // documentation has it, a double word.
    explicit BinaryX(bool wordTerminators) : bytes_("xof 0302bin 0032"), wordTerminators_(wordTerminators) {}
    const std::string& bytes() const { return bytes_; }

    BinaryX& name(const std::string& s) { word(1); dword(s.size()); bytes_ += s; return *this; }
    BinaryX& string(const std::string& s) {
        word(2);
        dword(s.size());
        bytes_ += s;
        if (wordTerminators_) word(20);
        else dword(20);
        return *this;
    }
    BinaryX& open() { word(10); return *this; }
    BinaryX& close() { word(11); return *this; }
    BinaryX& ints(const std::vector<std::uint32_t>& values) {
        word(6);
        dword(values.size());
        for (const std::uint32_t v : values) dword(v);
        return *this;
    }
    BinaryX& floats(const std::vector<float>& values) {
        word(7);
        dword(values.size());
        for (const float v : values) {
            char raw[4];
            std::memcpy(raw, &v, 4);
            bytes_.append(raw, 4);
        }
        return *this;
    }

private:
    void word(std::uint16_t v) { bytes_.push_back(static_cast<char>(v & 0xFF)); bytes_.push_back(static_cast<char>(v >> 8)); }
    void dword(std::size_t v) { for (int s = 0; s < 32; s += 8) bytes_.push_back(static_cast<char>((v >> s) & 0xFF)); }
    std::string bytes_;
    bool wordTerminators_;
};

std::string cardBinary(std::uint32_t vertexCount = 4, bool wordTerminators = true) {
    BinaryX x(wordTerminators);
    x.name("Material").name("BackMat").open().floats({0, 0, 1, 1, 8, 0.5f, 0.5f, 0.5f, 0, 0.2f, 0}).close();
    x.name("Frame").name("Card").open();
    x.name("FrameTransformMatrix").open().floats({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 2, 1}).close();
    x.name("Mesh").name("CardMesh").open();
    x.ints({vertexCount}).floats({-1, -1, 0.5f, -1, 1, 0.5f, 1, 1, 0.5f, 1, -1, 0.5f});
    x.ints({4, 3, 0, 1, 2, 3, 0, 2, 3, 3, 0, 2, 1, 3, 0, 3, 2});
    x.name("MeshNormals").open().ints({2}).floats({0, 0, -1, 0, 0, 1});
    x.ints({4, 3, 0, 0, 0, 3, 0, 0, 0, 3, 1, 1, 1, 3, 1, 1, 1}).close();
    x.name("MeshTextureCoords").open().ints({4}).floats({0, 1, 0, 0, 1, 0, 1, 1}).close();
    x.name("MeshMaterialList").open().ints({2, 4, 0, 0, 1, 1});
    x.name("Material").name("Front").open().floats({1, 0, 0, 0.75f, 20, 1, 1, 1, 0.1f, 0, 0});
    x.name("TextureFilename").open().string("Textures\\front.png").close().close();
    x.open().name("BackMat").close();
    x.close().close().close();
    return x.bytes();
}

void expectColor(const ColorValue& c, float r, float g, float b, float a) {
    EXPECT_FLOAT_EQ(c.r, r);
    EXPECT_FLOAT_EQ(c.g, g);
    EXPECT_FLOAT_EQ(c.b, b);
    EXPECT_FLOAT_EQ(c.a, a);
}

struct Triangle {
    Vector3 p[3];
    Vector3 normal;  // the first vertex's stored normal
    Vector3 facing;  // (p1 - p0) × (p2 - p0)
};

std::vector<Triangle> triangles(const MeshSubset& subset) {
    std::vector<Triangle> out;
    for (std::size_t i = 0; i + 2 < subset.indices.size(); i += 3) {
        Triangle t;
        for (int k = 0; k < 3; ++k) {
            const MeshVertex& v = subset.vertices.at(subset.indices[i + k]);
            t.p[k] = {v.position[0], v.position[1], v.position[2]};
            if (k == 0) t.normal = {v.normal[0], v.normal[1], v.normal[2]};
        }
        const Vector3 a{t.p[1].x - t.p[0].x, t.p[1].y - t.p[0].y, t.p[1].z - t.p[0].z};
        const Vector3 b{t.p[2].x - t.p[0].x, t.p[2].y - t.p[0].y, t.p[2].z - t.p[0].z};
        t.facing = {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
        out.push_back(t);
    }
    return out;
}

// Checks everything the card file says, whichever form it was read from.
void expectCard(const MeshData& mesh) {
    ASSERT_EQ(mesh.subsets.size(), 2u);
    ASSERT_EQ(mesh.materials.size(), 2u);

    const Material& front = mesh.materials[0].material;
    expectColor(front.diffuse, 1, 0, 0, 0.75f);
    expectColor(front.specular, 1, 1, 1, 1);
    expectColor(front.emissive, 0.1f, 0, 0, 1);
    expectColor(front.ambient, 0, 0, 0, 1);
    EXPECT_FLOAT_EQ(front.power, 20);
    EXPECT_EQ(mesh.materials[0].textureFilename, "Textures/front.png");

    // The referenced material keeps its own place and values.
    const Material& back = mesh.materials[1].material;
    expectColor(back.diffuse, 0, 0, 1, 1);
    expectColor(back.specular, 0.5f, 0.5f, 0.5f, 1);
    expectColor(back.emissive, 0, 0.2f, 0, 1);
    EXPECT_FLOAT_EQ(back.power, 8);
    EXPECT_EQ(mesh.materials[1].textureFilename, "");

    // The file's own left-handed space: z is not negated, the frame's lift
    // applies, and each side's clockwise front faces toward its normal.
    const std::vector<Triangle> frontFaces = triangles(mesh.subsets[0]);
    const std::vector<Triangle> backFaces = triangles(mesh.subsets[1]);
    ASSERT_EQ(frontFaces.size(), 2u);
    ASSERT_EQ(backFaces.size(), 2u);
    for (const Triangle& t : frontFaces) {
        for (const Vector3& p : t.p) EXPECT_FLOAT_EQ(p.z, 2.5f);
        EXPECT_LT(t.facing.z, 0.0f);
        EXPECT_FLOAT_EQ(t.normal.z, -1.0f);
    }
    for (const Triangle& t : backFaces) {
        EXPECT_GT(t.facing.z, 0.0f);
        EXPECT_FLOAT_EQ(t.normal.z, 1.0f);
    }
    // v runs down the picture: the bottom edge (y = -1) has v = 1.
    for (const MeshVertex& v : mesh.subsets[0].vertices) EXPECT_FLOAT_EQ(v.uv[1], v.position[1] < 0 ? 1.0f : 0.0f);
}

TEST(XMeshLoader, TextCardKeepsFileSpaceMaterialOrderAndReferencedMaterials) {
    TempDirectory dir;
    writeTextFile(dir.file("card.x"), CARD_TEXT);
    const std::optional<MeshData> mesh = loadXMesh(dir.file("card.x"));
    ASSERT_TRUE(mesh);
    expectCard(*mesh);
}

TEST(XMeshLoader, BinaryCardReadsLikeTheTextOne) {
    TempDirectory dir;
    writeTextFile(dir.file("card.x"), cardBinary());
    writeTextFile(dir.file("card-dword.x"), cardBinary(4, false));
    for (const char* name : {"card.x", "card-dword.x"}) {
        const std::optional<MeshData> mesh = loadXMesh(dir.file(name));
        ASSERT_TRUE(mesh) << name;
        expectCard(*mesh);
    }
}

TEST(XMeshLoader, LyingCountsAreRefusedBeforeTheyCostMemory) {
    TempDirectory dir;
    std::string lying = CARD_TEXT;
    lying.replace(lying.find("  4;\n  -1.0"), 4, "  999999999;");
    writeTextFile(dir.file("lying.x"), lying);
    writeTextFile(dir.file("lying-binary.x"), cardBinary(999999999));
    // A list token that claims more numbers than the file holds.
    std::string longList = cardBinary();
    const std::string twelveFloats("\x07\x00\x0c\x00\x00\x00", 6);
    longList.replace(longList.find(twelveFloats), twelveFloats.size(), std::string("\x07\x00\xff\xc9\x9a\x3b", 6));
    writeTextFile(dir.file("long-list.x"), longList);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(loadXMesh(dir.file("lying.x")));
    EXPECT_FALSE(loadXMesh(dir.file("lying-binary.x")));
    EXPECT_FALSE(loadXMesh(dir.file("long-list.x")));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(XMeshLoader, BrokenFilesGiveNothing) {
    TempDirectory dir;
    const std::string card = CARD_TEXT;
    std::string badIndex = card;
    badIndex.replace(badIndex.find("3;0,1,2;"), 8, "3;0,1,9;");
    std::string badMaterialIndex = card;
    badMaterialIndex.replace(badMaterialIndex.find("0,0,1,1;;"), 9, "0,0,1,7;;");
    std::string danglingReference = card;
    danglingReference.replace(danglingReference.find("{ BackMat }"), 11, "{ Nowhere }");
    std::string compressed = card;
    compressed.replace(8, 4, "tzip");
    std::string garbled = card.substr(0, 16);
    for (int i = 0; i < 400; ++i) garbled.push_back(static_cast<char>((i * 7919) % 251));

    const std::vector<std::pair<std::string, std::string>> files = {
        {"truncated.x", card.substr(0, card.size() / 2)},
        {"truncated-binary.x", cardBinary().substr(0, 200)},
        {"bad-index.x", badIndex},
        {"bad-material-index.x", badMaterialIndex},
        {"dangling.x", danglingReference},
        {"compressed.x", compressed},
        {"garbled.x", garbled},
        {"nested.x", "xof 0302txt 0032\n" + std::string(100000, '{')},
        {"not-x.x", "hello, this is not a model"},
        {"empty.x", ""},
    };
    for (const auto& [name, bytes] : files) {
        writeTextFile(dir.file(name), bytes);
        EXPECT_FALSE(loadXMesh(dir.file(name))) << name;
    }
    EXPECT_FALSE(loadXMesh(dir.file("missing.x")));
}

TEST(XMeshLoader, MeshesOfEveryFrameBecomeSubsetsInOrder) {
    // Two frames each holding a mesh; the second has no material list and
    // gets one opaque white material; the first shares one material index
    // among all its faces.
    TempDirectory dir;
    writeTextFile(dir.file("two.x"), R"(xof 0302txt 0032
Frame A {
 FrameTransformMatrix { 1.0,0.0,0.0,0.0, 0.0,1.0,0.0,0.0, 0.0,0.0,1.0,0.0, 5.0,0.0,0.0,1.0;; }
 Mesh {
  3; 0.0;0.0;0.0;, 0.0;1.0;0.0;, 1.0;0.0;0.0;;
  1; 3;0,1,2;;
  MeshMaterialList { 2; 1; 1;;
   Material { 0.0;1.0;0.0;1.0;; 1.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }
   Material { 1.0;1.0;0.0;1.0;; 1.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }
  }
 }
 Frame B {
  Mesh {
   4; 0.0;0.0;0.0;, 0.0;1.0;0.0;, 1.0;1.0;0.0;, 1.0;0.0;0.0;;
   1; 4;0,1,2,3;;
  }
 }
}
)");
    const std::optional<MeshData> mesh = loadXMesh(dir.file("two.x"));
    ASSERT_TRUE(mesh);
    ASSERT_EQ(mesh->materials.size(), 3u);
    ASSERT_EQ(mesh->subsets.size(), 3u);
    EXPECT_TRUE(mesh->subsets[0].indices.empty());  // a material with no faces
    expectColor(mesh->materials[1].material.diffuse, 1, 1, 0, 1);
    ASSERT_EQ(mesh->subsets[1].indices.size(), 3u);
    for (const MeshVertex& v : mesh->subsets[1].vertices) EXPECT_GE(v.position[0], 5.0f);
    expectColor(mesh->materials[2].material.diffuse, 1, 1, 1, 1);
    EXPECT_EQ(mesh->subsets[2].indices.size(), 6u);  // the quad in two triangles
}

}  // namespace
