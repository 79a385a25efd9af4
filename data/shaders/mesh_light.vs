#version 330 compatibility
// The mesh in view space, where the light is shaded.
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec3 aNormal;

uniform mat4 uProjectionMatrix;
uniform mat4 uModelViewMatrix;
uniform mat4 uNormalMatrix;

out vec3 vViewPosition;
out vec3 vViewNormal;

void main() {
    vec4 viewPosition = uModelViewMatrix * vec4(aPosition, 1.0);
    vViewPosition = viewPosition.xyz;
    vViewNormal = mat3(uNormalMatrix) * aNormal;
    gl_Position = uProjectionMatrix * viewPosition;
}
