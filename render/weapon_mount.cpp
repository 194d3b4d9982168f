#include "render/weapon_mount.h"

#include "render/skin_model.h"

Matrix4 WeaponMountMatrix(const Matrix4& world, int skinModelSlot, int bone)
{
    const SkinModel* model = SkinModelInSlot(skinModelSlot);
    if (model == nullptr || bone < 0 || bone >= static_cast<int>(model->boneFrames.size()) ||
        model->boneFrames[static_cast<size_t>(bone)] == nullptr) {
        return world;
    }
    const Matrix4& pose = model->boneMatrices[static_cast<size_t>(bone)];
    const Matrix4& offset = model->boneFrames[static_cast<size_t>(bone)]->offsetMatrix;
    return MatMultiply(MatMultiply(world, pose), MatInverse(offset));
}
