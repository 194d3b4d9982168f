#version 120
// Sprites are never blended: texels of low alpha are cut out instead, so the
// depth buffer stays right for whatever is drawn behind them later. The cut
// is the alpha test the sprite draws switch on (render/sprite.cpp), not a
// discard here, so that sprites of opaque art can draw without it.

uniform vec4 diffuse;
uniform sampler2D texture;
uniform int use_tex;

varying vec2 uv;

void main()
{
    gl_FragColor = use_tex == 0 ? texture2D(texture, uv) * diffuse : diffuse;
}
