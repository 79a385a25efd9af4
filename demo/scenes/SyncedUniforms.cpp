#include "demo/scenes/SyncedUniforms.h"

#include "demo/scenes/SceneTracks.h"
#include "engine/render/ShaderProgram.h"
#include "engine/render/UniformSet.h"

#include <algorithm>

namespace {

const char* const kComponentSuffixes[4] = {".x", ".y", ".z", ".w"};

}

int SyncedUniforms::Add(const char* name, int count, const float* codeValues, const char* defaultText) {
    Entry entry{name, std::clamp(count, 1, 4), {}, {}, defaultText};
    std::copy(codeValues, codeValues + entry.count, entry.code);
    entries.push_back(std::move(entry));
    return static_cast<int>(entries.size()) - 1;
}

void SyncedUniforms::Bind(const SceneTracks& scene) {
    for (Entry& entry : entries) {
        for (int i = 0; i < entry.count; ++i) {
            const std::string name = entry.name + (entry.count > 1 ? kComponentSuffixes[i] : "");
            const std::string text = entry.defaultText ? entry.defaultText : FormatSyncDefault(entry.code[i]);
            entry.tracks[i] = scene.Value(name.c_str(), text);
        }
    }
}

void SyncedUniforms::SetCode(int slot, const float* values) {
    Entry& entry = entries[static_cast<size_t>(slot)];
    std::copy(values, values + entry.count, entry.code);
}

void SyncedUniforms::Values(const Entry& entry, float* out) const {
    for (int i = 0; i < entry.count; ++i)
        out[i] = entry.tracks[i].Or(entry.code[i]);
}

void SyncedUniforms::ApplyTo(ShaderProgram& program) const {
    for (const Entry& entry : entries) {
        float values[4];
        Values(entry, values);
        switch (entry.count) {
        case 1: program.SetFloat(entry.name, values[0]); break;
        case 2: program.SetVec2(entry.name, values); break;
        case 3: program.SetVec3(entry.name, values); break;
        default: program.SetVec4(entry.name, values); break;
        }
    }
}

void SyncedUniforms::ApplyTo(UniformSet& uniforms) const {
    for (const Entry& entry : entries) {
        float values[4];
        Values(entry, values);
        switch (entry.count) {
        case 1: uniforms.SetFloat(entry.name, values[0]); break;
        case 2: uniforms.SetVec2(entry.name, values); break;
        case 3: uniforms.SetVec3(entry.name, values); break;
        default: break;
        }
    }
}
