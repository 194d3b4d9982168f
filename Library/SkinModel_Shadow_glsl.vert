#version 120
// Skinned characters in the main pass, lit by the light and receiving shadow.
// Texture matrix 0 holds the light's clip transform of this draw.

const int MaxBones = 64;

uniform mat4 wvp_mat;
uniform mat4 w_mat;
uniform mat4 to_tex_space;
uniform mat4 bone_mat[MaxBones];

attribute vec4 bone_index;
attribute vec4 weight;

varying vec2 uv;
varying vec3 worldNormal;
varying vec4 shadowCoord;

// Unused influence slots (index -1, weight 0) never index bone_mat.
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
    return total > 0.0 ? blended : mat4(1.0);
}

void main()
{
    mat4 skin = BlendedBones();
    vec4 posed = skin * gl_Vertex;
    gl_Position = wvp_mat * posed;
    shadowCoord = to_tex_space * (gl_TextureMatrix[0] * posed);
    uv = gl_MultiTexCoord0.xy;
    worldNormal = mat3(w_mat) * (mat3(skin) * gl_Normal);
}
