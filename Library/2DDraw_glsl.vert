#version 120
// Screen sprites: positions in window pixels, mapped to clip space by proj.

uniform mat4 proj;

varying vec2 uv;

void main()
{
    gl_Position = proj * gl_Vertex;
    uv = gl_MultiTexCoord0.xy;
}
