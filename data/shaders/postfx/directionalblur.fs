#version 330
// Motion blur along one direction (uDirection, or a slow sweep by default).
#include "common.glsl"

uniform float uTime;
uniform float uBlurSize;

void main() {
    float angle = uTime * 0.5;
    vec2 direction = vec2(cos(angle), sin(angle) * Aspect());
    float reach = uBlurSize > 0.0 ? uBlurSize : 0.02;
    vec3 sum = vec3(0.0);
    const int kTaps = 12;
    for (int i = 0; i < kTaps; ++i) {
        float t = float(i) / float(kTaps - 1) - 0.5;
        sum += Frame(vTexCoord + direction * reach * t);
    }
    fragColor = vec4(sum / float(kTaps), 1.0);
}
