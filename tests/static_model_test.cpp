// The static .x reader: the layout our files use, and broken files failing
// cleanly instead of reading out of range.
#include <gtest/gtest.h>

#include <string>

#include "render/model_slots.h"
#include "render/static_model.h"
#include "tests/x_samples.h"

namespace {

// A unit quad of two triangles and a lone triangle; faces 0 and 2 use
// material 1, face 1 material 0.
SampleMesh TwoMaterialMesh()
{
    SampleMesh mesh;
    mesh.positions = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 0, 0}};
    mesh.faces = {{0, 1, 2}, {0, 2, 3}, {1, 4, 2}};
    mesh.faceMaterials = {1, 0, 1};
    SampleMaterial red;
    red.diffuse[1] = 0.0f;
    red.diffuse[2] = 0.0f;
    SampleMaterial wood;
    wood.texture = "wood.png";
    mesh.materials = {red, wood};
    return mesh;
}

void ReplaceOnce(std::string& text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
}

}  // namespace

// The real mesh after a template declaration, its faces split by material
// in file order.
TEST(StaticModelReader, ReadsTheRealMeshAndSplitsItsFacesByMaterial)
{
    StaticModel model;
    const std::string text = WriteStaticText(TwoMaterialMesh());
    ASSERT_NE(text.find("template Mesh {"), std::string::npos);
    ASSERT_TRUE(ParseStaticModel(text, model));
    EXPECT_EQ(model.vertexCount, 5);
    EXPECT_EQ(model.faceCount, 3);
    ASSERT_EQ(model.vertices.size(), 5u);
    EXPECT_FLOAT_EQ(model.vertices[4].x, 2.0f);
    EXPECT_FLOAT_EQ(model.vertices[2].y, 1.0f);
    EXPECT_FLOAT_EQ(model.vertices[2].nz, 1.0f);
    EXPECT_FLOAT_EQ(model.vertices[2].s, 1.0f);
    EXPECT_FLOAT_EQ(model.vertices[2].t, 1.0f);
    const std::vector<uint16_t> faces = {0, 1, 2, 0, 2, 3, 1, 4, 2};
    EXPECT_EQ(model.faceIndices, faces);
    ASSERT_EQ(model.materialCount, 2);
    const ModelMaterial& red = model.materials[0];
    const ModelMaterial& wood = model.materials[1];
    EXPECT_EQ(red.triangleCount, 1);
    EXPECT_EQ(red.triangleIndices, (std::vector<uint16_t>{0, 2, 3}));
    EXPECT_EQ(wood.triangleCount, 2);
    EXPECT_EQ(wood.triangleIndices, (std::vector<uint16_t>{0, 1, 2, 1, 4, 2}));
    EXPECT_EQ(red.triangleCount + wood.triangleCount, model.faceCount);
    EXPECT_FLOAT_EQ(red.diffuse[0], 1.0f);
    EXPECT_FLOAT_EQ(red.diffuse[1], 0.0f);
    EXPECT_FLOAT_EQ(red.power, 5.0f);
    // No TextureFilename block: drawn untextured.
    EXPECT_TRUE(red.texturePath.empty());
    EXPECT_EQ(wood.texturePath, "wood.png");
}

TEST(StaticModelReader, TakesTheTexturePathBetweenTheFirstTwoQuotesWhateverTheLineEnds)
{
    StaticModel model;
    std::string text = WriteStaticText(TwoMaterialMesh());
    ReplaceOnce(text, "\"wood.png\";", "\"image/bark wood.png\";");
    // A blank inside the quotes splits the token, so the path is cut there.
    ASSERT_FALSE(ParseStaticModel(text, model));

    text = WriteStaticText(TwoMaterialMesh());
    ReplaceOnce(text, "\"wood.png\";", "x\"image/bark.png\"y\"z\";");
    ASSERT_TRUE(ParseStaticModel(text, model));
    EXPECT_EQ(model.materials[1].texturePath, "image/bark.png");

    text = WriteStaticText(TwoMaterialMesh());
    std::string crlf;
    for (const char c : text) {
        if (c == '\n') {
            crlf += '\r';
        }
        crlf += c;
    }
    ASSERT_TRUE(ParseStaticModel(crlf, model));
    EXPECT_EQ(model.materials[1].texturePath, "wood.png");
    EXPECT_EQ(model.faceCount, 3);
}

// Every one of these once read or wrote out of range, or allocated whatever
// the file asked for. Each must fail and leave the record empty.
TEST(StaticModelReader, RejectsMalformedFilesCleanly)
{
    const std::string good = WriteStaticText(TwoMaterialMesh());
    struct Case {
        const char* what;
        std::string from;
        std::string to;
    };
    const Case cases[] = {
        {"negative vertex count", "Mesh {\n  5;", "Mesh {\n  -5;"},
        {"absurd vertex count", "Mesh {\n  5;", "Mesh {\n  2000000000;"},
        {"count larger than the file", "Mesh {\n  5;", "Mesh {\n  60000;"},
        {"missing vertex count", "Mesh {\n  5;", "Mesh {\n  ;"},
        {"face index past the vertices", "3;1,4,2;", "3;1,5,2;"},
        {"negative face index", "3;1,4,2;", "3;1,-1,2;"},
        {"index beyond 16 bits", "3;1,4,2;", "3;1,70000,2;"},
        {"quad face", "3;1,4,2;", "4;1,4,2,3;"},
        {"negative face count", "  3;\n  3;0", "  -3;\n  3;0"},
        {"material index out of range", "   1;;", "   2;;"},
        {"negative material index", "   1;;", "   -1;;"},
        {"material count past the list", "MeshMaterialList {\n   2;", "MeshMaterialList {\n   3;"},
        {"no texture coordinates", "MeshTextureCoords", "MeshTextureCoordz"},
        {"no material list", "MeshMaterialList", "MeshMaterialLizt"},
        {"texture without closing quote", "\"wood.png\";", "\"wood.png;"},
        {"texture name over its buffer", "wood.png", std::string(300, 'w')},
        {"token over its buffer", "MeshNormals {", std::string(500, 't') + " MeshNormals {"},
        {"not a number", "2.000000;0.000000;0.000000;", "2.000000;zero;0.000000;"},
        {"infinite coordinate", "2.000000;0.000000;0.000000;", "2.000000;1e99;0.000000;"},
        {"integer overflow", "3;1,4,2;", "3;1,99999999999999,2;"},
        {"file cut short", "   Material {\n    1.000000;1.000000", ""},
    };
    for (const Case& c : cases) {
        std::string text = good;
        const size_t at = text.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.what;
        if (c.to.empty()) {
            text.resize(at);
        } else {
            text.replace(at, c.from.size(), c.to);
        }
        StaticModel model;
        model.vertexCount = 9;
        EXPECT_FALSE(ParseStaticModel(text, model)) << c.what;
        EXPECT_EQ(model.vertexCount, 0) << c.what;
        EXPECT_TRUE(model.vertices.empty() && model.faceIndices.empty() && model.materials.empty()) << c.what;
    }
    // Text without a mesh.
    for (const char* text : {"", "xof 0303txt 0032\ntemplate Mesh {\n}\n", "Mesh"}) {
        StaticModel model;
        EXPECT_FALSE(ParseStaticModel(text, model)) << text;
    }
}

TEST(StaticModelReader, RefusesMoreVerticesThanSixteenBitIndicesReach)
{
    SampleMesh big;
    big.positions.assign(65536, Vec3{});
    big.faces = {{0, 1, 65535}};
    StaticModel model;
    EXPECT_FALSE(ParseStaticModel(WriteStaticText(big), model));
    big.positions.resize(65535);
    big.faces = {{0, 1, 65534}};
    EXPECT_TRUE(ParseStaticModel(WriteStaticText(big), model));
}

TEST(ModelFileCheck, DescribesEveryShippedModelAndNamesBadFiles)
{
    std::string line;
    for (const char* file : SkinModelFiles) {
        EXPECT_TRUE(DescribeModelFile(file, true, line)) << line;
        EXPECT_NE(line.find("animation sets"), std::string::npos) << line;
    }
    for (const char* file : StaticModelFiles) {
        EXPECT_TRUE(DescribeModelFile(file, false, line)) << line;
    }
    EXPECT_FALSE(DescribeModelFile("model/absent.x", false, line));
    EXPECT_EQ(line, "model/absent.x: cannot be read");
    // A static prop is not a character.
    EXPECT_FALSE(DescribeModelFile(StaticModelFiles[StaticSlotSword], true, line));
    EXPECT_EQ(line, std::string(StaticModelFiles[StaticSlotSword]) + ": malformed");
}
