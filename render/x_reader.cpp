#include "render/x_reader.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The smallest text each list element can take, e.g. "0;0;0;" for a vector.
// Used to reject counts the rest of the file could never hold before anything
// is allocated for them.
constexpr size_t VectorBytes = 6;
constexpr size_t FaceBytes = 8;
constexpr size_t MaterialIndexBytes = 2;
constexpr size_t MaterialBytes = 24;
constexpr int TriangleCorners = 3;

}  // namespace

void XReader::SkipSpace()
{
    while (pos_ < text_.size() && IsSpace(text_[pos_])) {
        ++pos_;
    }
}

bool XReader::ReadToken(std::string_view& token, size_t maxLength)
{
    SkipSpace();
    const size_t start = pos_;
    while (pos_ < text_.size() && !IsSpace(text_[pos_])) {
        ++pos_;
    }
    token = text_.substr(start, pos_ - start);
    SkipSpace();
    if (token.size() > maxLength) {
        overflowed_ = true;
        return false;
    }
    return !token.empty();
}

bool XReader::FindToken(std::string_view name)
{
    std::string_view token;
    while (ReadToken(token)) {
        if (token == name) {
            return true;
        }
        if (token == "template") {
            SkipLine();
        }
    }
    return false;
}

void XReader::SkipLine()
{
    const size_t lineFeed = text_.find('\n', pos_);
    pos_ = lineFeed == std::string_view::npos ? text_.size() : lineFeed + 1;
}

bool XReader::CountFits(int count, size_t bytesPerItem) const
{
    return count >= 0 && static_cast<size_t>(count) * bytesPerItem <= Remaining();
}

bool XReader::ReadCountLine(int& count, int maxCount, size_t bytesPerItem)
{
    SkipLine();
    const size_t lineStart = pos_;
    SkipLine();
    std::string_view line = text_.substr(lineStart, pos_ - lineStart);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
        line.remove_prefix(1);
    }
    int value = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (error != std::errc() || end == line.data()) {
        return false;
    }
    count = value;
    return value <= maxCount && CountFits(value, bytesPerItem);
}

bool XReader::ParseFloat(float& value)
{
    SkipSpace();
    const char* first = text_.data() + pos_;
    const char* last = text_.data() + text_.size();
    if (first < last && *first == '+') {
        ++first;
    }
    float parsed = 0.0f;
    const auto [end, error] = std::from_chars(first, last, parsed);
    if (error != std::errc() || !std::isfinite(parsed)) {
        return false;
    }
    pos_ = static_cast<size_t>(end - text_.data());
    value = parsed;
    return true;
}

bool XReader::ParseInt(int& value)
{
    SkipSpace();
    const char* first = text_.data() + pos_;
    const char* last = text_.data() + text_.size();
    if (first < last && *first == '+') {
        ++first;
    }
    int parsed = 0;
    const auto [end, error] = std::from_chars(first, last, parsed);
    if (error != std::errc()) {
        return false;
    }
    pos_ = static_cast<size_t>(end - text_.data());
    value = parsed;
    return true;
}

int XReader::Scan(const char* pattern, float* floats, int* ints)
{
    int converted = 0;
    for (const char* p = pattern; *p != '\0'; ++p) {
        if (p[0] == '%' && p[1] == 'f') {
            if (!ParseFloat(*floats++)) {
                return converted;
            }
            ++converted;
            ++p;
        } else if (p[0] == '%' && p[1] == 'd') {
            if (!ParseInt(*ints++)) {
                return converted;
            }
            ++converted;
            ++p;
        } else if (*p == ' ') {
            SkipSpace();
        } else if (pos_ < text_.size() && text_[pos_] == *p) {
            ++pos_;
        } else {
            return converted;
        }
    }
    return converted;
}

bool ReadWholeFile(const char* path, std::string& text)
{
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return false;
    }
    std::string content;
    char chunk[65536];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        content.append(chunk, got);
    }
    const bool ok = std::ferror(file) == 0;
    std::fclose(file);
    if (ok) {
        text = std::move(content);
    }
    return ok;
}

bool QuotedName(std::string_view token, std::string_view& name)
{
    const size_t open = token.find('"');
    if (open == std::string_view::npos) {
        return false;
    }
    const size_t close = token.find('"', open + 1);
    if (close == std::string_view::npos) {
        return false;
    }
    name = token.substr(open + 1, close - open - 1);
    return true;
}

bool ReadMeshGeometry(XReader& reader, MeshData& mesh)
{
    int vertexCount = 0;
    if (!reader.ReadCountLine(vertexCount, MaxMeshVertices, VectorBytes)) {
        return false;
    }
    mesh.vertices.assign(static_cast<size_t>(vertexCount), ModelVertex{});
    for (ModelVertex& vertex : mesh.vertices) {
        float position[3] = {0.0f, 0.0f, 0.0f};
        if (reader.Scan("%f;%f;%f;,", position, nullptr) != 3) {
            return false;
        }
        vertex.x = position[0];
        vertex.y = position[1];
        vertex.z = position[2];
    }

    int faceCount = 0;
    if (!reader.ReadCountLine(faceCount, MaxMeshFaces, FaceBytes)) {
        return false;
    }
    mesh.faceIndices.assign(static_cast<size_t>(faceCount) * TriangleCorners, 0);
    for (int face = 0; face < faceCount; ++face) {
        int numbers[4] = {0, 0, 0, 0};
        // Only triangles: a larger polygon would shift every number after it.
        if (reader.Scan("%d;%d,%d,%d;,", nullptr, numbers) != 4 || numbers[0] != TriangleCorners) {
            return false;
        }
        for (int corner = 0; corner < TriangleCorners; ++corner) {
            const int index = numbers[1 + corner];
            if (index < 0 || index >= vertexCount) {
                return false;
            }
            mesh.faceIndices[static_cast<size_t>(face) * TriangleCorners + corner] =
                static_cast<uint16_t>(index);
        }
    }
    return true;
}

bool ReadMeshSections(XReader& reader, MeshData& mesh)
{
    bool geometryRead = false;
    std::string_view token;
    while (reader.ReadToken(token)) {
        if (token == "template") {
            reader.SkipLine();
        } else if (token == "Mesh" && !geometryRead) {
            if (!ReadMeshGeometry(reader, mesh)) {
                return false;
            }
            geometryRead = true;
        } else if (token == "MeshNormals") {
            // The file's own normal count and normal faces are not used: the
            // normals are listed per vertex, in vertex order.
            reader.SkipLine();
            reader.SkipLine();
            for (ModelVertex& vertex : mesh.vertices) {
                float normal[3] = {0.0f, 0.0f, 0.0f};
                if (reader.Scan("%f;%f;%f;,", normal, nullptr) != 3) {
                    return false;
                }
                vertex.nx = normal[0];
                vertex.ny = normal[1];
                vertex.nz = normal[2];
            }
        } else if (token == "MeshTextureCoords") {
            reader.SkipLine();
            reader.SkipLine();
            for (ModelVertex& vertex : mesh.vertices) {
                float coord[2] = {0.0f, 0.0f};
                if (reader.Scan("%f;%f;,", coord, nullptr) != 2) {
                    return false;
                }
                vertex.s = coord[0];
                vertex.t = coord[1];
            }
            return geometryRead;
        }
    }
    return false;
}

namespace {

bool ReadMaterial(XReader& reader, ModelMaterial& material)
{
    if (!reader.FindToken("Material")) {
        return false;
    }
    reader.SkipLine();
    if (reader.Scan("%f;%f;%f;%f;;", material.diffuse, nullptr) != 4 ||
        reader.Scan("%f;", &material.power, nullptr) != 1 ||
        reader.Scan("%f;%f;%f;;", material.specular, nullptr) != 3 ||
        reader.Scan("%f;%f;%f;;", material.emissive, nullptr) != 3) {
        return false;
    }
    reader.SkipLine();
    std::string_view token;
    if (!reader.ReadToken(token)) {
        return false;
    }
    if (token != "TextureFilename") {
        return true;
    }
    reader.SkipLine();
    std::string_view path;
    if (!reader.ReadToken(token, MaxTextureTokenLength) || !QuotedName(token, path)) {
        return false;
    }
    material.texturePath.assign(path);
    return true;
}

}  // namespace

bool ReadMeshMaterials(XReader& reader, MeshData& mesh)
{
    if (!reader.FindToken("MeshMaterialList")) {
        return false;
    }
    int materialCount = 0;
    if (!reader.ReadCountLine(materialCount, MaxMeshMaterials, MaterialBytes)) {
        return false;
    }
    reader.SkipLine();

    const size_t faceCount = mesh.faceIndices.size() / TriangleCorners;
    if (!reader.CountFits(static_cast<int>(faceCount), MaterialIndexBytes)) {
        return false;
    }
    std::vector<int> faceMaterial(faceCount, 0);
    mesh.materials.assign(static_cast<size_t>(materialCount), ModelMaterial{});
    for (int& index : faceMaterial) {
        if (reader.Scan("%d,", nullptr, &index) != 1 || index < 0 || index >= materialCount) {
            return false;
        }
        ++mesh.materials[static_cast<size_t>(index)].triangleCount;
    }
    for (ModelMaterial& material : mesh.materials) {
        material.triangleIndices.reserve(static_cast<size_t>(material.triangleCount) * TriangleCorners);
    }
    for (size_t face = 0; face < faceCount; ++face) {
        ModelMaterial& material = mesh.materials[static_cast<size_t>(faceMaterial[face])];
        const uint16_t* corners = &mesh.faceIndices[face * TriangleCorners];
        material.triangleIndices.insert(material.triangleIndices.end(), corners, corners + TriangleCorners);
    }

    for (ModelMaterial& material : mesh.materials) {
        if (!ReadMaterial(reader, material)) {
            return false;
        }
    }
    return true;
}
