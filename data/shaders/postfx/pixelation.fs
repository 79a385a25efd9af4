#version 330
// Big square pixels, their size swelling with time.
#include "common.glsl"

uniform float uTime;

void main() {
    float cells = mix(48.0, 160.0, 0.5 + 0.5 * cos(uTime * 0.8));
    vec2 grid = vec2(cells * Aspect(), cells);
    vec2 uv = (floor(vTexCoord * grid) + 0.5) / grid;
    fragColor = vec4(Frame(uv), 1.0);
}
