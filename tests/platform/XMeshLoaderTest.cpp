#include "platform/MeshData.h"

#include "support/PictureFiles.h"
#include "support/TempDirectory.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <bit>

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

// The same card in the binary form: tokens as little-endian words, counts
// and numbers as double words. Strings end with a separator token, as a word
// or, as the format's documentation has it, a double word.
struct BinaryX {
    std::string bytes = "xof 0302bin 0032";
    bool wordTerminators = true;

    void put(std::uint32_t v, int size) {
        for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>(v >> (8 * i)));
    }
    BinaryX& name(const std::string& s) { put(1, 2); put(s.size(), 4); bytes += s; return *this; }
    BinaryX& string(const std::string& s) {
        put(2, 2); put(s.size(), 4); bytes += s; put(20, wordTerminators ? 2 : 4); return *this;
    }
    BinaryX& open() { put(10, 2); return *this; }
    BinaryX& close() { put(11, 2); return *this; }
    BinaryX& ints(const std::vector<std::uint32_t>& values) {
        put(6, 2); put(values.size(), 4);
        for (const std::uint32_t v : values) put(v, 4);
        return *this;
    }
    BinaryX& floats(const std::vector<float>& values) {
        put(7, 2); put(values.size(), 4);
        for (const float v : values) put(std::bit_cast<std::uint32_t>(v), 4);
        return *this;
    }
};

std::string cardBinary(std::uint32_t vertexCount = 4, bool wordTerminators = true) {
    BinaryX x{.wordTerminators = wordTerminators};
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
    return x.bytes;
}

// The text with its first occurrence of from replaced.
std::string edit(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

// Skin weights of vertices 0 and `last`, put before the card's material list.
std::string skinned(const std::string& last) {
    return edit(CARD_TEXT, "  MeshMaterialList {",
                "  SkinWeights { \"Bone\"; 2; 0, " + last + "; 1.0, 1.0; 1,0,0,0,0,1,0,0,0,0,1,0,0,0,0,1;; }\n  MeshMaterialList {");
}

// Power, then diffuse, specular, emissive and ambient as r, g, b, a.
std::vector<float> values(const Material& m) {
    std::vector<float> out{m.power};
    for (const ColorValue* c : {&m.diffuse, &m.specular, &m.emissive, &m.ambient}) out.insert(out.end(), {c->r, c->g, c->b, c->a});
    return out;
}

// Checks everything the card file says, whichever form it was read from.
void expectCard(const MeshData& mesh) {
    ASSERT_EQ(mesh.subsets.size(), 2u);
    ASSERT_EQ(mesh.materials.size(), 2u);

    EXPECT_THAT(values(mesh.materials[0].material),
                ::testing::Pointwise(::testing::FloatEq(), std::vector<float>{20, 1, 0, 0, 0.75f, 1, 1, 1, 1, 0.1f, 0, 0, 1, 0, 0, 0, 1}));
    EXPECT_EQ(mesh.materials[0].textureFilename, "Textures/front.png");
    // The referenced material keeps its own place and values.
    EXPECT_THAT(values(mesh.materials[1].material),
                ::testing::Pointwise(::testing::FloatEq(), std::vector<float>{8, 0, 0, 1, 1, 0.5f, 0.5f, 0.5f, 1, 0, 0.2f, 0, 1, 0, 0, 0, 1}));
    EXPECT_EQ(mesh.materials[1].textureFilename, "");

    // The file's own left-handed space: z is not negated, the frame's lift
    // applies, and each side's clockwise front faces toward its normal.
    for (int side = 0; side < 2; ++side) {
        const MeshSubset& subset = mesh.subsets[side];
        const float normalZ = side == 0 ? -1.0f : 1.0f;
        ASSERT_EQ(subset.indices.size(), 6u);
        for (std::size_t i = 0; i < 6; i += 3) {
            const float* p[3];
            for (int k = 0; k < 3; ++k) {
                const MeshVertex& v = subset.vertices.at(subset.indices[i + k]);
                p[k] = v.position;
                EXPECT_FLOAT_EQ(v.position[2], 2.5f);
                EXPECT_FLOAT_EQ(v.normal[2], normalZ);
            }
            // z of (p1 - p0) × (p2 - p0): which way the clockwise front faces.
            const float facingZ = (p[1][0] - p[0][0]) * (p[2][1] - p[0][1]) - (p[1][1] - p[0][1]) * (p[2][0] - p[0][0]);
            EXPECT_GT(facingZ * normalZ, 0.0f) << "side " << side;
        }
    }
    // v runs down the picture: the bottom edge (y = -1) has v = 1.
    for (const MeshVertex& v : mesh.subsets[0].vertices) EXPECT_FLOAT_EQ(v.uv[1], v.position[1] < 0 ? 1.0f : 0.0f);
}

TEST(XMeshLoader, CardKeepsFileSpaceMaterialOrderAndReferencedMaterialsInTextAndBinary) {
    TempDirectory dir;
    const std::pair<const char*, std::string> files[] = {
        {"text.x", CARD_TEXT}, {"binary.x", cardBinary()}, {"binary-dword.x", cardBinary(4, false)},
        {"skinned.x", skinned("3")}};
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        writeTextFile(dir.file(name), bytes);
        const std::optional<MeshData> mesh = loadXMesh(dir.file(name));
        ASSERT_TRUE(mesh);
        expectCard(*mesh);
    }
}

// Files that lie about their counts are refused before the counts cost
// memory or time.
TEST(XMeshLoader, BrokenAndLyingFilesGiveNothing) {
    TempDirectory dir;
    const std::string card = CARD_TEXT;
    std::string garbled = card.substr(0, 16);
    for (int i = 0; i < 400; ++i) garbled.push_back(static_cast<char>((i * 7919) % 251));
    const std::pair<const char*, std::string> files[] = {
        {"lying.x", edit(card, "  4;\n  -1.0", "  999999999;\n  -1.0")},
        {"lying-binary.x", cardBinary(999999999)},
        // A list token that claims more numbers than the file holds.
        {"long-list.x", edit(cardBinary(), std::string("\x07\x00\x0c\x00\x00\x00", 6), std::string("\x07\x00\xff\xc9\x9a\x3b", 6))},
        {"truncated.x", card.substr(0, card.size() / 2)},
        {"truncated-binary.x", cardBinary().substr(0, 200)},
        {"bad-index.x", edit(card, "3;0,1,2;", "3;0,1,9;")},
        {"bad-material-index.x", edit(card, "0,0,1,1;;", "0,0,1,7;;")},
        {"dangling.x", edit(card, "{ BackMat }", "{ Nowhere }")},
        {"compressed.x", edit(card, "txt ", "tzip")},
        {"garbled.x", garbled},
        {"nested.x", "xof 0302txt 0032\n" + std::string(100000, '{')},
        // What the importer reads otherwise than a plain brace count: the
        // header line's rest, a template's first closing brace.
        {"header-line.x", edit(card, "0032\n", "0032 template T {\nMesh { 999999999; 0.0;0.0;0.0;; }\n}\n")},
        {"template-brace.x", edit(card, " DWORD nothing;", " { x }\n Mesh { 999999999; 0.0;0.0;0.0;; }")},
        // Indices and lists the importer trusts.
        {"skin-index.x", skinned("4")},
        {"normal-index.x", edit(card, "3;1,1,1;;", "3;1,1,2;;")},
        {"second-material-list.x", edit(card, "  MeshMaterialList {", "  MeshMaterialList { 1; 1; 0;; { BackMat } }\n  MeshMaterialList {")},
        {"long-frame-name.x", edit(card, "Frame Card", "Frame " + std::string(2000, 'n'))},
        {"huge-string-binary.x", edit(cardBinary(), std::string("\x12\x00\x00\x00Textures", 12), std::string("\x00\x00\x00\x80Textures", 12))},
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
    // The first mesh uses only the second of its two materials; the second
    // has no material list and gets one of opaque white.
    TempDirectory dir;
    writeTextFile(dir.file("two.x"), R"(xof 0302txt 0032
Frame A {
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
    const std::vector<float> white{0, 1, 1, 1, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1};
    EXPECT_EQ((std::array{mesh->subsets[0].indices.size(), mesh->subsets[1].indices.size(), mesh->subsets[2].indices.size()}),
              (std::array<std::size_t, 3>{0, 3, 6}));
    EXPECT_EQ(mesh->materials[1].material.diffuse.b, 0.0f);
    EXPECT_EQ(values(mesh->materials[2].material), white);
}

}  // namespace
