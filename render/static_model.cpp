#include "render/static_model.h"

StaticModel* StaticModelTable[ModelSlotCount] = {};
uint8_t StaticModelPerScene[ModelSlotCount] = {};

const Matrix4 ShadowBias = {{0.5f, 0.0f, 0.0f, 0.0f, 0.0f, 0.5f, 0.0f, 0.0f, 0.0f, 0.0f, 0.5f, 0.0f,
                             0.5f, 0.5f, 0.5f, 1.0f}};

bool ParseStaticModel(std::string_view text, StaticModel& model)
{
    model = StaticModel{};
    XReader reader(text);
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
    return true;
}

StaticModel* StaticModelInSlot(int slot)
{
    if (slot < 0 || slot >= ModelSlotCount) {
        return nullptr;
    }
    return StaticModelTable[slot];
}
