#include "demo/scenes/SceneTracks.h"

#include "demo/scenes/Camera.h"
#include "demo/scenes/SceneServices.h"

SyncTrackSet& SceneTracks::SceneTracksSet() { return SceneSyncTracks(); }

SyncValue SceneTracks::Value(const char* name, float codeDefault) const {
    return SyncValue(SceneTracksSet(), TrackName(name), FormatSyncDefault(codeDefault));
}

SyncValue SceneTracks::Value(const char* name, const std::string& defaultText) const {
    return SyncValue(SceneTracksSet(), TrackName(name), defaultText);
}

void CameraTracks::LookAt(Camera& camera, const Vector3& codeEye, const Vector3& codeTarget, const Vector3& up,
                          float codeFov) const {
    const float eyeIn[3] = {codeEye.x, codeEye.y, codeEye.z};
    const float targetIn[3] = {codeTarget.x, codeTarget.y, codeTarget.z};
    float eyeOut[3];
    float targetOut[3];
    eye.Apply(eyeIn, eyeOut);
    target.Apply(targetIn, targetOut);
    camera.LookAt({eyeOut[0], eyeOut[1], eyeOut[2]}, {targetOut[0], targetOut[1], targetOut[2]}, up);
    camera.fieldOfView = fov.Or(codeFov);
}
