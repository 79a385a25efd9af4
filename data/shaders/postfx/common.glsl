// Shared by the full-screen effects: the frame, its coordinates and helpers.
uniform sampler2D uDiffuseTexture;

in vec2 vTexCoord;

out vec4 fragColor;

vec3 Frame(vec2 uv) {
    return texture(uDiffuseTexture, clamp(uv, 0.0, 1.0)).rgb;
}

// One texel in texture coordinates.
vec2 Texel() {
    return 1.0 / vec2(textureSize(uDiffuseTexture, 0));
}

// Width over height of the frame.
float Aspect() {
    vec2 size = vec2(textureSize(uDiffuseTexture, 0));
    return size.x / size.y;
}

float Luma(vec3 color) {
    return dot(color, vec3(0.2126, 0.7152, 0.0722));
}

float Hash(vec2 p) {
    return fract(sin(dot(p, vec2(12.9898, 78.233))) * 43758.5453);
}

// Nine taps of a Gaussian along a direction; size is the reach in texture
// coordinates of the outermost tap.
vec3 GaussianBlur(vec2 uv, vec2 direction, float size) {
    const float weights[5] = float[](0.2270270, 0.1945946, 0.1216216, 0.0540541, 0.0162162);
    vec2 step = direction * size * 0.25;
    vec3 sum = Frame(uv) * weights[0];
    for (int i = 1; i < 5; ++i) {
        sum += Frame(uv + step * float(i)) * weights[i];
        sum += Frame(uv - step * float(i)) * weights[i];
    }
    return sum;
}
