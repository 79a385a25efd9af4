#version 330
// A zoom blur streaking outwards from the centre.
#include "common.glsl"

uniform float uBlurSize;

void main() {
    vec2 toCentre = vec2(0.5) - vTexCoord;
    float strength = uBlurSize > 0.0 ? uBlurSize : 0.15;
    vec3 sum = vec3(0.0);
    const int kTaps = 16;
    for (int i = 0; i < kTaps; ++i) {
        float t = float(i) / float(kTaps);
        sum += Frame(vTexCoord + toCentre * t * strength);
    }
    fragColor = vec4(sum / float(kTaps), 1.0);
}
