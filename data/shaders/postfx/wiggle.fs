#version 330
// Rows and columns sway on sine waves, as if seen through moving water.
#include "common.glsl"

uniform float uTime;

void main() {
    vec2 offset = vec2(sin(vTexCoord.y * 30.0 + uTime * 3.0), cos(vTexCoord.x * 24.0 + uTime * 2.3)) * 0.006;
    fragColor = vec4(Frame(vTexCoord + offset), 1.0);
}
