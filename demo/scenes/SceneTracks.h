#pragma once

#include "engine/core/Vector3.h"
#include "engine/sync/SyncValue.h"

#include <string>

class Camera;

// The values a scene sets from code, offered as tracks named
// "<scene>.<value>" in the demo's track set. Bound once, when the scene is
// set up; while a track has no keys the code's value stands.
class SceneTracks {
public:
    explicit SceneTracks(const char* scene) : scene(scene) {}

    SyncValue Value(const char* name, float codeDefault) const;
    SyncValue Value(const char* name, const std::string& defaultText) const;
    template <int Count>
    SyncVector<Count> Vector(const char* name, const float* codeDefaults) const {
        return SyncVector<Count>(SceneTracksSet(), TrackName(name), codeDefaults);
    }
    template <int Count>
    SyncVector<Count> Vector(const char* name, const std::string& defaultText) const {
        return SyncVector<Count>(SceneTracksSet(), TrackName(name), defaultText);
    }

private:
    static SyncTrackSet& SceneTracksSet();
    std::string TrackName(const char* name) const { return scene + "." + name; }

    std::string scene;
};

// A camera placed from code: the eye, the target and the field of view
// ("camera.eye.x", "camera.target.y", "camera.fov") may each come from a track.
class CameraTracks {
public:
    CameraTracks() = default;
    CameraTracks(const SceneTracks& scene, SyncVector<3> eye, SyncVector<3> target, float fovDefault)
        : eye(eye), target(target), fov(scene.Value("camera.fov", fovDefault)) {}

    void LookAt(Camera& camera, const Vector3& eye, const Vector3& target, const Vector3& up, float fov) const;

private:
    SyncVector<3> eye;
    SyncVector<3> target;
    SyncValue fov;
};
