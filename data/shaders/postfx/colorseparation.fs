#version 330
// Red and blue pulled apart from green, more towards the edges.
#include "common.glsl"

uniform float uTime;

void main() {
    vec2 fromCentre = vTexCoord - 0.5;
    vec2 shift = fromCentre * (0.012 + 0.006 * sin(uTime * 2.0));
    float r = Frame(vTexCoord + shift).r;
    float g = Frame(vTexCoord).g;
    float b = Frame(vTexCoord - shift).b;
    fragColor = vec4(r, g, b, 1.0);
}
