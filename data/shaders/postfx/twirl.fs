#version 330
// The middle of the picture turned like a whirlpool, more near the centre.
#include "common.glsl"

uniform float uTime;

void main() {
    vec2 centred = vTexCoord - 0.5;
    centred.x *= Aspect();
    float radius = length(centred);
    float reach = 0.6;
    float turn = 2.5 * sin(uTime * 0.7) * smoothstep(reach, 0.0, radius);
    float s = sin(turn);
    float c = cos(turn);
    vec2 turned = mat2(c, -s, s, c) * centred;
    turned.x /= Aspect();
    fragColor = vec4(Frame(turned + 0.5), 1.0);
}
