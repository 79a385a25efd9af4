#version 330
// The last pass of every frame: a faint vignette and film grain that moves
// with the time, then the demo-wide fade to black and flash to white.
#include "common.glsl"

uniform float uTime;
uniform float uFlash;
uniform float uFade;
// How dark the corners go; a sync track may key it to the music.
uniform float sync_vignette = 0.35;

void main() {
    vec3 color = Frame(vTexCoord);
    vec2 centred = vTexCoord - 0.5;
    float vignette = 1.0 - sync_vignette * dot(centred, centred) * 2.0;
    color *= vignette;
    float grain = Hash(vTexCoord * 977.0 + fract(uTime * 13.7)) - 0.5;
    color += grain * 0.025;
    color = mix(color, vec3(1.0), clamp(uFlash, 0.0, 1.0));
    color *= clamp(uFade, 0.0, 1.0);
    fragColor = vec4(color, 1.0);
}
