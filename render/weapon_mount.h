// Where a weapon held by a skinned character goes: the world transform of one
// of its bones in the pose of the character's latest draw. The player, the
// enemies, the weapons and the character select screen all place weapons this
// way.
#pragma once

#include "math/vector_math.h"

// The hand bone of every character model we ship.
inline constexpr int HandBone = 12;

// world * boneMatrices[bone] * inverse(offset matrix of that bone's frame).
// Returns world itself when the slot is empty or the model has no such bone,
// so a missing model never sends a weapon to garbage.
Matrix4 WeaponMountMatrix(const Matrix4& world, int skinModelSlot, int bone);
