#version 120
// Skinned characters without shadow lookup: the shadow pass (colour writes
// off) and the character preview.

// Enough for every character we ship; indices outside it are ignored.
const int MaxBones = 64;

uniform mat4 wvp_mat;
uniform mat4 bone_mat[MaxBones];

attribute vec4 bone_index;
attribute vec4 weight;

varying vec2 uv;
varying vec3 modelNormal;

// An unused influence slot carries index -1 and weight 0. It must never reach
// bone_mat, so anything outside 0..MaxBones-1 is skipped before indexing.
void AddBone(inout mat4 blended, inout float total, float index, float amount)
{
    if (index > -0.5 && index < float(MaxBones) - 0.5 && amount != 0.0) {
        blended += bone_mat[int(index + 0.5)] * amount;
        total += amount;
    }
}

mat4 BlendedBones()
{
    mat4 blended = mat4(0.0);
    float total = 0.0;
    AddBone(blended, total, bone_index.x, weight.x);
    AddBone(blended, total, bone_index.y, weight.y);
    AddBone(blended, total, bone_index.z, weight.z);
    AddBone(blended, total, bone_index.w, weight.w);
    // A vertex no bone holds stays where the modeller put it.
    return total > 0.0 ? blended : mat4(1.0);
}

void main()
{
    mat4 skin = BlendedBones();
    gl_Position = wvp_mat * (skin * gl_Vertex);
    uv = gl_MultiTexCoord0.xy;
    modelNormal = mat3(skin) * gl_Normal;
}
