#include "engine/render/UniformSet.h"

#include "engine/render/ShaderProgram.h"

void UniformValue::SetValues(const float* source, int32_t count) {
    for (int32_t i = 0; i < kind && i < count; ++i)
        values[i] = source[i];
}

void UniformValue::Apply(const ResourceReference& program) const {
    ShaderProgram* target = program.As<ShaderProgram>();
    if (!target)
        return;
    switch (kind) {
    case 1: target->SetFloat(name, values[0]); break;
    case 2: target->SetVec2(name, values); break;
    case 3: target->SetVec3(name, values); break;
    default: break;
    }
}

void UniformSet::Set(const std::string& name, int32_t kind, const float* source) {
    auto found = values.find(name);
    if (found == values.end())
        found = values.emplace(name, std::make_unique<UniformValue>(name, kind)).first;
    found->second->SetValues(source, kind);
}

void UniformSet::SetFloat(const std::string& name, float value) { Set(name, 1, &value); }

void UniformSet::SetVec2(const std::string& name, const float* source) { Set(name, 2, source); }

void UniformSet::SetVec3(const std::string& name, const float* source) { Set(name, 3, source); }

void UniformSet::Apply(const ResourceReference& program) const {
    for (const auto& entry : values)
        entry.second->Apply(program);
}

const UniformValue* UniformSet::Find(const std::string& name) const {
    auto found = values.find(name);
    return found == values.end() ? nullptr : found->second.get();
}
