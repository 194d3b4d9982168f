#version 120
// Rigid meshes in the main pass, lit by the light and receiving shadow.
// Texture matrix 0 holds the light's clip transform of this draw.

uniform mat4 wvp_mat;
uniform mat4 w_mat;
uniform mat4 to_tex_space;

varying vec2 uv;
varying vec3 worldNormal;
varying vec4 shadowCoord;

void main()
{
    gl_Position = wvp_mat * gl_Vertex;
    shadowCoord = to_tex_space * (gl_TextureMatrix[0] * gl_Vertex);
    uv = gl_MultiTexCoord0.xy;
    worldNormal = mat3(w_mat) * gl_Normal;
}
