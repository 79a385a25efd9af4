#version 330
// The horizontal half of a separable Gaussian blur, uBlurSize wide.
#include "common.glsl"

uniform float uBlurSize;

void main() {
    fragColor = vec4(GaussianBlur(vTexCoord, vec2(1.0, 0.0), uBlurSize), 1.0);
}
