#version 120
// Skinned characters without shadow lookup. There is no light here, so a
// fixed key light from above and in front keeps the preview from looking flat.

uniform vec4 diffuse;
uniform sampler2D texture;
uniform int use_tex;

varying vec2 uv;
varying vec3 modelNormal;

const vec3 KeyLight = vec3(0.3, 0.8, 0.52);
const float Ambient = 0.55;
const float KeyStrength = 0.5;
const float CutoutAlpha = 0.5;

void main()
{
    vec4 base = use_tex == 0 ? texture2D(texture, uv) * diffuse : diffuse;
    if (base.a < CutoutAlpha) {
        discard;
    }
    float facing = max(dot(normalize(modelNormal), normalize(KeyLight)), 0.0);
    gl_FragColor = vec4(min(base.rgb * (Ambient + KeyStrength * facing), vec3(1.0)), base.a);
}
