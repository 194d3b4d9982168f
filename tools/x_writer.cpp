#include "tools/x_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

namespace {

constexpr const char* Header = "xof 0303txt 0032\n";

// Skin templates are not among the core ones every reader knows, so the
// skinned files declare them.
constexpr const char* SkinTemplates =
    "template XSkinMeshHeader {\n"
    " <3CF169CE-FF7C-44ab-93C0-F78F62D172E2>\n"
    " WORD nMaxSkinWeightsPerVertex;\n"
    " WORD nMaxSkinWeightsPerFace;\n"
    " WORD nBones;\n"
    "}\n"
    "\n"
    "template SkinWeights {\n"
    " <6F0D123B-BAD2-4167-A0D0-80224F25FABB>\n"
    " STRING transformNodeName;\n"
    " DWORD nWeights;\n"
    " array DWORD vertexIndices[nWeights];\n"
    " array FLOAT weights[nWeights];\n"
    " Matrix4x4 matrixOffset;\n"
    "}\n"
    "\n";

std::string Number(float value)
{
    // Rounding noise around zero would otherwise print as "-0.000000".
    if (std::fabs(value) < 0.0000005f) {
        value = 0.0f;
    }
    char buffer[32] = {};
    std::snprintf(buffer, sizeof buffer, "%.6f", static_cast<double>(value));
    return buffer;
}

// One list element per line: ",\n" between elements, `last` after the final one.
void AppendList(std::string& out, const std::vector<std::string>& elements, const std::string& indent,
                const char* last)
{
    for (size_t i = 0; i < elements.size(); ++i) {
        out += indent + elements[i] + (i + 1 < elements.size() ? ",\n" : std::string(last) + "\n");
    }
}

std::string Vector3(V3 v) { return Number(v.x) + ";" + Number(v.y) + ";" + Number(v.z) + ";"; }

std::string FaceText(const Triangle& t)
{
    return "3;" + std::to_string(t.a) + "," + std::to_string(t.b) + "," + std::to_string(t.c) + ";";
}

void AppendMatrixRows(std::string& out, const std::array<float, 16>& m, const std::string& indent)
{
    for (int row = 0; row < 4; ++row) {
        out += indent;
        for (int k = 0; k < 4; ++k) {
            out += Number(m[row * 4 + k]);
            out += (row == 3 && k == 3) ? ";;" : ",";
        }
        out += "\n";
    }
}

// Writes the mesh's opening line and the blocks every mesh holds, up to and
// including the material list, but leaves the mesh open: a skinned mesh adds
// its skin blocks before the caller writes the closing brace.
void AppendOpenMesh(std::string& out, const Mesh& mesh, const std::string& name, const std::string& in)
{
    const std::string in1 = in + " ";
    const std::string in2 = in1 + " ";
    out += in + "Mesh " + name + " {\n";
    out += in1 + std::to_string(mesh.vertices.size()) + ";\n";
    std::vector<std::string> elements;
    for (const Vertex& v : mesh.vertices) {
        elements.push_back(Vector3(v.position));
    }
    AppendList(out, elements, in1, ";");
    std::vector<std::string> faces;
    for (const Triangle& t : mesh.triangles) {
        faces.push_back(FaceText(t));
    }
    out += in1 + std::to_string(mesh.triangles.size()) + ";\n";
    AppendList(out, faces, in1, ";");

    out += in1 + "MeshNormals {\n";
    out += in2 + std::to_string(mesh.vertices.size()) + ";\n";
    elements.clear();
    for (const Vertex& v : mesh.vertices) {
        elements.push_back(Vector3(v.normal));
    }
    AppendList(out, elements, in2, ";");
    out += in2 + std::to_string(mesh.triangles.size()) + ";\n";
    AppendList(out, faces, in2, ";");
    out += in1 + "}\n";

    out += in1 + "MeshTextureCoords {\n";
    out += in2 + std::to_string(mesh.vertices.size()) + ";\n";
    elements.clear();
    for (const Vertex& v : mesh.vertices) {
        elements.push_back(Number(v.u) + ";" + Number(v.v) + ";");
    }
    AppendList(out, elements, in2, ";");
    out += in1 + "}\n";

    out += in1 + "MeshMaterialList {\n";
    out += in2 + std::to_string(mesh.materials.size()) + ";\n";
    out += in2 + std::to_string(mesh.triangles.size()) + ";\n";
    elements.clear();
    for (const Triangle& t : mesh.triangles) {
        elements.push_back(std::to_string(t.material));
    }
    AppendList(out, elements, in2, ";");
    const std::string in3 = in2 + " ";
    for (const Material& m : mesh.materials) {
        out += in2 + "Material {\n";
        out += in3 + Number(m.diffuse.r) + ";" + Number(m.diffuse.g) + ";" + Number(m.diffuse.b) + ";" +
               Number(m.diffuse.a) + ";;\n";
        out += in3 + Number(m.power) + ";\n";
        out += in3 + Vector3(m.specular) + ";\n";
        out += in3 + Vector3(m.emissive) + ";\n";
        if (!m.texture.empty()) {
            out += in3 + "TextureFilename {\n";
            out += in3 + " \"" + m.texture + "\";\n";
            out += in3 + "}\n";
        }
        out += in2 + "}\n";
    }
    out += in1 + "}\n";
}

// A vertex no face uses is invisible, yet readers that rebuild vertices from
// the faces would count differently from ours; the files list only the
// vertices the faces use, in their first order.
Mesh WithoutUnusedVertices(const Mesh& mesh)
{
    std::vector<bool> isUsed(mesh.vertices.size(), false);
    for (const Triangle& t : mesh.triangles) {
        isUsed[t.a] = isUsed[t.b] = isUsed[t.c] = true;
    }
    std::vector<int> newIndex(mesh.vertices.size(), -1);
    Mesh used;
    used.materials = mesh.materials;
    for (size_t v = 0; v < mesh.vertices.size(); ++v) {
        if (isUsed[v]) {
            newIndex[v] = static_cast<int>(used.vertices.size());
            used.vertices.push_back(mesh.vertices[v]);
        }
    }
    for (Triangle t : mesh.triangles) {
        t.a = newIndex[t.a];
        t.b = newIndex[t.b];
        t.c = newIndex[t.c];
        used.triangles.push_back(t);
    }
    return used;
}

// The game's reader wants one SkinWeights block per frame. A frame that moves
// no vertex (the root, say) lends its number to one vertex with weight 0,
// which changes nothing on screen and keeps every block well formed.
std::vector<std::vector<std::pair<int, float>>> InfluencesByBone(Mesh& mesh, const Skeleton& skeleton)
{
    std::vector<std::vector<std::pair<int, float>>> byBone(skeleton.bones.size());
    for (size_t v = 0; v < mesh.vertices.size(); ++v) {
        for (int k = 0; k < MaxInfluences; ++k) {
            if (mesh.vertices[v].bones[k] >= 0) {
                byBone[mesh.vertices[v].bones[k]].push_back({static_cast<int>(v), mesh.vertices[v].weights[k]});
            }
        }
    }
    for (size_t b = 0; b < byBone.size(); ++b) {
        if (!byBone[b].empty()) {
            continue;
        }
        int best = -1;
        float bestDistance = 0.0f;
        for (size_t v = 0; v < mesh.vertices.size(); ++v) {
            const Vertex& vertex = mesh.vertices[v];
            const float distance = Length(vertex.position - skeleton.bones[b].joint);
            if (vertex.bones[MaxInfluences - 1] < 0 && (best < 0 || distance < bestDistance)) {
                best = static_cast<int>(v);
                bestDistance = distance;
            }
        }
        if (best >= 0) {
            Vertex& vertex = mesh.vertices[best];
            const auto slot = std::find(vertex.bones.begin(), vertex.bones.end(), -1);
            *slot = static_cast<int>(b);
            byBone[b].push_back({best, 0.0f});
        }
    }
    return byBone;
}

int MaxInfluencesPerVertex(const Mesh& mesh)
{
    int most = 0;
    for (const Vertex& v : mesh.vertices) {
        most = std::max(most, static_cast<int>(std::count_if(v.bones.begin(), v.bones.end(),
                                                             [](int b) { return b >= 0; })));
    }
    return most;
}

int MaxInfluencesPerFace(const Mesh& mesh)
{
    size_t most = 0;
    for (const Triangle& t : mesh.triangles) {
        std::set<int> bones;
        for (const int index : {t.a, t.b, t.c}) {
            for (const int b : mesh.vertices[index].bones) {
                if (b >= 0) {
                    bones.insert(b);
                }
            }
        }
        most = std::max(most, bones.size());
    }
    return static_cast<int>(most);
}

void AppendFrame(std::string& out, const Skeleton& skeleton, int bone, const std::string& in)
{
    const Bone& b = skeleton.bones[bone];
    out += in + "Frame " + b.name + " {\n";
    out += in + " FrameTransformMatrix {\n";
    const BoneKey rest = Pose(skeleton).Key(bone);
    const V3 c0 = Rotate(rest.rotation, {1.0f, 0.0f, 0.0f});
    const V3 c1 = Rotate(rest.rotation, {0.0f, 1.0f, 0.0f});
    const V3 c2 = Rotate(rest.rotation, {0.0f, 0.0f, 1.0f});
    const V3 t = rest.position;
    AppendMatrixRows(out, {c0.x, c0.y, c0.z, 0.0f, c1.x, c1.y, c1.z, 0.0f, c2.x, c2.y, c2.z, 0.0f, t.x, t.y, t.z, 1.0f},
                     in + "  ");
    out += in + " }\n";
    for (size_t child = 0; child < skeleton.bones.size(); ++child) {
        if (skeleton.bones[child].parent == bone) {
            AppendFrame(out, skeleton, static_cast<int>(child), in + " ");
        }
    }
    out += in + "}\n";
}

void AppendAnimationSet(std::string& out, const AnimationSet& set, const Skeleton& skeleton)
{
    out += "AnimationSet " + set.name + " {\n";
    const std::string count = std::to_string(set.times.size()) + ";\n";
    for (size_t b = 0; b < skeleton.bones.size(); ++b) {
        const std::vector<BoneKey>& keys = set.keys[b];
        out += " Animation Anim_" + skeleton.bones[b].name + " {\n";
        std::vector<std::string> rotations;
        std::vector<std::string> scales;
        std::vector<std::string> positions;
        for (size_t k = 0; k < keys.size(); ++k) {
            const std::string time = std::to_string(set.times[k]);
            // The file holds the inverse rotation: the reader builds each
            // bone's matrix from the inverse of the stored quaternion.
            const Quat q = keys[k].rotation;
            rotations.push_back(time + ";4;" + Number(q.w) + "," + Number(-q.x) + "," + Number(-q.y) + "," +
                                Number(-q.z) + ";;");
            scales.push_back(time + ";3;" + Number(keys[k].scale.x) + "," + Number(keys[k].scale.y) + "," +
                             Number(keys[k].scale.z) + ";;");
            positions.push_back(time + ";3;" + Number(keys[k].position.x) + "," + Number(keys[k].position.y) +
                                "," + Number(keys[k].position.z) + ";;");
        }
        const std::vector<std::string>* lists[3] = {&rotations, &scales, &positions};
        for (int type = 0; type < 3; ++type) {
            out += "  AnimationKey {\n";
            out += "   " + std::to_string(type) + ";\n";
            out += "   " + count;
            AppendList(out, *lists[type], "   ", ";");
            out += "  }\n";
        }
        out += "  { " + skeleton.bones[b].name + " }\n";
        out += " }\n";
    }
    out += "}\n\n";
}

} // namespace

std::string StaticModelText(const Mesh& mesh)
{
    std::string out = Header;
    out += "\n";
    AppendOpenMesh(out, WithoutUnusedVertices(mesh), "Body", "");
    out += "}\n";
    return out;
}

std::string SkinnedModelText(const SkinnedModel& model)
{
    Mesh mesh = WithoutUnusedVertices(model.mesh);
    const Skeleton& skeleton = model.skeleton;
    const auto byBone = InfluencesByBone(mesh, skeleton);

    std::string out = Header;
    out += "\n";
    out += SkinTemplates;
    // The mesh sits in a frame of its own ahead of the bones; its transform
    // fills the four lines the reader steps over after that frame's name.
    out += "Frame Model {\n";
    out += " FrameTransformMatrix {\n";
    AppendMatrixRows(out, {1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f,
                           0.0f, 1.0f},
                     "  ");
    out += " }\n";
    // The mesh is named apart from every bone, so no reader can mistake one
    // for the other. Its skin blocks follow the material list inside it.
    AppendOpenMesh(out, mesh, "Skin", " ");
    out += "  XSkinMeshHeader {\n";
    out += "   " + std::to_string(MaxInfluencesPerVertex(mesh)) + ";\n";
    out += "   " + std::to_string(MaxInfluencesPerFace(mesh)) + ";\n";
    out += "   " + std::to_string(skeleton.bones.size()) + ";\n";
    out += "  }\n";
    for (size_t b = 0; b < skeleton.bones.size(); ++b) {
        out += "  SkinWeights {\n";
        out += "   \"" + skeleton.bones[b].name + "\";\n";
        out += "   " + std::to_string(byBone[b].size()) + ";\n";
        std::vector<std::string> indices;
        std::vector<std::string> weights;
        for (const auto& [vertex, weight] : byBone[b]) {
            indices.push_back(std::to_string(vertex));
            weights.push_back(Number(weight));
        }
        AppendList(out, indices, "   ", ";");
        AppendList(out, weights, "   ", ";");
        const auto offset = OffsetMatrix(skeleton, static_cast<int>(b));
        out += "   ";
        for (int k = 0; k < 16; ++k) {
            out += Number(offset[k]) + (k < 15 ? "," : ";;\n");
        }
        out += "  }\n";
    }
    out += " }\n";
    out += "}\n\n";
    AppendFrame(out, skeleton, 0, "");
    out += "\n";
    for (const AnimationSet& set : model.sets) {
        AppendAnimationSet(out, set, skeleton);
    }
    return out;
}

bool WriteTextFile(const std::string& path, const std::string& text)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    const bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && ok;
}
