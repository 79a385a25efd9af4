#pragma once

#include "engine/render/ResourceHandle.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

// One named float, vec2 or vec3 that applies itself to a program.
class UniformValue {
public:
    UniformValue(const std::string& name, int32_t kind) : name(name), kind(kind) {}
    virtual ~UniformValue() = default;
    virtual void Apply(const ResourceReference& program) const;

    // The value keeps its kind: at most that many floats are taken.
    void SetValues(const float* source, int32_t count);
    int32_t GetKind() const { return kind; }
    const float* GetValues() const { return values; }

private:
    std::string name;
    int32_t kind;  // 1 float, 2 vec2, 3 vec3: the number of floats
    float values[3] = {0.0f, 0.0f, 0.0f};
};

// Uniform values by name, applied to a program in name order.
class UniformSet {
public:
    // An existing entry keeps its kind and takes the new floats.
    void SetFloat(const std::string& name, float value);
    void SetVec2(const std::string& name, const float* values);
    void SetVec3(const std::string& name, const float* values);
    void Apply(const ResourceReference& program) const;
    void Clear() { values.clear(); }
    const UniformValue* Find(const std::string& name) const;

private:
    void Set(const std::string& name, int32_t kind, const float* source);

    std::map<std::string, std::unique_ptr<UniformValue>> values;
};
