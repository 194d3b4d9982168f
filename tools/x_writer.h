// Writes meshes, skeletons and animation sets as DirectX text (.x) files in
// the exact layout the game's readers walk: every count on the line after its
// section's opening line, one list element per line, the Frame holding the
// mesh first, then the bone hierarchy, then the animation sets. The files are
// well formed for any other reader too: every block is closed, and normals,
// texture coordinates, materials and skin all sit inside their Mesh. Floats
// are printed with six decimals so the output is the same on every run.
#pragma once

#include "tools/mesh_builder.h"
#include "tools/skeletons.h"

#include <string>
#include <vector>

struct SkinnedModel {
    Mesh mesh;
    Skeleton skeleton;
    std::vector<AnimationSet> sets;
};

std::string StaticModelText(const Mesh& mesh);
std::string SkinnedModelText(const SkinnedModel& model);

// Writes `text` to `path`; prints the reason and returns false on failure.
bool WriteTextFile(const std::string& path, const std::string& text);
