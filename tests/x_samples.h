// Writes small .x texts in the layout our readers expect, so tests,
// benchmarks and fuzz seeds build their models from one description instead
// of hand-copied files.
#pragma once

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "math/vector_math.h"

struct SampleMaterial {
    float diffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    std::string texture;  // written as a TextureFilename block when not empty
};

struct SampleMesh {
    std::vector<Vec3> positions;
    std::vector<std::array<int, 3>> faces;
    std::vector<int> faceMaterials;  // one per face; empty means all 0
    std::vector<SampleMaterial> materials{SampleMaterial{}};
};

struct SampleFrame {
    std::string name;
    int parent = -1;  // frames are listed depth first, parents before children
};

struct SampleWeights {
    std::string frame;
    std::vector<int> vertices;
    std::vector<float> weights;
    Matrix4 offset;
};

struct SampleKey {
    float time = 0.0f;
    Quaternion rotation;
    Vec3 scale{1.0f, 1.0f, 1.0f};
    Vec3 position;
};

struct SampleAnimation {
    std::string frame;
    std::vector<SampleKey> keys;
};

struct SampleSkin {
    SampleMesh mesh;
    std::vector<SampleFrame> frames;
    std::vector<SampleWeights> weights;
    int boneCount = 0;  // 0: one bone per frame
    std::vector<std::vector<SampleAnimation>> sets;
};

namespace sample_detail {

inline std::string Num(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", static_cast<double>(value));
    return text;
}

inline std::string Sep(size_t i, size_t count, const char* last) { return i + 1 < count ? "," : last; }

inline void WriteMesh(std::string& out, const SampleMesh& mesh)
{
    const size_t vertexCount = mesh.positions.size();
    const size_t faceCount = mesh.faces.size();
    out += " Mesh {\n  " + std::to_string(vertexCount) + ";\n";
    for (size_t i = 0; i < vertexCount; ++i) {
        const Vec3& p = mesh.positions[i];
        out += "  " + Num(p.x) + ";" + Num(p.y) + ";" + Num(p.z) + ";" + Sep(i, vertexCount, ";") + "\n";
    }
    out += "  " + std::to_string(faceCount) + ";\n";
    for (size_t i = 0; i < faceCount; ++i) {
        const auto& f = mesh.faces[i];
        out += "  3;" + std::to_string(f[0]) + "," + std::to_string(f[1]) + "," + std::to_string(f[2]) + ";" +
               Sep(i, faceCount, ";") + "\n";
    }
    out += "  MeshNormals {\n   " + std::to_string(vertexCount) + ";\n";
    for (size_t i = 0; i < vertexCount; ++i) {
        out += "   0.000000;0.000000;1.000000;" + Sep(i, vertexCount, ";") + "\n";
    }
    out += "   " + std::to_string(faceCount) + ";\n";
    for (size_t i = 0; i < faceCount; ++i) {
        const auto& f = mesh.faces[i];
        out += "   3;" + std::to_string(f[0]) + "," + std::to_string(f[1]) + "," + std::to_string(f[2]) + ";" +
               Sep(i, faceCount, ";") + "\n";
    }
    out += "  }\n  MeshTextureCoords {\n   " + std::to_string(vertexCount) + ";\n";
    for (size_t i = 0; i < vertexCount; ++i) {
        const Vec3& p = mesh.positions[i];
        out += "   " + Num(p.x) + ";" + Num(p.y) + ";" + Sep(i, vertexCount, ";") + "\n";
    }
    out += "  }\n  MeshMaterialList {\n   " + std::to_string(mesh.materials.size()) + ";\n   " +
           std::to_string(faceCount) + ";\n";
    for (size_t i = 0; i < faceCount; ++i) {
        const int material = mesh.faceMaterials.empty() ? 0 : mesh.faceMaterials[i];
        out += "   " + std::to_string(material) + Sep(i, faceCount, ";;") + "\n";
    }
    for (const SampleMaterial& m : mesh.materials) {
        out += "   Material {\n    " + Num(m.diffuse[0]) + ";" + Num(m.diffuse[1]) + ";" + Num(m.diffuse[2]) +
               ";" + Num(m.diffuse[3]) + ";;\n    5.000000;\n    0.000000;0.000000;0.000000;;\n"
               "    0.000000;0.000000;0.000000;;\n";
        if (!m.texture.empty()) {
            out += "    TextureFilename {\n     \"" + m.texture + "\";\n    }\n";
        }
        out += "   }\n";
    }
    out += "  }\n";
}

inline std::string MatrixText(const Matrix4& m)
{
    std::string out;
    for (int i = 0; i < 16; ++i) {
        out += Num(m.m[i]) + (i < 15 ? "," : ";;");
    }
    return out;
}

inline void WriteFrame(std::string& out, const SampleSkin& skin, int index, const std::string& indent)
{
    out += indent + "Frame " + skin.frames[static_cast<size_t>(index)].name + " {\n";
    out += indent + " FrameTransformMatrix {\n" + indent + "  " + MatrixText(Matrix4{}) + "\n" + indent + " }\n";
    for (size_t child = 0; child < skin.frames.size(); ++child) {
        if (skin.frames[child].parent == index) {
            WriteFrame(out, skin, static_cast<int>(child), indent + " ");
        }
    }
    out += indent + "}\n";
}

}  // namespace sample_detail

inline const char* SampleHeader()
{
    return "xof 0303txt 0032\n"
           "template Mesh {\n <3D82AB44-62DA-11cf-AB39-0020AF71E433>\n DWORD nVertices;\n}\n"
           "template Frame {\n <3D82AB46-62DA-11cf-AB39-0020AF71E433>\n [...]\n}\n";
}

inline std::string WriteStaticText(const SampleMesh& mesh)
{
    std::string out = SampleHeader();
    sample_detail::WriteMesh(out, mesh);
    return out;
}

inline std::string WriteSkinText(const SampleSkin& skin)
{
    using namespace sample_detail;
    std::string out = SampleHeader();
    out += "Frame Body {\n FrameTransformMatrix {\n  " + MatrixText(Matrix4{}) + "\n }\n\n";
    WriteMesh(out, skin.mesh);
    const int bones = skin.boneCount > 0 ? skin.boneCount : static_cast<int>(skin.frames.size());
    out += "  XSkinMeshHeader {\n   4;\n   12;\n   " + std::to_string(bones) + ";\n  }\n";
    for (const SampleWeights& w : skin.weights) {
        out += "  SkinWeights {\n   \"" + w.frame + "\";\n   " + std::to_string(w.vertices.size()) + ";\n";
        if (w.vertices.empty()) {
            out += "\n\n";
        } else {
            out += "   ";
            for (size_t i = 0; i < w.vertices.size(); ++i) {
                out += std::to_string(w.vertices[i]) + Sep(i, w.vertices.size(), ";");
            }
            out += "\n   ";
            for (size_t i = 0; i < w.weights.size(); ++i) {
                out += Num(w.weights[i]) + Sep(i, w.weights.size(), ";");
            }
            out += "\n";
        }
        out += "   " + MatrixText(w.offset) + "\n  }\n";
    }
    out += " }\n}\n";
    for (size_t i = 0; i < skin.frames.size(); ++i) {
        if (skin.frames[i].parent < 0) {
            WriteFrame(out, skin, static_cast<int>(i), "");
        }
    }
    int setNumber = 0;
    for (const auto& set : skin.sets) {
        out += "AnimationSet Set" + std::to_string(setNumber++) + " {\n";
        for (const SampleAnimation& a : set) {
            const size_t n = a.keys.size();
            out += " Animation {\n  AnimationKey {\n   0;\n   " + std::to_string(n) + ";\n";
            for (size_t k = 0; k < n; ++k) {
                const SampleKey& key = a.keys[k];
                out += "   " + Num(key.time) + ";4;" + Num(key.rotation.w) + "," + Num(key.rotation.x) + "," +
                       Num(key.rotation.y) + "," + Num(key.rotation.z) + ";;" + Sep(k, n, ";") + "\n";
            }
            for (const bool isScale : {true, false}) {
                out += "  }\n  AnimationKey {\n   " + std::string(isScale ? "1" : "2") + ";\n   " +
                       std::to_string(n) + ";\n";
                for (size_t k = 0; k < n; ++k) {
                    const Vec3& v = isScale ? a.keys[k].scale : a.keys[k].position;
                    out += "   " + std::to_string(static_cast<int>(a.keys[k].time)) + ";3;" + Num(v.x) + "," +
                           Num(v.y) + "," + Num(v.z) + ";;" + Sep(k, n, ";") + "\n";
                }
            }
            out += "  }\n  { " + a.frame + " }\n }\n";
        }
        out += "}\n";
    }
    return out;
}
