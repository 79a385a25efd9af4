#version 330 compatibility
// One instance per box: the cube corner and face normal per vertex, the box's
// model matrix, its view-space normal matrix and its colour per instance.
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in mat4 aModelMatrix;
layout(location = 6) in mat4 aNormalMatrix;
layout(location = 10) in vec4 aColor;

uniform mat4 uProjectionMatrix;
uniform mat4 uViewMatrix;

out vec3 vViewPosition;
out vec3 vViewNormal;
out vec4 vColor;
// The corner in box units (half sizes applied) and the half size, so that the
// fragment shader can find the face edges at a constant width.
out vec3 vBoxPosition;
out vec3 vHalfSize;
out vec3 vFaceNormal;

void main() {
    vec4 viewPosition = uViewMatrix * (aModelMatrix * vec4(aPosition, 1.0));
    vHalfSize = vec3(length(aModelMatrix[0].xyz), length(aModelMatrix[1].xyz), length(aModelMatrix[2].xyz));
    vBoxPosition = aPosition * vHalfSize;
    vFaceNormal = aNormal;
    vViewPosition = viewPosition.xyz;
    vViewNormal = mat3(aNormalMatrix) * aNormal;
    vColor = aColor;
    gl_Position = uProjectionMatrix * viewPosition;
}
