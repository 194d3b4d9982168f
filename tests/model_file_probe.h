// A small independent reader for the generated .x files, used by the content
// tests. It walks a file with the same tokens, count lines and element
// patterns as the game's readers, so a layout slip in the generator shows up
// here as a wrong count or a failed match, and it poses skeletons with the
// same key conventions (the stored rotation is inverted when posing).
#pragma once

#include <array>
#include <string>
#include <vector>

struct ProbeMaterial {
    std::array<float, 4> diffuse{};
    std::string texture;
};

struct ProbeMesh {
    std::vector<std::array<float, 3>> positions;
    std::vector<std::array<float, 3>> normals;
    std::vector<std::array<float, 2>> uvs;
    std::vector<std::array<int, 3>> faces;
    std::vector<int> faceMaterials;
    std::vector<ProbeMaterial> materials;
};

struct ProbeKey {
    std::array<float, 4> rotation{}; // w, x, y, z as stored
    std::array<float, 3> scale{};
    std::array<float, 3> position{};
};

struct ProbeTrack {
    std::vector<float> times;
    std::vector<ProbeKey> keys;
};

struct ProbeFrame {
    std::string name;
    int parent = -1;
    std::array<float, 16> offset{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    std::vector<ProbeTrack> tracks; // one per animation set
};

struct ProbeSkin {
    ProbeMesh mesh;
    int boneCount = 0;
    std::vector<ProbeFrame> frames; // depth first, parent before children
    std::vector<std::vector<std::pair<int, float>>> influences; // per vertex: (frame, weight)
    int setCount = 0;
};

using Matrix16 = std::array<float, 16>;

// Both return false (with `error` set) when the file breaks the layout.
bool ProbeStaticFile(const std::string& path, ProbeMesh& mesh, std::string& error);
bool ProbeSkinFile(const std::string& path, ProbeSkin& skin, std::string& error);

// Frame transforms at key `key` of set `set` (model space, the frame's own
// transform without its offset), and skinned vertex positions for them.
std::vector<Matrix16> PoseFrames(const ProbeSkin& skin, int set, int key);
std::vector<std::array<float, 3>> SkinnedPositions(const ProbeSkin& skin, const std::vector<Matrix16>& frames);
std::array<float, 3> TransformPoint(const Matrix16& m, std::array<float, 3> p);
