#version 330
// A few flat bands of colour, dithered so that the steps do not crawl.
#include "common.glsl"

void main() {
    const float kLevels = 5.0;
    vec3 color = Frame(vTexCoord);
    float dither = (Hash(gl_FragCoord.xy) - 0.5) / kLevels;
    vec3 banded = floor((color + dither) * kLevels + 0.5) / kLevels;
    fragColor = vec4(clamp(banded, 0.0, 1.0), 1.0);
}
