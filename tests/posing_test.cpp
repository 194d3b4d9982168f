// Posing a skeleton from its keys, on small skeletons whose matrices are
// worked out by hand, and the weapon mount that reads the pose.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "render/posing.h"
#include "render/weapon_mount.h"
#include "tests/test_math.h"
#include "tests/x_samples.h"

namespace {

constexpr float Tolerance = 1e-5f;
const float Half = std::sqrt(0.5f);

SkinModel Parsed(const SampleSkin& skin)
{
    SkinModel model;
    EXPECT_TRUE(ParseSkinModel(WriteSkinText(skin), model));
    return model;
}

SampleMesh Triangle()
{
    SampleMesh mesh;
    mesh.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    mesh.faces = {{0, 1, 2}};
    return mesh;
}

// Root turned 90 degrees about Z and moved to x = 1; Mid 2 up and scaled
// by 2; Tip 3 along x, with an offset of 5 down.
SampleSkin ThreeBoneChain()
{
    SampleSkin skin;
    skin.mesh = Triangle();
    skin.frames = {{"Root", -1}, {"Mid", 0}, {"Tip", 1}};
    Matrix4 tipOffset;
    tipOffset.m[13] = -5.0f;
    skin.weights = {{"Root", {0}, {1.0f}, Matrix4{}}, {"Mid", {1}, {1.0f}, Matrix4{}}, {"Tip", {2}, {1.0f}, tipOffset}};
    SampleKey root;
    root.rotation = Quaternion{Half, 0.0f, 0.0f, Half};
    root.position = Vec3{1.0f, 0.0f, 0.0f};
    SampleKey mid;
    mid.scale = Vec3{2.0f, 2.0f, 2.0f};
    mid.position = Vec3{0.0f, 2.0f, 0.0f};
    SampleKey tip;
    tip.position = Vec3{3.0f, 0.0f, 0.0f};
    skin.sets = {{{"Root", {root}}, {"Mid", {mid}}, {"Tip", {tip}}}};
    return skin;
}

// Every frame moves along x by one unit per key, keys at 0, 30 and 60.
SampleSkin MarchingTree()
{
    SampleSkin skin;
    skin.mesh = Triangle();
    skin.frames = {{"Root", -1}, {"A", 0}, {"A1", 1}, {"B", 0}};
    for (const SampleFrame& frame : skin.frames) {
        skin.weights.push_back({frame.name, {0}, {0.25f}, Matrix4{}});
    }
    std::vector<SampleAnimation> set;
    for (const SampleFrame& frame : skin.frames) {
        SampleAnimation animation{frame.name, {}};
        for (int k = 0; k < 3; ++k) {
            SampleKey key;
            key.time = 30.0f * static_cast<float>(k);
            key.position.x = static_cast<float>(k);
            animation.keys.push_back(key);
        }
        set.push_back(animation);
    }
    skin.sets = {set};
    return skin;
}

}  // namespace

// Times the callers should never pass still pick a real key.
TEST(PoseKeySelection, HitsKeysExactlyBlendsBetweenThemAndClampsTimesOutsideTheTrack)
{
    SkinModel model = Parsed(MarchingTree());
    const SkinFrame* root = model.rootFrame.get();
    PoseKeyChoice choice = SelectPoseKeys(0, root, 30.0f);
    EXPECT_TRUE(choice.single);
    EXPECT_EQ(choice.keyA, 1);
    choice = SelectPoseKeys(0, root, 60.0f);
    EXPECT_TRUE(choice.single);
    EXPECT_EQ(choice.keyA, 2);
    choice = SelectPoseKeys(0, root, 45.0f);
    EXPECT_FALSE(choice.single);
    EXPECT_EQ(choice.keyA, 1);
    EXPECT_EQ(choice.keyB, 2);
    EXPECT_FLOAT_EQ(choice.t, 0.5f);
    EXPECT_EQ(SelectPoseKeys(0, root, -5.0f).keyA, 0);
    EXPECT_EQ(SelectPoseKeys(0, root, 61.0f).keyA, 2);
    EXPECT_EQ(SelectPoseKeys(0, root, std::numeric_limits<float>::quiet_NaN()).keyA, 2);
    EXPECT_TRUE(SelectPoseKeys(0, root, 1e30f).single);
    for (const int missingSet : {1, -1, MaxAnimationSets}) {
        const PoseKeyChoice choice = SelectPoseKeys(missingSet, root, 45.0f);
        EXPECT_TRUE(choice.single);
        EXPECT_EQ(choice.keyA, 0);
    }
    EXPECT_EQ(SelectPoseKeys(0, nullptr, 45.0f).keyA, 0);
}

TEST(LocalMatrix, AtAKeyIsTranslationScaleAndInverseRotationAndHalfwayBlendsThem)
{
    PoseKey key;
    key.position = Vec3{1.0f, 2.0f, 3.0f};
    key.scale = Vec3{2.0f, 3.0f, 4.0f};
    key.rotation = Quaternion{Half, 0.0f, Half, 0.0f};  // 90 degrees about Y
    // The inverse turns x to +z and z to -x; then each row is scaled.
    EXPECT_TRUE(Near(Matrix4{{0, 0, 4, 0, 0, 3, 0, 0, -2, 0, 0, 0, 1, 2, 3, 1}}, LocalMatrixAtKey(key)));

    PoseKey a;
    a.scale = Vec3{1.0f, 1.0f, 1.0f};
    PoseKey b;
    b.position = Vec3{2.0f, 4.0f, 6.0f};
    b.scale = Vec3{3.0f, 3.0f, 3.0f};
    b.rotation = Quaternion{Half, 0.0f, Half, 0.0f};
    // Halfway: position (1, 2, 3), scale 2, and 45 degrees about Y inverted.
    const float r = std::sqrt(2.0f);
    EXPECT_TRUE(Near(Matrix4{{r, 0, r, 0, 0, 2, 0, 0, -r, 0, r, 0, 1, 2, 3, 1}}, LocalMatrixBetweenKeys(a, b, 0.5f)));
    // The ends give the keys themselves.
    EXPECT_TRUE(Near(MatIdentity(), LocalMatrixBetweenKeys(a, b, 0.0f)));
}

TEST(PoseFrames, BlendsTheSameKeysInEveryFrame)
{
    SkinModel model = Parsed(MarchingTree());
    PoseSkinModel(model, 0, 0.0f);
    EXPECT_TRUE(Near(MatIdentity(), model.boneMatrices[0])) << "a rest key and no offset";
    PoseSkinModel(model, 0, 45.0f);
    // Each frame adds 1.5 along x to its parent: Root, A, A1, B.
    const float expectedX[] = {1.5f, 3.0f, 4.5f, 3.0f};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(model.boneMatrices[static_cast<size_t>(i)].m[12], expectedX[i], Tolerance) << i;
    }
    EXPECT_EQ(NextBoneSlot, 0);
}

TEST(PoseFrames, ChainsThreeBonesAsWorkedByHand)
{
    SkinModel model = Parsed(ThreeBoneChain());
    PoseSkinModel(model, 0, 0.0f);
    // Root: turn x to -y, y to x, then move by (1, 0, 0).
    EXPECT_TRUE(Near(Matrix4{{0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 1}}, model.boneMatrices[0]));
    // Mid: scaled by 2 and lifted by 2 before the root's turn.
    EXPECT_TRUE(Near(Matrix4{{0, -2, 0, 0, 2, 0, 0, 0, 0, 0, 2, 0, 3, 0, 0, 1}}, model.boneMatrices[1]));
    EXPECT_TRUE(Near(Vec3{3, -2, 0}, Point(model.boneMatrices[1], {1, 0, 0})));
    // Tip: offset (0, -5, 0), then 3 along x, then the chain above.
    EXPECT_TRUE(Near(Matrix4{{0, -2, 0, 0, 2, 0, 0, 0, 0, 0, 2, 0, -7, -6, 0, 1}}, model.boneMatrices[2]));
    EXPECT_EQ(NextBoneSlot, 0);
}

TEST(PoseFrames, FramesWithoutATrackRestAtIdentityAndAnEmptyModelIsLeftAlone)
{
    SampleSkin skin = ThreeBoneChain();
    skin.boneCount = 4;
    skin.frames.push_back({"Free", 0});
    skin.weights.push_back({"Free", {0}, {0.0f}, Matrix4{}});
    // Every set lists one animation per bone; naming Tip twice leaves Free out.
    skin.sets[0].push_back(skin.sets[0][2]);
    SkinModel model = Parsed(skin);
    PoseSkinModel(model, 0, 0.0f);
    // The free frame has no track: it sits exactly on its parent.
    EXPECT_TRUE(Near(Matrix4{{0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 1}}, model.boneMatrices[3]));
    // A set the model lacks rests every frame; only offsets remain.
    PoseSkinModel(model, 7, 12.0f);
    EXPECT_TRUE(Near(MatIdentity(), model.boneMatrices[0]));
    EXPECT_TRUE(Near(Matrix4{{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, -5, 0, 1}}, model.boneMatrices[2]));
    EXPECT_EQ(NextBoneSlot, 0);
    // A model without frames is left alone.
    SkinModel empty;
    PoseSkinModel(empty, 0, 10.0f);
    EXPECT_TRUE(empty.boneMatrices.empty());
    EXPECT_EQ(NextBoneSlot, 0);
}

TEST(WeaponMount, FollowsTheBoneOfTheLatestPose)
{
    const int slot = ModelSlotCount - 1;
    SkinModel model = Parsed(ThreeBoneChain());
    PoseSkinModel(model, 0, 0.0f);
    ASSERT_EQ(SkinModelTable[slot], nullptr);
    SkinModelTable[slot] = &model;
    const Matrix4 world = MatTranslation(10.0f, 0.0f, 0.0f);
    // The tip's own origin, without its offset: (3, -6, 0) in model space.
    EXPECT_TRUE(Near(Vec3{13, -6, 0}, Point(WeaponMountMatrix(world, slot, 2), {0, 0, 0})));
    // No such bone, or no model: the owner's world itself.
    EXPECT_TRUE(Near(Vec3{10, 0, 0}, Point(WeaponMountMatrix(world, slot, 3), {0, 0, 0})));
    EXPECT_TRUE(Near(Vec3{10, 0, 0}, Point(WeaponMountMatrix(world, slot, -1), {0, 0, 0})));
    SkinModelTable[slot] = nullptr;
    EXPECT_TRUE(Near(Vec3{10, 0, 0}, Point(WeaponMountMatrix(world, slot, 2), {0, 0, 0})));
    EXPECT_TRUE(Near(Vec3{10, 0, 0}, Point(WeaponMountMatrix(world, ModelSlotCount, 2), {0, 0, 0})));
}
