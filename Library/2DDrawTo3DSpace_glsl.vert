#version 120
// Sprites placed in the world (markers, damage numbers, grass).

uniform mat4 wvp_mat;

varying vec2 uv;

void main()
{
    gl_Position = wvp_mat * gl_Vertex;
    uv = gl_MultiTexCoord0.xy;
}
