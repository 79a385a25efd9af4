#version 330
// The picture seen through a wall of glass tiles: each tile refracts its own
// part of the frame with a bevel at its edges.
#include "common.glsl"

uniform float uTime;

void main() {
    const float kTiles = 16.0;
    vec2 tileUv = vTexCoord * vec2(kTiles * Aspect(), kTiles);
    vec2 inTile = fract(tileUv) - 0.5;
    vec2 bevel = inTile * inTile * inTile * 0.08;
    vec2 uv = vTexCoord + bevel + inTile * 0.01 * sin(uTime);
    vec3 color = Frame(uv);
    float edge = smoothstep(0.42, 0.5, max(abs(inTile.x), abs(inTile.y)));
    fragColor = vec4(color * (1.0 - 0.35 * edge) + edge * 0.05, 1.0);
}
