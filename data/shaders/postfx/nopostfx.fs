#version 330
// The frame as it is.
#include "common.glsl"

void main() {
    fragColor = vec4(Frame(vTexCoord), 1.0);
}
