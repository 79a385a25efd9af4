#version 330
// A screen-space shape with a colour per vertex.
uniform mat4 uProjMtx;

layout(location = 0) in vec2 aPosition;
layout(location = 1) in vec4 aColor;

out vec4 vColor;

void main() {
    vColor = aColor;
    gl_Position = uProjMtx * vec4(aPosition, 0.0, 1.0);
}
