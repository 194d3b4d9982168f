#include "tools/character_parts.h"

void AddLimb(Mesh& mesh, const Skeleton& s, int bone, V3 end, float r0, float r1, int material)
{
    const V3 start = JointOf(s, bone);
    AddTube(mesh, start, end, r0, r1, PartSegments, material, Blended(bone, s.bones[bone].parent, start, end, 0.08f));
}
