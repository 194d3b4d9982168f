// The text .x reader shared by the static and the skinned model loaders.
//
// Our model files are written by our own generator in one fixed layout, and the
// reader follows that layout rather than the whole DirectX grammar: sections
// are found by whole tokens, every count stands on the line after its section's
// opening line, and list elements are matched with fixed scanf-like patterns.
// The reader works on the whole file held in memory and never touches GL, so
// the tests and fuzzers drive it directly.
//
// Everything a file declares is checked before it is trusted: counts, indices
// and name lengths. Any violation makes the parse fail; callers then discard
// the half-read record, so a broken file never yields a half-built model.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// 32 bytes, laid out as GL_T2F_N3F_V3F expects.
struct ModelVertex {
    float s = 0.0f;
    float t = 0.0f;
    float nx = 0.0f;
    float ny = 0.0f;
    float nz = 0.0f;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};
static_assert(sizeof(ModelVertex) == 32, "ModelVertex must match GL_T2F_N3F_V3F");

struct ModelMaterial {
    float diffuse[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    // Stored for completeness; the shaders light with diffuse alone.
    float power = 0.0f;
    float specular[3] = {0.0f, 0.0f, 0.0f};
    float emissive[3] = {0.0f, 0.0f, 0.0f};
    // Path as written in the file, relative to the working directory; empty
    // when the material has no texture. The GL texture is made from it at upload.
    std::string texturePath;
    unsigned int texture = 0;  // GL texture name, 0 = untextured
    int triangleCount = 0;
    std::vector<uint16_t> triangleIndices;  // 3 per triangle, file order
    unsigned int indexBuffer = 0;           // GL buffer name
};

// Indices are 16-bit, so a mesh can address at most this many vertices.
inline constexpr int MaxMeshVertices = 65535;
// Generous bounds for the other counts; anything larger is a broken file.
inline constexpr int MaxMeshFaces = 1 << 20;
inline constexpr int MaxMeshMaterials = 256;
// Fixed buffer sizes of the reader: longer tokens or names are rejected.
inline constexpr size_t MaxTokenLength = 399;
inline constexpr size_t MaxTextureTokenLength = 255;

// The mesh part both model kinds share.
struct MeshData {
    std::vector<ModelVertex> vertices;
    std::vector<uint16_t> faceIndices;  // 3 per triangle, file order
    std::vector<ModelMaterial> materials;
};

class XReader {
public:
    // The text must stay alive while the reader is used.
    explicit XReader(std::string_view text) : text_(text) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    // Set once a token longer than its limit was met, so a search that gave up
    // on such a token is not mistaken for reaching the end of the file.
    bool Overflowed() const { return overflowed_; }
    size_t Position() const { return pos_; }
    void Seek(size_t position) { pos_ = position < text_.size() ? position : text_.size(); }
    size_t Remaining() const { return text_.size() - pos_; }

    // Reads one run of non-space characters and the white space after it.
    // False at the end of the text or when the token exceeds maxLength.
    bool ReadToken(std::string_view& token, size_t maxLength = MaxTokenLength);
    // Reads tokens until one equals name, skipping the rest of the line after
    // every "template" token so template declarations are never taken for data.
    bool FindToken(std::string_view name);
    // Skips to just past the next line feed (or to the end).
    void SkipLine();
    // Skips the rest of the current line and reads the integer at the start of
    // the next one. Fails unless it is a number from 0 to maxCount that could
    // possibly be backed by the rest of the file (bytesPerItem each).
    bool ReadCountLine(int& count, int maxCount, size_t bytesPerItem);
    // True when count items of at least bytesPerItem bytes fit in the rest of the file.
    bool CountFits(int count, size_t bytesPerItem) const;

    // A tiny scanf: "%f" and "%d" skip white space and convert; a space skips
    // any white space; any other character must match exactly. Stops at the
    // first mismatch, leaving the mismatching character unread, and returns the
    // number of conversions made. Floats must be finite and ints must fit.
    int Scan(const char* pattern, float* floats, int* ints);

private:
    void SkipSpace();
    bool ParseFloat(float& value);
    bool ParseInt(int& value);

    std::string_view text_;
    size_t pos_ = 0;
    bool overflowed_ = false;
};

// Reads a whole file into memory. False when it cannot be opened or read.
bool ReadWholeFile(const char* path, std::string& text);

// The characters between the first and second double quote of token; false
// when there are not two quotes.
bool QuotedName(std::string_view token, std::string_view& name);

// Reads the mesh that follows a "Mesh" token: vertex positions and triangles.
// Faces must be triangles whose corners name existing vertices.
bool ReadMeshGeometry(XReader& reader, MeshData& mesh);
// Reads tokens up to "MeshTextureCoords": the first "Mesh" gives the
// geometry (ReadMeshGeometry), "MeshNormals" the per-vertex normals, and the
// texture coordinates end the step. False when the file ends first.
bool ReadMeshSections(XReader& reader, MeshData& mesh);
// Reads "MeshMaterialList" and its inline materials, building each material's
// triangle list in file order. Every face must name an existing material.
bool ReadMeshMaterials(XReader& reader, MeshData& mesh);
