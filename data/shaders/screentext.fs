#version 330 compatibility
// A text card, dimmed by its fade; the scene adds it onto the picture.
uniform sampler2D uDiffuseTexture;
uniform float uFade;

in vec2 vTexCoord;

out vec4 fragColor;

void main() {
    vec4 card = texture(uDiffuseTexture, vTexCoord);
    fragColor = vec4(card.rgb * uFade, card.a);
}
