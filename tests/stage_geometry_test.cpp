// The static model triangles that the collision tests read.
#include <gtest/gtest.h>

#include "objects/stage_geometry.h"
#include "render/static_model.h"

namespace {

constexpr int TestSlot = 29;

TEST(StaticModelMesh, ReadsTheModelsTrianglesAndNothingFromAnEmptySlot)
{
    ASSERT_EQ(StaticModelTable[TestSlot], nullptr);
    MeshHit hit;
    EXPECT_EQ(StaticModelMesh(TestSlot).faceCount, 0);
    EXPECT_EQ(StaticModelMesh(-1).faceCount, 0);
    EXPECT_EQ(StaticModelMesh(500).faceCount, 0);
    EXPECT_FALSE(RayHitsMesh({0.0f, -1.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, StaticModelMesh(TestSlot), MatIdentity(), hit));

    // One upward-facing triangle at height 0.5, with texture and normal data
    // around each position that must not be taken for it.
    auto* model = new StaticModel();
    const float corners[3][3] = {{-1.0f, 0.5f, -1.0f}, {0.0f, 0.5f, 2.0f}, {2.0f, 0.5f, -1.0f}};
    for (const auto& corner : corners) {
        ModelVertex vertex;
        vertex.s = 9.0f;
        vertex.nx = 9.0f;
        vertex.x = corner[0];
        vertex.y = corner[1];
        vertex.z = corner[2];
        model->vertices.push_back(vertex);
    }
    model->vertexCount = 3;
    model->faceIndices = {0, 1, 2};
    model->faceCount = 1;
    StaticModelTable[TestSlot] = model;

    const MeshView mesh = StaticModelMesh(TestSlot);
    EXPECT_EQ(mesh.faceCount, 1);
    EXPECT_EQ(mesh.vertexCount, 3);
    EXPECT_TRUE(RayHitsMesh({0.0f, -2.0f, 0.0f}, {0.0f, 3.0f, 0.0f}, mesh, MatTranslation(0.0f, 1.0f, 0.0f), hit));
    EXPECT_NEAR(hit.t, 0.75f, 1e-5f);
    EXPECT_NEAR(hit.point.y, 1.5f, 1e-5f);
    EXPECT_NEAR(hit.normal.y, 1.0f, 1e-5f);

    delete model;
    StaticModelTable[TestSlot] = nullptr;
}

}  // namespace
