#pragma once

#include "engine/sync/SyncValue.h"

#include <string>
#include <vector>

class SceneTracks;
class ShaderProgram;
class UniformSet;

// A scene's named uniform values of one to four floats, each component of
// which a track may replace once the set is bound to the scene's tracks
// ("<scene>.<uniform>", with ".x" to ".w" for vectors). Unbound, or while
// the tracks have no keys, the code's values go to the program.
class SyncedUniforms {
public:
    // A uniform at the code's values; returns its slot. `defaultText` stands
    // in the track list for values that the code changes as it goes.
    int Add(const char* name, int count, const float* codeValues, const char* defaultText = nullptr);
    int Add(const char* name, float codeValue, const char* defaultText = nullptr) {
        return Add(name, 1, &codeValue, defaultText);
    }
    void Bind(const SceneTracks& scene);
    // The code's new values for a slot.
    void SetCode(int slot, const float* values);
    void SetCode(int slot, float value) { SetCode(slot, &value); }

    // Every uniform, each component its track's value or the code's.
    void ApplyTo(ShaderProgram& program) const;
    // The same into a set; a four-float uniform does not fit one and is left out.
    void ApplyTo(UniformSet& uniforms) const;

private:
    struct Entry {
        std::string name;
        int count;
        float code[4];
        SyncValue tracks[4];
        const char* defaultText;
    };
    void Values(const Entry& entry, float* out) const;

    std::vector<Entry> entries;
};
