#version 120
// Rigid meshes without shadow lookup: the shadow pass and plain draws.

uniform mat4 wvp_mat;

varying vec2 uv;
varying vec3 modelNormal;

void main()
{
    gl_Position = wvp_mat * gl_Vertex;
    uv = gl_MultiTexCoord0.xy;
    modelNormal = gl_Normal;
}
