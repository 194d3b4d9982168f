// The block structure check behind --check-content: it names the line where
// a model file's blocks go wrong, while the game's readers still load what
// they accept.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "render/model_slots.h"
#include "render/static_model.h"
#include "render/x_structure.h"
#include "test_files.h"

namespace {

// A small static mesh laid out as our readers expect: the header, then the
// mesh with its normals, texture coordinates and material list.
const std::string Header = "xof 0303txt 0032\n";
const std::string MeshOpen =
    "Mesh Quad {\n"
    " 3;\n 0.0;0.0;0.0;,\n 1.0;0.0;0.0;,\n 0.0;1.0;0.0;;\n"
    " 1;\n 3;0,1,2;;\n";
const std::string MeshData =
    " MeshNormals {\n  3;\n  0.0;0.0;1.0;,\n  0.0;0.0;1.0;,\n  0.0;0.0;1.0;;\n  1;\n  3;0,1,2;;\n }\n"
    " MeshTextureCoords {\n  3;\n  0.0;0.0;,\n  1.0;0.0;,\n  0.0;1.0;;\n }\n"
    " MeshMaterialList {\n  1;\n  1;\n  0;;\n"
    "  Material {\n   1.0;1.0;1.0;1.0;;\n   5.0;\n   0.0;0.0;0.0;;\n   0.0;0.0;0.0;;\n"
    "   TextureFilename {\n    \"a{b}.png\";\n   }\n  }\n }\n";
const std::string SoundMesh = MeshOpen + MeshData + "}\n";

TEST(XStructure, NamesTheLineWhereBlocksGoWrong)
{
    const struct {
        const char* what;
        std::string text;
        std::string problem;  // empty: sound
    } cases[] = {
        {"a sound mesh", Header + SoundMesh, ""},
        {"braces in strings, comments and templates", Header + "// } {\n# {\ntemplate Mesh {\n <3D82AB44>\n [...]\n}\n" + SoundMesh, ""},
        {"a brace on the line after the name",
         Header + "Frame Root\n{\n FrameTransformMatrix\n {\n  1.0;;\n }\n}\n", ""},
        {"a mesh never closed", Header + MeshOpen + MeshData, "line 2: the Mesh block opened here is never closed"},
        {"one brace too many", Header + SoundMesh + "}\n", "line 38: this closing brace closes no block"},
        {"skin blocks inside the material list",
         Header + MeshOpen + MeshData.substr(0, MeshData.size() - 3) + " XSkinMeshHeader {\n 1;\n 1;\n 1;\n }\n }\n}\n",
         "line 36: the XSkinMeshHeader block stands inside MeshMaterialList; it belongs inside Mesh"},
        {"skin weights outside the mesh", Header + SoundMesh + "SkinWeights {\n \"Root\";\n 0;\n}\n",
         "line 38: the SkinWeights block stands at the top level; it belongs inside Mesh"},
        {"a frame inside a mesh", Header + MeshOpen + "Frame Bone {\n}\n}\n",
         "line 9: the Frame block stands inside Mesh; it belongs at the top level or inside Frame"},
        {"keys outside an animation", Header + "AnimationSet Idle {\n AnimationKey {\n  0;\n }\n}\n",
         "line 3: the AnimationKey block stands inside AnimationSet; it belongs inside Animation"},
        {"an unclosed string", Header + "Mesh Quad {\n \"quad;\n}\n", "line 3: a string is never closed"},
    };
    for (const auto& c : cases) {
        std::string problem;
        EXPECT_EQ(CheckXStructure(c.text, problem), c.problem.empty()) << c.what;
        EXPECT_EQ(problem, c.problem) << c.what;
    }
}

TEST(XStructure, ABrokenFileIsReportedYetStillLoads)
{
    std::string line;
    const TempDir dir;
    const std::string broken = Header + MeshOpen + MeshData;
    std::ofstream(dir.File("open.x"), std::ios::binary) << broken;
    EXPECT_FALSE(DescribeModelFile(dir.File("open.x").c_str(), false, line));
    EXPECT_EQ(line, dir.File("open.x") + ": line 2: the Mesh block opened here is never closed");
    StaticModel model;
    EXPECT_TRUE(ParseStaticModel(broken, model)) << "the game reads what its reader accepts";
    EXPECT_EQ(model.faceCount, 1);
}

}  // namespace
