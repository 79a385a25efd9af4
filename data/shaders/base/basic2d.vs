#version 330
// A screen-space quad; the fragment shader gets the 0-to-1 screen position.
uniform mat4 uProjMtx;

layout(location = 0) in vec2 aPosition;

out vec2 vScreen;

void main() {
    vScreen = aPosition;
    gl_Position = uProjMtx * vec4(aPosition, 0.0, 1.0);
}
