#include "objects/stage_geometry.h"

#include <cstddef>  // Required for: offsetof

#include "render/static_model.h"  // Required for: StaticModelInSlot, ModelVertex

MeshView StaticModelMesh(int slot)
{
    MeshView mesh;
    const StaticModel* model = StaticModelInSlot(slot);
    if (model == nullptr || model->vertices.empty() || model->faceIndices.empty()) {
        return mesh;
    }
    mesh.positions = reinterpret_cast<const unsigned char*>(model->vertices.data()) + offsetof(ModelVertex, x);
    mesh.strideBytes = sizeof(ModelVertex);
    mesh.vertexCount = static_cast<int>(model->vertices.size());
    mesh.indices = model->faceIndices.data();
    mesh.faceCount = static_cast<int>(model->faceIndices.size() / 3);
    return mesh;
}
