#version 330
// A barrel lens: the picture bulges from the centre, corners darkened.
#include "common.glsl"

void main() {
    vec2 centred = vTexCoord - 0.5;
    centred.x *= Aspect();
    float r2 = dot(centred, centred);
    vec2 distorted = centred * (1.0 + 0.18 * r2 + 0.06 * r2 * r2);
    distorted.x /= Aspect();
    vec2 uv = distorted * 0.9 + 0.5;
    vec3 color = Frame(uv);
    float outside = step(0.0, uv.x) * step(uv.x, 1.0) * step(0.0, uv.y) * step(uv.y, 1.0);
    fragColor = vec4(color * outside * (1.0 - 0.3 * r2), 1.0);
}
