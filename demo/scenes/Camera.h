#pragma once

#include "engine/core/Matrix4.h"
#include "engine/core/Quaternion.h"
#include "engine/core/Vector3.h"

#include <cstdint>

constexpr int32_t kPerspectiveProjection = 1;
// Any other projection type is orthographic over the 0-to-1 screen space.
constexpr int32_t kOrthographicProjection = 0;

// A viewpoint and its lens. The fields are public because scenes steer them
// directly; the matrices follow only when BuildProjection and UpdateView run,
// which users do before every draw.
class Camera {
public:
    // Perspective, 45 degrees, 4:3, 0.1 to 1000, at the origin looking down -z.
    Camera();

    void SetPerspective(float verticalFovDegrees, float aspectRatio, float nearDistance, float farDistance);
    // The screen space of the 2D drawers: x 0 to 1 rightwards, y 0 to 1 downwards.
    void SetOrthographic(float nearDistance, float farDistance);
    // Places the camera at the eye, turned towards the target.
    void LookAt(const Vector3& eye, const Vector3& target, const Vector3& up);

    void BuildProjection();
    // The translation applies first, then the rotation of the orientation.
    void UpdateView();

    int32_t projectionType = kPerspectiveProjection;
    float fieldOfView = 45.0f;
    float aspect = 4.0f / 3.0f;
    float nearPlane = 0.1f;
    float farPlane = 1000.0f;
    Vector3 position = {0.0f, 0.0f, 0.0f};
    Quaternion orientation = kIdentityQuaternion;
    Matrix4 projection = kIdentityMatrix;
    Matrix4 view = kIdentityMatrix;
};
