#pragma once

#include "engine/core/Matrix4.h"
#include "engine/render/ResourceHandle.h"
#include "engine/render/VertexLayout.h"

#include <memory>
#include <string>

class IndexBuffer;
class UniformSet;
class VertexBuffer;

// A screen rectangle drawn through "data/shaders/base/basic2d.vs" and any
// fragment shader, for effects that compute every pixel themselves.
class ShaderQuad {
public:
    ShaderQuad();
    ~ShaderQuad();
    ShaderQuad(const ShaderQuad&) = delete;
    ShaderQuad& operator=(const ShaderQuad&) = delete;

    bool Init(const std::string& fragmentShaderPath);
    // Blending, depth test and culling end up off.
    void Draw(UniformSet& uniforms, float x, float y, float width, float height);

private:
    VertexLayout layout;
    std::unique_ptr<VertexBuffer> vertices;
    float cpuVertices[8] = {};
    std::unique_ptr<IndexBuffer> indices;
    Matrix4 projection;
    ResourceReference program;
};
