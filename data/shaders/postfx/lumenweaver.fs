#version 330
// The production's look: the bright parts bloom softly and the picture is
// woven into a cool green-gold tint, with the shadows kept deep.
#include "common.glsl"

uniform float uTime;

vec3 Bright(vec2 uv) {
    vec3 c = Frame(uv);
    return c * smoothstep(0.45, 0.9, Luma(c));
}

void main() {
    vec3 base = Frame(vTexCoord);
    vec2 texel = Texel();
    vec3 bloom = vec3(0.0);
    float total = 0.0;
    for (int ring = 1; ring <= 3; ++ring) {
        float radius = float(ring) * 4.0;
        for (int k = 0; k < 8; ++k) {
            float a = float(k) * 0.785398 + float(ring) * 0.4;
            float w = 1.0 / float(ring);
            bloom += Bright(vTexCoord + vec2(cos(a), sin(a)) * texel * radius) * w;
            total += w;
        }
    }
    bloom /= total;
    float l = Luma(base);
    vec3 tint = mix(vec3(0.05, 0.16, 0.12), vec3(1.0, 0.93, 0.72), smoothstep(0.0, 1.0, l));
    vec3 woven = mix(base, tint * (0.6 + 0.6 * l), 0.35);
    float shimmer = 0.03 * sin(uTime * 1.7 + vTexCoord.y * 40.0);
    fragColor = vec4(woven + bloom * (1.2 + shimmer), 1.0);
}
