// The skinned .x reader: frame numbering, skin weights, animation sets, and
// broken files failing cleanly.
#include <gtest/gtest.h>

#include <string>

#include "render/skin_model.h"
#include "tests/test_math.h"
#include "tests/x_samples.h"

namespace {

Matrix4 Translation(float x, float y, float z)
{
    Matrix4 m;
    m.m[12] = x;
    m.m[13] = y;
    m.m[14] = z;
    return m;
}

std::vector<SampleAnimation> AnimateAll(const SampleSkin& skin, float step)
{
    std::vector<SampleAnimation> set;
    for (const SampleFrame& frame : skin.frames) {
        SampleAnimation animation{frame.name, {}};
        for (int k = 0; k < 3; ++k) {
            SampleKey key;
            key.time = static_cast<float>(k * 30);
            key.position = Vec3{step * static_cast<float>(k), 0.0f, 0.0f};
            animation.keys.push_back(key);
        }
        set.push_back(animation);
    }
    return set;
}

// Root with children A, B and C; A has the child A1. Vertex 0 is named by
// all five SkinWeights blocks; frame A by none.
SampleSkin TreeSkin()
{
    SampleSkin skin;
    skin.mesh.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, {0, 2, 0}, {1, 2, 0}};
    skin.mesh.faces = {{0, 1, 2}, {1, 3, 2}, {2, 3, 4}, {3, 5, 4}};
    skin.frames = {{"Root", -1}, {"A", 0}, {"A1", 1}, {"B", 0}, {"C", 0}};
    skin.weights = {
        {"B", {0, 1}, {0.1f, 1.0f}, Translation(0, 0, 3)},
        {"A1", {0, 2, 3}, {0.2f, 1.0f, 0.5f}, Translation(0, -1, 0)},
        {"Root", {0}, {0.3f}, Matrix4{}},
        {"C", {0}, {0.4f}, Matrix4{}},
        {"B", {0, 5}, {0.5f, 1.0f}, Translation(0, 0, -2)},
    };
    skin.sets = {AnimateAll(skin, 1.0f), AnimateAll(skin, 2.0f)};
    return skin;
}

}  // namespace

// Frames numbered depth first with parents first; influences by the named
// frame's number in block order; offsets; every set its own track.
TEST(SkinModelReader, ReadsFramesWeightsOffsetsAndSets)
{
    SkinModel model;
    ASSERT_TRUE(ParseSkinModel(WriteSkinText(TreeSkin()), model));
    SkinFrame* root = model.rootFrame.get();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(model.frameCount, 5);
    EXPECT_EQ(model.boneCount, 5);
    const char* names[] = {"Root", "A", "A1", "B", "C"};
    for (int i = 0; i < 5; ++i) {
        SkinFrame* frame = FindFrameByName(names[i], root);
        ASSERT_NE(frame, nullptr) << names[i];
        EXPECT_EQ(frame->index, i) << names[i];
        EXPECT_EQ(FindFrameByIndex(i, root), frame);
        EXPECT_EQ(model.boneFrames[static_cast<size_t>(i)], frame);
    }
    EXPECT_EQ(root->childCount, 3);
    EXPECT_EQ(FindFrameByName("A", root)->children.front()->name, "A1");
    EXPECT_EQ(FindFrameByName("Body", root), nullptr);
    EXPECT_EQ(FindFrameByIndex(5, root), nullptr);
    EXPECT_EQ(model.vertexCount, 6);
    EXPECT_EQ(model.faceCount, 4);
    EXPECT_EQ(model.materialCount, 1);
    for (const Matrix4& bone : model.boneMatrices) {
        EXPECT_TRUE(Near(MatIdentity(), bone, 0.0f));
    }
    const auto& v = model.influences;
    // The A1 block is second in the file but A1 is frame 2.
    EXPECT_EQ(v[2].bone[0], 2);
    EXPECT_EQ(v[3].bone[0], 2);
    EXPECT_FLOAT_EQ(v[3].weight[0], 0.5f);
    EXPECT_EQ(v[2].bone[1], -1);
    EXPECT_FLOAT_EQ(v[2].weight[1], 0.0f);
    // Five blocks name vertex 0: the first four are kept.
    EXPECT_EQ(std::vector<int>(v[0].bone, v[0].bone + 4), (std::vector<int>{3, 2, 0, 4}));
    EXPECT_EQ(std::vector<float>(v[0].weight, v[0].weight + 4), (std::vector<float>{0.1f, 0.2f, 0.3f, 0.4f}));
    EXPECT_EQ(v[5].bone[0], 3);
    EXPECT_EQ(v[4].bone[0], -1);
    EXPECT_FLOAT_EQ(FindFrameByName("A1", root)->offsetMatrix.m[13], -1.0f);
    // A later block naming the same frame replaces its offset.
    EXPECT_FLOAT_EQ(FindFrameByName("B", root)->offsetMatrix.m[14], -2.0f);
    EXPECT_TRUE(Near(MatIdentity(), FindFrameByName("A", root)->offsetMatrix, 0.0f));
    EXPECT_EQ(model.animationSetCount, 2);
    for (int i = 0; i < 5; ++i) {
        const SkinFrame* frame = model.boneFrames[static_cast<size_t>(i)];
        ASSERT_NE(frame->tracks[0], nullptr);
        ASSERT_NE(frame->tracks[1], nullptr);
        EXPECT_EQ(frame->tracks[2], nullptr);
        const AnimationTrack& second = *frame->tracks[1];
        EXPECT_EQ(second.keyCount, 3);
        EXPECT_EQ(second.times, (std::vector<float>{0.0f, 30.0f, 60.0f}));
        EXPECT_FLOAT_EQ(second.keys[2].position.x, 4.0f);
        EXPECT_FLOAT_EQ(second.keys[2].scale.y, 1.0f);
        EXPECT_FLOAT_EQ(second.keys[2].rotation.w, 1.0f);
    }
}

TEST(SkinModelReader, IgnoresAnimationSetsPastTheThirtySecond)
{
    SampleSkin skin = TreeSkin();
    skin.sets.assign(MaxAnimationSets + 1, AnimateAll(skin, 1.0f));
    SkinModel model;
    ASSERT_TRUE(ParseSkinModel(WriteSkinText(skin), model));
    EXPECT_EQ(model.animationSetCount, MaxAnimationSets);
    EXPECT_NE(model.rootFrame->tracks[MaxAnimationSets - 1], nullptr);
}

// Limits the reader once trusted, and frames it cannot find. Each broken
// file fails and leaves the record empty.
TEST(SkinModelReader, RejectsFilesBeyondItsLimits)
{
    struct Case {
        const char* what;
        std::string text;
    };
    std::vector<Case> cases;
    const std::string good = WriteSkinText(TreeSkin());
    auto edited = [&](const char* what, const std::string& from, const std::string& to) {
        std::string text = good;
        const size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << what;
        if (at != std::string::npos) {
            text.replace(at, from.size(), to);
        }
        cases.push_back({what, text});
    };
    edited("more frames than bones", "  XSkinMeshHeader {\n   4;\n   12;\n   5;", "  XSkinMeshHeader {\n   4;\n   12;\n   4;");
    edited("bone count past the shader's table", "   12;\n   5;", "   12;\n   65;");
    edited("negative bone count", "   12;\n   5;", "   12;\n   -5;");
    edited("skin vertex index out of range", "   0,2,3;", "   0,2,6;");
    edited("negative skin vertex index", "   0,2,3;", "   0,-2,3;");
    edited("negative influence count", "\"A1\";\n   3;", "\"A1\";\n   -3;");
    edited("absurd influence count", "\"A1\";\n   3;", "\"A1\";\n   2000000000;");
    edited("frame name over 63 characters", "Frame C {", "Frame " + std::string(64, 'C') + " {");
    edited("scale keys fewer than rotation keys", "  AnimationKey {\n   1;\n   3;", "  AnimationKey {\n   1;\n   2;");
    edited("position keys more than rotation keys", "  AnimationKey {\n   2;\n   3;", "  AnimationKey {\n   2;\n   4;");
    edited("negative key count", "   0;\n   3;", "   0;\n   -3;");
    edited("no keys", "   0;\n   3;", "   0;\n   0;");
    edited("absurd key count", "   0;\n   3;", "   0;\n   99999999;");
    edited("malformed offset matrix", "0.000000,-1.000000,", "0.000000;-1.000000,");
    edited("token over its buffer", "AnimationSet Set0", std::string(400, 'x') + " AnimationSet Set0");
    edited("quad face", "3;0,1,2;", "4;0,1,2,3;");
    edited("weights for a frame that does not exist", "\"A1\";", "\"A2\";");
    edited("a set for a frame that does not exist", "{ C }", "{ D }");

    SampleSkin wide = TreeSkin();
    for (int i = 0; i < MaxFrameChildren + 1; ++i) {
        wide.frames.push_back({"Leaf" + std::to_string(i), 0});
    }
    wide.sets.clear();
    cases.push_back({"more than 24 children", WriteSkinText(wide)});

    SampleSkin deep = TreeSkin();
    deep.sets.clear();
    for (int i = 0; i < MaxSkinBones; ++i) {
        deep.frames.push_back({"Link" + std::to_string(i), static_cast<int>(deep.frames.size()) - 1});
    }
    deep.boneCount = MaxSkinBones;
    cases.push_back({"more frames than the bone table", WriteSkinText(deep)});

    for (const Case& c : cases) {
        SkinModel model;
        EXPECT_FALSE(ParseSkinModel(c.text, model)) << c.what;
        EXPECT_EQ(model.rootFrame, nullptr) << c.what;
        EXPECT_TRUE(model.vertices.empty() && model.boneMatrices.empty() && model.influences.empty()) << c.what;
    }
}

TEST(SkinModelReader, SurvivesTheFileCutAnywhere)
{
    const std::string text = WriteSkinText(TreeSkin());
    int loaded = 0;
    for (size_t length = 0; length < text.size(); length += 7) {
        SkinModel model;
        if (ParseSkinModel(std::string_view(text).substr(0, length), model)) {
            ++loaded;
            // Only a cut between animation sets can still read: every
            // earlier section is needed, and so is all of a started set.
            EXPECT_EQ(model.boneCount, 5);
            EXPECT_LE(model.animationSetCount, 2);
        }
    }
    EXPECT_LT(loaded, 100);
}
