#include "render/skin_model.h"

SkinModel* SkinModelTable[ModelSlotCount] = {};
uint8_t SkinModelPerScene[ModelSlotCount] = {};

namespace {

// Lines skipped after the first "Frame": its opening line and the four lines
// of the transform block in front of the mesh.
constexpr int FrameHeaderLines = 4;
// Smallest text a bone's SkinWeights block or a key can take; used to reject
// counts the rest of the file could never hold.
constexpr size_t SkinWeightsBytes = 16;
constexpr size_t KeyBytes = 8;
constexpr size_t InfluenceBytes = 2;

// Reads one frame after its "Frame" token, children included. Frames are
// numbered in the order they are met, which is depth first with parents
// before children; the count is capped so recursion and the bone table stay
// bounded whatever the file says.
bool ReadFrame(XReader& reader, SkinFrame& frame, int& nextIndex)
{
    std::string_view token;
    if (!reader.ReadToken(token, MaxFrameNameLength) || nextIndex >= MaxSkinBones) {
        return false;
    }
    frame.name.assign(token);
    frame.index = nextIndex++;
    int depth = 0;
    while (reader.ReadToken(token)) {
        if (token.front() == '{') {
            ++depth;
        } else if (token.front() == '}') {
            --depth;
        } else if (token == "Frame") {
            if (frame.childCount >= MaxFrameChildren) {
                return false;
            }
            auto child = std::make_unique<SkinFrame>();
            if (!ReadFrame(reader, *child, nextIndex)) {
                return false;
            }
            frame.children.push_back(std::move(child));
            ++frame.childCount;
        }
        if (depth == 0) {
            return true;
        }
    }
    return false;
}

// One SkinWeights block: the named frame's influences and offset matrix.
bool ReadSkinWeights(XReader& reader, SkinModel& model)
{
    std::string_view token;
    std::string_view name;
    if (!reader.FindToken("SkinWeights")) {
        return false;
    }
    reader.SkipLine();
    if (!reader.ReadToken(token) || !QuotedName(token, name)) {
        return false;
    }
    SkinFrame* frame = FindFrameByName(name, model.rootFrame.get());
    if (frame == nullptr) {
        return false;
    }
    int count = 0;
    if (reader.Scan("%d", nullptr, &count) != 1 || !reader.CountFits(count, InfluenceBytes)) {
        return false;
    }
    reader.SkipLine();
    if (count == 0) {
        reader.SkipLine();
        reader.SkipLine();
    } else {
        std::vector<int> vertexIndices(static_cast<size_t>(count), 0);
        for (int& vertex : vertexIndices) {
            if (reader.Scan("%d,", nullptr, &vertex) != 1 || vertex < 0 || vertex >= model.vertexCount) {
                return false;
            }
        }
        reader.SkipLine();
        for (const int vertex : vertexIndices) {
            float weight = 0.0f;
            if (reader.Scan("%f,", &weight, nullptr) != 1) {
                return false;
            }
            VertexInfluence& influence = model.influences[static_cast<size_t>(vertex)];
            // A vertex keeps the first four influences met, in block order.
            for (int slot = 0; slot < MaxInfluences; ++slot) {
                if (influence.bone[slot] == -1) {
                    influence.bone[slot] = frame->index;
                    influence.weight[slot] = weight;
                    break;
                }
            }
        }
        reader.SkipLine();
    }
    if (reader.Scan("%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f;;", frame->offsetMatrix.m, nullptr) != 16) {
        return false;
    }
    return reader.ReadToken(token);
}

// Skips to the next "AnimationKey" and reads its key count line, which must
// agree with the rotation keys so every list of one animation lines up.
bool ReadFollowingKeyCount(XReader& reader, int expected)
{
    int count = 0;
    if (!reader.FindToken("AnimationKey")) {
        return false;
    }
    reader.SkipLine();
    return reader.ReadCountLine(count, expected, KeyBytes) && count == expected;
}

// One Animation: rotation, scale and position keys, then the animated frame's name.
bool ReadAnimation(XReader& reader, SkinModel& model, int set)
{
    if (!reader.FindToken("Animation") || !reader.FindToken("AnimationKey")) {
        return false;
    }
    reader.SkipLine();
    reader.SkipLine();
    int keyCount = 0;
    if (reader.Scan("%d;", nullptr, &keyCount) != 1 || keyCount < 1 || !reader.CountFits(keyCount, KeyBytes)) {
        return false;
    }
    auto track = std::make_unique<AnimationTrack>();
    track->keyCount = keyCount;
    track->times.assign(static_cast<size_t>(keyCount), 0.0f);
    track->keys.assign(static_cast<size_t>(keyCount), PoseKey{});
    for (int k = 0; k < keyCount; ++k) {
        float values[5] = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
        int valueCount = 0;
        if (reader.Scan("%f;%d;%f,%f,%f,%f;;,", values, &valueCount) != 6) {
            return false;
        }
        track->times[static_cast<size_t>(k)] = values[0];
        track->keys[static_cast<size_t>(k)].rotation = Quaternion{values[1], values[2], values[3], values[4]};
    }
    for (const bool isScale : {true, false}) {
        if (!ReadFollowingKeyCount(reader, keyCount)) {
            return false;
        }
        for (PoseKey& key : track->keys) {
            float values[3] = {0.0f, 0.0f, 0.0f};
            int header[2] = {0, 0};
            if (reader.Scan("%d;%d;%f,%f,%f;;,", values, header) != 5) {
                return false;
            }
            (isScale ? key.scale : key.position) = Vec3{values[0], values[1], values[2]};
        }
    }
    reader.SkipLine();
    reader.SkipLine();
    std::string_view brace;
    std::string_view name;
    if (!reader.ReadToken(brace) || !reader.ReadToken(name)) {
        return false;
    }
    SkinFrame* frame = FindFrameByName(name, model.rootFrame.get());
    if (frame == nullptr) {
        return false;
    }
    frame->tracks[static_cast<size_t>(set)] = std::move(track);
    return true;
}

bool ReadSkin(XReader& reader, SkinModel& model)
{
    if (!reader.FindToken("Frame")) {
        return false;
    }
    for (int line = 0; line <= FrameHeaderLines; ++line) {
        reader.SkipLine();
    }
    MeshData mesh;
    if (!ReadMeshSections(reader, mesh) || !ReadMeshMaterials(reader, mesh)) {
        return false;
    }
    model.vertexCount = static_cast<int>(mesh.vertices.size());
    model.faceCount = static_cast<int>(mesh.faceIndices.size() / 3);
    model.materialCount = static_cast<int>(mesh.materials.size());
    model.vertices = std::move(mesh.vertices);
    model.faceIndices = std::move(mesh.faceIndices);
    model.materials = std::move(mesh.materials);

    const size_t afterMaterials = reader.Position();
    if (!reader.FindToken("Frame")) {
        return false;
    }
    model.rootFrame = std::make_unique<SkinFrame>();
    if (!ReadFrame(reader, *model.rootFrame, model.frameCount)) {
        return false;
    }

    reader.Seek(afterMaterials);
    if (!reader.FindToken("XSkinMeshHeader")) {
        return false;
    }
    reader.SkipLine();
    reader.SkipLine();
    // Posing writes one matrix per frame, so the bone table must cover every frame.
    if (!reader.ReadCountLine(model.boneCount, MaxSkinBones, SkinWeightsBytes) ||
        model.boneCount < model.frameCount) {
        return false;
    }
    model.boneFrames.assign(static_cast<size_t>(model.boneCount), nullptr);
    model.boneMatrices.assign(static_cast<size_t>(model.boneCount), MatIdentity());
    model.influences.assign(static_cast<size_t>(model.vertexCount), VertexInfluence{});
    for (int bone = 0; bone < model.boneCount; ++bone) {
        model.boneFrames[static_cast<size_t>(bone)] = FindFrameByIndex(bone, model.rootFrame.get());
        if (!ReadSkinWeights(reader, model)) {
            return false;
        }
    }

    while (model.animationSetCount < MaxAnimationSets && reader.FindToken("AnimationSet")) {
        reader.SkipLine();
        for (int animation = 0; animation < model.boneCount; ++animation) {
            if (!ReadAnimation(reader, model, model.animationSetCount)) {
                return false;
            }
        }
        ++model.animationSetCount;
    }
    return !reader.Overflowed();
}

}  // namespace

bool ParseSkinModel(std::string_view text, SkinModel& model)
{
    model = SkinModel{};
    XReader reader(text);
    if (!ReadSkin(reader, model)) {
        model = SkinModel{};
        return false;
    }
    return true;
}

SkinFrame* FindFrameByName(std::string_view name, SkinFrame* frame)
{
    if (frame == nullptr || frame->name == name) {
        return frame;
    }
    for (const auto& child : frame->children) {
        if (SkinFrame* found = FindFrameByName(name, child.get())) {
            return found;
        }
    }
    return nullptr;
}

SkinFrame* FindFrameByIndex(int index, SkinFrame* frame)
{
    if (frame == nullptr || frame->index == index) {
        return frame;
    }
    for (const auto& child : frame->children) {
        if (SkinFrame* found = FindFrameByIndex(index, child.get())) {
            return found;
        }
    }
    return nullptr;
}

SkinModel* SkinModelInSlot(int slot)
{
    if (slot < 0 || slot >= ModelSlotCount) {
        return nullptr;
    }
    return SkinModelTable[slot];
}
