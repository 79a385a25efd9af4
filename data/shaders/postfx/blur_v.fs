#version 330
// The vertical half of a separable Gaussian blur, uBlurSize high (scaled by
// the aspect, so the blur is round on screen).
#include "common.glsl"

uniform float uBlurSize;

void main() {
    fragColor = vec4(GaussianBlur(vTexCoord, vec2(0.0, 1.0), uBlurSize * Aspect()), 1.0);
}
