#version 330
// A screen-space quad with texture coordinates.
uniform mat4 uProjMtx;

layout(location = 0) in vec2 aPosition;
layout(location = 1) in vec2 aTexCoord;

out vec2 vTexCoord;

void main() {
    vTexCoord = aTexCoord;
    gl_Position = uProjMtx * vec4(aPosition, 0.0, 1.0);
}
