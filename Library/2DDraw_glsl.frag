#version 120
// Sprites are never blended: texels of low alpha are cut out instead, so the
// depth buffer stays right for whatever is drawn behind them later.

uniform vec4 diffuse;
uniform sampler2D texture;
uniform int use_tex;

varying vec2 uv;

const float CutoutAlpha = 0.5;

void main()
{
    vec4 colour = use_tex == 0 ? texture2D(texture, uv) * diffuse : diffuse;
    if (colour.a < CutoutAlpha) {
        discard;
    }
    gl_FragColor = colour;
}
