#version 120
// Lit, shadowed surface: ambient plus a diffuse term from light_dir, the
// diffuse term removed where the shadow map says something nearer the light
// covers this point.

uniform vec3 light_dir;
uniform vec4 diffuse;
uniform sampler2D texture;
uniform sampler2D depth_tex;
uniform int use_tex;

varying vec2 uv;
varying vec3 worldNormal;
varying vec4 shadowCoord;

const float Ambient = 0.45;
const float LightStrength = 0.7;
// Window depth is strongly non-linear; this is a fraction of a unit at the
// light's usual distance, enough to hide rounding without detaching shadows.
const float DepthOffset = 0.0002;
const float CutoutAlpha = 0.5;

// 1 when the light reaches this point, 0 in shadow. Points the light's view
// does not cover are lit: there is nothing known to block them.
float LightReaches()
{
    if (shadowCoord.w <= 0.0) {
        return 1.0;
    }
    vec3 coord = shadowCoord.xyz / shadowCoord.w;
    if (coord.x < 0.0 || coord.x > 1.0 || coord.y < 0.0 || coord.y > 1.0 || coord.z > 1.0) {
        return 1.0;
    }
    float nearest = texture2D(depth_tex, coord.xy).r;
    return coord.z - DepthOffset > nearest ? 0.0 : 1.0;
}

void main()
{
    vec4 base = use_tex == 0 ? texture2D(texture, uv) * diffuse : diffuse;
    if (base.a < CutoutAlpha) {
        discard;
    }
    float facing = max(dot(normalize(worldNormal), normalize(light_dir)), 0.0);
    float light = Ambient + LightStrength * facing * LightReaches();
    gl_FragColor = vec4(min(base.rgb * light, vec3(1.0)), base.a);
}
