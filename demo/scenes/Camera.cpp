#include "demo/scenes/Camera.h"

Camera::Camera() {
    BuildProjection();
    UpdateView();
}

void Camera::SetPerspective(float verticalFovDegrees, float aspectRatio, float nearDistance, float farDistance) {
    projectionType = kPerspectiveProjection;
    fieldOfView = verticalFovDegrees;
    aspect = aspectRatio;
    nearPlane = nearDistance;
    farPlane = farDistance;
    BuildProjection();
}

void Camera::SetOrthographic(float nearDistance, float farDistance) {
    projectionType = kOrthographicProjection;
    fieldOfView = 0.0f;
    aspect = 0.0f;
    nearPlane = nearDistance;
    farPlane = farDistance;
    BuildProjection();
}

void Camera::LookAt(const Vector3& eye, const Vector3& target, const Vector3& up) {
    position = eye;
    orientation = MatrixToQuaternion(::LookAt(eye, target, up));
}

void Camera::BuildProjection() {
    if (projectionType == kPerspectiveProjection)
        projection = Perspective(fieldOfView, aspect, nearPlane, farPlane);
    else
        projection = Orthographic(0.0f, 1.0f, 0.0f, 1.0f, nearPlane, farPlane);
}

void Camera::UpdateView() {
    Matrix4 translation = kIdentityMatrix;
    translation.m[12] = -position.x;
    translation.m[13] = -position.y;
    translation.m[14] = -position.z;
    view = Multiply(QuaternionToMatrix(orientation), translation);
}
