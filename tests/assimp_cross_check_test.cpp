// Every model the game ships, read by an independent importer (Assimp), must
// mean what our own readers make of it: the same triangles, vertices and
// materials, the same skeleton, skin and keys, and the same bone matrices at
// any moment of any animation.
//
// How Assimp's view maps onto ours. Its importer for this format turns
// DirectX's left-handed data into right-handed data: it negates z, reverses
// the corners of every face, flips v of the texture coordinates and turns
// the rotation keys and matrices to match. Our files are written in the
// game's right-handed axes already, so we ask Assimp to convert back to
// left-handed, which undoes exactly those steps and leaves every number as
// written; no other processing step runs (ValidateDataStructure only checks).
// Two things no flag undoes: the importer makes one mesh per material, and
// gives every face corner its own vertex. So vertex 3k + j of the mesh for
// material m is corner j of that material's k-th face, which our reader
// keeps at materials[m].triangleIndices[3k + j]. Assimp's matrices are row
// major with the translation in the fourth column: element (r, c) is our
// m[4c + r]. Its local bone transform is translation * rotation * scale;
// ours is translation * scale * rotation, which is the same matrix as long
// as a key never combines a turn with an uneven stretch, and the pose check
// holds the content to that.
#include <gtest/gtest.h>

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "render/model_slots.h"
#include "render/posing.h"
#include "render/skin_model.h"
#include "render/static_model.h"

namespace {

constexpr unsigned ImportFlags = aiProcess_ConvertToLeftHanded | aiProcess_ValidateDataStructure;
constexpr float PoseTolerance = 1e-4f;

// One shipped file as our reader and as Assimp see it.
template <class Model>
struct Read {
    std::string text;
    Model ours;
    Assimp::Importer importer;
    const aiScene* scene = nullptr;
};

template <class Model>
void Load(const char* file, bool (*parse)(std::string_view, Model&), Read<Model>& read)
{
    const std::string path = std::string(KESTRUNE_BIN_DIR) + "/" + file;
    ASSERT_TRUE(ReadWholeFile(path.c_str(), read.text) && parse(read.text, read.ours));
    read.scene = read.importer.ReadFile(path, ImportFlags);
    ASSERT_NE(read.scene, nullptr) << read.importer.GetErrorString();
    ASSERT_EQ(read.scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE, 0u);
}

// Both readers parse the same six-decimal text, each with its own number
// parser, so they may differ in the last bit of a float.
bool Near(float ours, float theirs) { return std::fabs(ours - theirs) <= 1e-5f * std::max(1.0f, std::fabs(ours)); }

void ExpectSameMatrix(const Matrix4& ours, const aiMatrix4x4& theirs, float tolerance, const std::string& what)
{
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_NEAR(ours.m[4 * c + r], theirs[r][c], tolerance) << what << " (" << r << ", " << c << ")";
        }
    }
}

// Counts, faces, corner vertices and materials: common to both model kinds.
template <class Model>
void ExpectSameMesh(const aiScene& scene, const Model& model)
{
    ASSERT_EQ(scene.mNumMaterials, static_cast<unsigned>(model.materialCount));
    unsigned faces = 0;
    std::vector<bool> used(model.vertices.size(), false);
    for (int m = 0; m < model.materialCount; ++m) {
        const ModelMaterial& ours = model.materials[m];
        aiColor4D diffuse;
        aiString texture;
        scene.mMaterials[m]->Get(AI_MATKEY_COLOR_DIFFUSE, diffuse);
        scene.mMaterials[m]->GetTexture(aiTextureType_DIFFUSE, 0, &texture);
        EXPECT_TRUE(Near(ours.diffuse[0], diffuse.r) && Near(ours.diffuse[1], diffuse.g) &&
                    Near(ours.diffuse[2], diffuse.b) && Near(ours.diffuse[3], diffuse.a))
            << "material " << m;
        EXPECT_EQ(ours.texturePath, texture.C_Str()) << "material " << m;

        const aiMesh* mesh = nullptr;
        for (unsigned i = 0; i < scene.mNumMeshes; ++i) {
            mesh = scene.mMeshes[i]->mMaterialIndex == static_cast<unsigned>(m) ? scene.mMeshes[i] : mesh;
        }
        const unsigned triangles = mesh == nullptr ? 0 : mesh->mNumFaces;
        ASSERT_EQ(triangles, static_cast<unsigned>(ours.triangleCount)) << "material " << m;
        faces += triangles;
        for (unsigned corner = 0; corner < 3 * triangles; ++corner) {
            ASSERT_EQ(mesh->mFaces[corner / 3].mIndices[corner % 3], corner);
            const uint16_t index = ours.triangleIndices[corner];
            const ModelVertex& v = model.vertices[index];
            const aiVector3D& p = mesh->mVertices[corner];
            const aiVector3D& n = mesh->mNormals[corner];
            const aiVector3D& uv = mesh->mTextureCoords[0][corner];
            ASSERT_TRUE(Near(v.x, p.x) && Near(v.y, p.y) && Near(v.z, p.z) && Near(v.nx, n.x) && Near(v.ny, n.y) &&
                        Near(v.nz, n.z) && Near(v.s, uv.x) && Near(v.t, uv.y))
                << "material " << m << " corner " << corner << " (our vertex " << index << ")";
            used[index] = true;
        }
    }
    EXPECT_EQ(faces, static_cast<unsigned>(model.faceCount));
    // Assimp sees a vertex only through the faces that use it.
    EXPECT_EQ(std::count(used.begin(), used.end(), true), model.vertexCount) << "vertices no face uses";
}

TEST(AssimpCrossCheck, EveryModelAgreesOnTrianglesVerticesAndMaterials)
{
    for (const char* file : StaticModelFiles) {
        SCOPED_TRACE(file);
        Read<StaticModel> read;
        ASSERT_NO_FATAL_FAILURE(Load(file, ParseStaticModel, read));
        ExpectSameMesh(*read.scene, read.ours);
    }
    for (const char* file : SkinModelFiles) {
        SCOPED_TRACE(file);
        Read<SkinModel> read;
        ASSERT_NO_FATAL_FAILURE(Load(file, ParseSkinModel, read));
        ExpectSameMesh(*read.scene, read.ours);
    }
}

void DepthFirstNames(const aiNode* node, std::vector<std::string>& names)
{
    names.push_back(node->mName.C_Str());
    for (unsigned i = 0; i < node->mNumChildren; ++i) {
        DepthFirstNames(node->mChildren[i], names);
    }
}

TEST(AssimpCrossCheck, CharactersAgreeOnSkeletonSkinAndKeys)
{
    for (const char* file : SkinModelFiles) {
        SCOPED_TRACE(file);
        Read<SkinModel> read;
        ASSERT_NO_FATAL_FAILURE(Load(file, ParseSkinModel, read));
        const SkinModel& ours = read.ours;
        const aiScene& scene = *read.scene;

        // The bone hierarchy: the same frames in the same depth-first order.
        std::vector<std::string> names;
        const aiNode* root = scene.mRootNode->FindNode(ours.rootFrame->name.c_str());
        ASSERT_NE(root, nullptr);
        DepthFirstNames(root, names);
        ASSERT_EQ(names.size(), static_cast<size_t>(ours.frameCount));
        for (int i = 0; i < ours.frameCount; ++i) {
            EXPECT_EQ(names[i], ours.boneFrames[i]->name) << "frame " << i;
        }

        // Bones: offsets and weights, every corner traced back to our vertex.
        // Assimp keeps only weights above 0, so a frame that moves no vertex
        // is no bone to it.
        std::set<std::string> bones;
        std::set<std::string> weighted;
        for (unsigned m = 0; m < scene.mNumMeshes; ++m) {
            const aiMesh& mesh = *scene.mMeshes[m];
            const std::vector<uint16_t>& corners = ours.materials[mesh.mMaterialIndex].triangleIndices;
            std::vector<int> weightsPerCorner(mesh.mNumVertices, 0);
            for (unsigned b = 0; b < mesh.mNumBones; ++b) {
                const aiBone& bone = *mesh.mBones[b];
                bones.insert(bone.mName.C_Str());
                const SkinFrame* frame = FindFrameByName(bone.mName.C_Str(), ours.rootFrame.get());
                ASSERT_NE(frame, nullptr) << bone.mName.C_Str();
                ExpectSameMatrix(frame->offsetMatrix, bone.mOffsetMatrix, 1e-5f, frame->name);
                for (unsigned w = 0; w < bone.mNumWeights; ++w) {
                    const VertexInfluence& influence = ours.influences[corners[bone.mWeights[w].mVertexId]];
                    const int* slot = std::find(influence.bone, influence.bone + MaxInfluences, frame->index);
                    ASSERT_NE(slot, influence.bone + MaxInfluences) << frame->name << " misses a vertex";
                    EXPECT_TRUE(Near(influence.weight[slot - influence.bone], bone.mWeights[w].mWeight));
                    ++weightsPerCorner[bone.mWeights[w].mVertexId];
                }
            }
            for (unsigned corner = 0; corner < mesh.mNumVertices; ++corner) {
                const VertexInfluence& influence = ours.influences[corners[corner]];
                int moving = 0;
                for (int k = 0; k < MaxInfluences; ++k) {
                    if (influence.weight[k] > 0.0f) {
                        weighted.insert(ours.boneFrames[influence.bone[k]]->name);
                        ++moving;
                    }
                }
                EXPECT_EQ(weightsPerCorner[corner], moving) << "our vertex " << corners[corner];
            }
        }
        EXPECT_EQ(bones, weighted);

        // Animation sets: names as written, one channel per frame, same keys.
        ASSERT_EQ(scene.mNumAnimations, static_cast<unsigned>(ours.animationSetCount));
        XReader tokens(read.text);
        for (unsigned set = 0; set < scene.mNumAnimations; ++set) {
            const aiAnimation& animation = *scene.mAnimations[set];
            std::string_view name;
            ASSERT_TRUE(tokens.FindToken("AnimationSet") && tokens.ReadToken(name));
            EXPECT_EQ(name, animation.mName.C_Str());
            ASSERT_EQ(animation.mNumChannels, static_cast<unsigned>(ours.frameCount)) << name;
            for (unsigned c = 0; c < animation.mNumChannels; ++c) {
                const aiNodeAnim& channel = *animation.mChannels[c];
                const SkinFrame* frame = FindFrameByName(channel.mNodeName.C_Str(), ours.rootFrame.get());
                ASSERT_TRUE(frame != nullptr && frame->tracks[set] != nullptr) << channel.mNodeName.C_Str();
                const AnimationTrack& track = *frame->tracks[set];
                ASSERT_EQ(channel.mNumRotationKeys, static_cast<unsigned>(track.keyCount)) << frame->name;
                EXPECT_EQ(channel.mNumScalingKeys, channel.mNumRotationKeys) << frame->name;
                EXPECT_EQ(channel.mNumPositionKeys, channel.mNumRotationKeys) << frame->name;
                for (int k = 0; k < track.keyCount; ++k) {
                    EXPECT_EQ(channel.mRotationKeys[k].mTime, track.times[k]) << frame->name;
                }
            }
        }
    }
}

// Assimp's local transform of an animated node: keys blended linearly, the
// rotation by its own slerp, then scaling, rotation and translation applied
// in that order, as its animation channels are defined.
aiMatrix4x4 LocalAt(const aiNodeAnim& channel, double time)
{
    unsigned a = 0;
    while (a + 1 < channel.mNumRotationKeys && channel.mRotationKeys[a + 1].mTime <= time) {
        ++a;
    }
    const unsigned b = std::min(a + 1, channel.mNumRotationKeys - 1);
    const double span = channel.mRotationKeys[b].mTime - channel.mRotationKeys[a].mTime;
    const float t = span > 0.0 ? static_cast<float>((time - channel.mRotationKeys[a].mTime) / span) : 0.0f;
    aiQuaternion rotation;
    aiQuaternion::Interpolate(rotation, channel.mRotationKeys[a].mValue, channel.mRotationKeys[b].mValue, t);
    const aiVectorKey* scale = channel.mScalingKeys;
    const aiVectorKey* position = channel.mPositionKeys;
    aiMatrix4x4 translation;
    aiMatrix4x4 scaling;
    aiMatrix4x4::Translation(position[a].mValue + (position[b].mValue - position[a].mValue) * t, translation);
    aiMatrix4x4::Scaling(scale[a].mValue + (scale[b].mValue - scale[a].mValue) * t, scaling);
    return translation * aiMatrix4x4(rotation.Normalize().GetMatrix()) * scaling;
}

// Every node's model-space transform at a time, and that of the node that
// holds the mesh: bones move the mesh within its own node's space.
struct NodePose {
    std::map<std::string, aiMatrix4x4> global;
    aiMatrix4x4 meshNode;
};

void PoseNodes(const aiNode* node, const aiMatrix4x4& parent, const aiAnimation& animation, double time,
               NodePose& pose)
{
    aiMatrix4x4 local = node->mTransformation;
    for (unsigned c = 0; c < animation.mNumChannels; ++c) {
        if (animation.mChannels[c]->mNodeName == node->mName) {
            local = LocalAt(*animation.mChannels[c], time);
        }
    }
    const aiMatrix4x4 global = parent * local;
    pose.global[node->mName.C_Str()] = global;
    pose.meshNode = node->mNumMeshes > 0 ? global : pose.meshNode;
    for (unsigned i = 0; i < node->mNumChildren; ++i) {
        PoseNodes(node->mChildren[i], global, animation, time, pose);
    }
}

TEST(AssimpCrossCheck, CharactersPoseTheSameBoneMatricesAtAnyTime)
{
    // On keys, between keys, and at both ends of every set.
    const float times[] = {0.0f, 2.5f, 13.75f, 30.0f, 41.2f, 57.5f, 60.0f};
    for (const char* file : SkinModelFiles) {
        SCOPED_TRACE(file);
        Read<SkinModel> read;
        ASSERT_NO_FATAL_FAILURE(Load(file, ParseSkinModel, read));
        SkinModel& ours = read.ours;
        const aiScene& scene = *read.scene;
        // A frame that moves no vertex has no bone, and so no offset, in
        // Assimp's scene; its node chain is still compared, with our offset.
        std::map<std::string, aiMatrix4x4> offsets;
        for (int i = 0; i < ours.frameCount; ++i) {
            const float* m = ours.boneFrames[i]->offsetMatrix.m;
            offsets[ours.boneFrames[i]->name] = aiMatrix4x4(m[0], m[4], m[8], m[12], m[1], m[5], m[9], m[13], m[2],
                                                            m[6], m[10], m[14], m[3], m[7], m[11], m[15]);
        }
        for (unsigned m = 0; m < scene.mNumMeshes; ++m) {
            for (unsigned b = 0; b < scene.mMeshes[m]->mNumBones; ++b) {
                offsets[scene.mMeshes[m]->mBones[b]->mName.C_Str()] = scene.mMeshes[m]->mBones[b]->mOffsetMatrix;
            }
        }
        for (unsigned set = 0; set < scene.mNumAnimations; ++set) {
            for (const float time : times) {
                PoseSkinModel(ours, static_cast<int>(set), time);
                NodePose pose;
                PoseNodes(scene.mRootNode, aiMatrix4x4(), *scene.mAnimations[set], time, pose);
                const aiMatrix4x4 meshSpace = pose.meshNode.Inverse();
                for (int i = 0; i < ours.frameCount; ++i) {
                    const std::string& name = ours.boneFrames[i]->name;
                    ExpectSameMatrix(ours.boneMatrices[i], meshSpace * pose.global[name] * offsets[name], PoseTolerance,
                                     name + " in set " + std::to_string(set) + " at " + std::to_string(time));
                }
            }
        }
    }
}

}  // namespace
