#include "model_file_probe.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

void SkipLine(std::FILE* f)
{
    int c = 0;
    while ((c = std::fgetc(f)) != EOF && c != '\n') {
    }
}

// Reads one token; a "template" token also swallows the rest of its line.
bool Token(std::FILE* f, std::string& token)
{
    char buffer[400] = {};
    if (std::fscanf(f, "%399s ", buffer) != 1) {
        return false;
    }
    token = buffer;
    if (token == "template") {
        SkipLine(f);
    }
    return true;
}

bool FindToken(std::FILE* f, const char* name)
{
    std::string token;
    while (Token(f, token)) {
        if (token == name) {
            return true;
        }
    }
    return false;
}

std::string ReadLine(std::FILE* f)
{
    char line[256] = {};
    if (std::fgets(line, sizeof line, f) == nullptr) {
        return {};
    }
    return line;
}

// Skips the rest of the opening line and reads the count from the next one.
int CountLine(std::FILE* f)
{
    SkipLine(f);
    return std::atoi(ReadLine(f).c_str());
}

std::string Quoted(const std::string& token)
{
    const size_t first = token.find('"');
    const size_t second = first == std::string::npos ? first : token.find('"', first + 1);
    return second == std::string::npos ? std::string() : token.substr(first + 1, second - first - 1);
}

bool ReadMeshBody(std::FILE* f, ProbeMesh& mesh, std::string& error)
{
    const int vertexCount = CountLine(f);
    if (vertexCount <= 0 || vertexCount > 65535) {
        error = "bad vertex count";
        return false;
    }
    mesh.positions.resize(vertexCount);
    for (auto& p : mesh.positions) {
        if (std::fscanf(f, "%f;%f;%f;,", &p[0], &p[1], &p[2]) != 3) {
            error = "bad position";
            return false;
        }
    }
    const int faceCount = CountLine(f);
    mesh.faces.resize(faceCount > 0 ? faceCount : 0);
    for (auto& face : mesh.faces) {
        int corners = 0;
        if (std::fscanf(f, "%d;%d,%d,%d;,", &corners, &face[0], &face[1], &face[2]) != 4 || corners != 3) {
            error = "bad face";
            return false;
        }
    }
    if (!FindToken(f, "MeshNormals")) {
        error = "no normals";
        return false;
    }
    SkipLine(f);
    SkipLine(f);
    mesh.normals.resize(vertexCount);
    for (auto& n : mesh.normals) {
        if (std::fscanf(f, "%f;%f;%f;,", &n[0], &n[1], &n[2]) != 3) {
            error = "bad normal";
            return false;
        }
    }
    if (!FindToken(f, "MeshTextureCoords")) {
        error = "no texture coordinates";
        return false;
    }
    SkipLine(f);
    SkipLine(f);
    mesh.uvs.resize(vertexCount);
    for (auto& uv : mesh.uvs) {
        if (std::fscanf(f, "%f;%f;,", &uv[0], &uv[1]) != 2) {
            error = "bad texture coordinate";
            return false;
        }
    }
    if (!FindToken(f, "MeshMaterialList")) {
        error = "no material list";
        return false;
    }
    const int materialCount = CountLine(f);
    SkipLine(f);
    mesh.faceMaterials.resize(mesh.faces.size());
    for (int& m : mesh.faceMaterials) {
        if (std::fscanf(f, "%d,", &m) != 1) {
            error = "bad face material";
            return false;
        }
    }
    mesh.materials.resize(materialCount > 0 ? materialCount : 0);
    for (ProbeMaterial& material : mesh.materials) {
        float ignored[7] = {};
        if (!FindToken(f, "Material")) {
            error = "missing material";
            return false;
        }
        SkipLine(f);
        auto& d = material.diffuse;
        if (std::fscanf(f, "%f;%f;%f;%f;;", &d[0], &d[1], &d[2], &d[3]) != 4 ||
            std::fscanf(f, "%f;", &ignored[0]) != 1 ||
            std::fscanf(f, "%f;%f;%f;;", &ignored[1], &ignored[2], &ignored[3]) != 3 ||
            std::fscanf(f, "%f;%f;%f;;", &ignored[4], &ignored[5], &ignored[6]) != 3) {
            error = "bad material colours";
            return false;
        }
        SkipLine(f);
        std::string token;
        if (Token(f, token) && token == "TextureFilename") {
            SkipLine(f);
            char name[256] = {};
            if (std::fscanf(f, "%255s;", name) != 1) {
                error = "bad texture name";
                return false;
            }
            material.texture = Quoted(name);
        }
    }
    return true;
}

bool ReadFrame(std::FILE* f, int parent, std::vector<ProbeFrame>& frames)
{
    char name[64] = {};
    if (std::fscanf(f, "%63s", name) != 1) {
        return false;
    }
    frames.push_back({});
    frames.back().name = name;
    frames.back().parent = parent;
    const int self = static_cast<int>(frames.size()) - 1;
    int depth = 0;
    std::string token;
    do {
        if (!Token(f, token)) {
            return false;
        }
        if (token[0] == '{') {
            ++depth;
        } else if (token[0] == '}') {
            --depth;
        } else if (token == "Frame" && !ReadFrame(f, self, frames)) {
            return false;
        }
    } while (depth > 0);
    return true;
}

int FrameByName(const std::vector<ProbeFrame>& frames, const std::string& name)
{
    for (size_t i = 0; i < frames.size(); ++i) {
        if (frames[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

Matrix16 Multiply(const Matrix16& a, const Matrix16& b)
{
    Matrix16 r{};
    for (int c = 0; c < 4; ++c) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a[k * 4 + row] * b[c * 4 + k];
            }
            r[c * 4 + row] = sum;
        }
    }
    return r;
}

// translation * scale * inverse(rotation of the stored quaternion).
Matrix16 LocalAtKey(const ProbeKey& key)
{
    const float w = key.rotation[0];
    const float x = key.rotation[1];
    const float y = key.rotation[2];
    const float z = key.rotation[3];
    const float rot[9] = {1 - 2 * (y * y + z * z), 2 * (x * y + w * z), 2 * (x * z - w * y),
                          2 * (x * y - w * z),     1 - 2 * (x * x + z * z), 2 * (y * z + w * x),
                          2 * (x * z + w * y),     2 * (y * z - w * x), 1 - 2 * (x * x + y * y)};
    Matrix16 m{};
    for (int c = 0; c < 3; ++c) {
        for (int row = 0; row < 3; ++row) {
            // The inverse of a rotation is its transpose.
            m[c * 4 + row] = rot[row * 3 + c] * key.scale[row];
        }
    }
    m[12] = key.position[0];
    m[13] = key.position[1];
    m[14] = key.position[2];
    m[15] = 1.0f;
    return m;
}

} // namespace

bool ProbeStaticFile(const std::string& path, ProbeMesh& mesh, std::string& error)
{
    File f(std::fopen(path.c_str(), "r"), std::fclose);
    if (!f) {
        error = "cannot open " + path;
        return false;
    }
    if (!FindToken(f.get(), "Mesh")) {
        error = "no mesh";
        return false;
    }
    return ReadMeshBody(f.get(), mesh, error);
}

bool ProbeSkinFile(const std::string& path, ProbeSkin& skin, std::string& error)
{
    File file(std::fopen(path.c_str(), "r"), std::fclose);
    std::FILE* f = file.get();
    if (f == nullptr) {
        error = "cannot open " + path;
        return false;
    }
    if (!FindToken(f, "Frame")) {
        error = "no frame";
        return false;
    }
    for (int k = 0; k < 5; ++k) {
        SkipLine(f);
    }
    if (!FindToken(f, "Mesh") || !ReadMeshBody(f, skin.mesh, error)) {
        error = "mesh: " + error;
        return false;
    }
    const long afterMaterials = std::ftell(f);
    if (!FindToken(f, "Frame") || !ReadFrame(f, -1, skin.frames)) {
        error = "bad frame hierarchy";
        return false;
    }
    std::fseek(f, afterMaterials, SEEK_SET);
    if (!FindToken(f, "XSkinMeshHeader")) {
        error = "no skin header";
        return false;
    }
    SkipLine(f);
    ReadLine(f);
    ReadLine(f);
    skin.boneCount = std::atoi(ReadLine(f).c_str());
    skin.influences.resize(skin.mesh.positions.size());
    for (int b = 0; b < skin.boneCount; ++b) {
        std::string token;
        if (!FindToken(f, "SkinWeights")) {
            error = "missing skin weights";
            return false;
        }
        SkipLine(f);
        char name[400] = {};
        int count = 0;
        if (std::fscanf(f, "%399s;", name) != 1 || std::fscanf(f, "%d", &count) != 1) {
            error = "bad skin weights header";
            return false;
        }
        const int frame = FrameByName(skin.frames, Quoted(name));
        if (frame < 0) {
            error = std::string("skin weights name an unknown frame ") + name;
            return false;
        }
        SkipLine(f);
        std::vector<int> vertices(count);
        std::vector<float> weights(count);
        for (int& v : vertices) {
            if (std::fscanf(f, "%d,", &v) != 1 || v < 0 || v >= static_cast<int>(skin.influences.size())) {
                error = "bad skinned vertex";
                return false;
            }
        }
        SkipLine(f);
        for (float& w : weights) {
            if (std::fscanf(f, "%f,", &w) != 1) {
                error = "bad weight";
                return false;
            }
        }
        SkipLine(f);
        for (int k = 0; k < count; ++k) {
            skin.influences[vertices[k]].push_back({frame, weights[k]});
        }
        auto& m = skin.frames[frame].offset;
        if (std::fscanf(f, "%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f;;", &m[0], &m[1], &m[2], &m[3], &m[4],
                        &m[5], &m[6], &m[7], &m[8], &m[9], &m[10], &m[11], &m[12], &m[13], &m[14], &m[15]) != 16 ||
            !Token(f, token)) {
            error = "bad offset matrix";
            return false;
        }
    }
    while (FindToken(f, "AnimationSet")) {
        SkipLine(f);
        for (int b = 0; b < skin.boneCount; ++b) {
            ProbeTrack track;
            int count = 0;
            if (!FindToken(f, "Animation") || !FindToken(f, "AnimationKey")) {
                error = "missing animation";
                return false;
            }
            SkipLine(f);
            SkipLine(f);
            if (std::fscanf(f, "%d;", &count) != 1 || count <= 0) {
                error = "bad key count";
                return false;
            }
            track.times.resize(count);
            track.keys.resize(count);
            for (int k = 0; k < count; ++k) {
                int values = 0;
                auto& q = track.keys[k].rotation;
                if (std::fscanf(f, "%f;%d;%f,%f,%f,%f;;,", &track.times[k], &values, &q[0], &q[1], &q[2], &q[3]) != 6) {
                    error = "bad rotation key";
                    return false;
                }
            }
            for (int list = 0; list < 2; ++list) {
                if (!FindToken(f, "AnimationKey")) {
                    error = "missing key list";
                    return false;
                }
                SkipLine(f);
                SkipLine(f);
                SkipLine(f);
                for (int k = 0; k < count; ++k) {
                    int time = 0;
                    int values = 0;
                    auto& v = list == 0 ? track.keys[k].scale : track.keys[k].position;
                    if (std::fscanf(f, "%d;%d;%f,%f,%f;;,", &time, &values, &v[0], &v[1], &v[2]) != 5 ||
                        static_cast<float>(time) != track.times[k]) {
                        error = "bad scale or position key";
                        return false;
                    }
                }
            }
            SkipLine(f);
            SkipLine(f);
            std::string brace;
            std::string name;
            if (!Token(f, brace) || !Token(f, name)) {
                error = "missing animated frame";
                return false;
            }
            const int frame = FrameByName(skin.frames, name);
            if (frame < 0) {
                error = "animation names an unknown frame " + name;
                return false;
            }
            skin.frames[frame].tracks.resize(skin.setCount + 1);
            skin.frames[frame].tracks[skin.setCount] = track;
        }
        ++skin.setCount;
    }
    return true;
}

std::vector<Matrix16> PoseFrames(const ProbeSkin& skin, int set, int key)
{
    std::vector<Matrix16> result(skin.frames.size());
    for (size_t i = 0; i < skin.frames.size(); ++i) {
        const ProbeFrame& frame = skin.frames[i];
        const Matrix16 local = LocalAtKey(frame.tracks.at(set).keys.at(key));
        result[i] = frame.parent < 0 ? local : Multiply(result[frame.parent], local);
    }
    return result;
}

std::array<float, 3> TransformPoint(const Matrix16& m, std::array<float, 3> p)
{
    return {m[0] * p[0] + m[4] * p[1] + m[8] * p[2] + m[12], m[1] * p[0] + m[5] * p[1] + m[9] * p[2] + m[13],
            m[2] * p[0] + m[6] * p[1] + m[10] * p[2] + m[14]};
}

std::vector<std::array<float, 3>> SkinnedPositions(const ProbeSkin& skin, const std::vector<Matrix16>& frames)
{
    std::vector<Matrix16> bones(frames.size());
    for (size_t i = 0; i < frames.size(); ++i) {
        bones[i] = Multiply(frames[i], skin.frames[i].offset);
    }
    std::vector<std::array<float, 3>> out(skin.mesh.positions.size());
    for (size_t v = 0; v < out.size(); ++v) {
        std::array<float, 3> sum{};
        for (const auto& [frame, weight] : skin.influences[v]) {
            const auto p = TransformPoint(bones[frame], skin.mesh.positions[v]);
            for (int k = 0; k < 3; ++k) {
                sum[k] += p[k] * weight;
            }
        }
        out[v] = sum;
    }
    return out;
}
