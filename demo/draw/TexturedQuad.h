#pragma once

#include "engine/core/Matrix4.h"
#include "engine/render/ResourceHandle.h"
#include "engine/render/VertexLayout.h"

#include <memory>
#include <string>

class IndexBuffer;
class Texture;
class UniformSet;
class VertexBuffer;

// A textured screen rectangle drawn through "data/shaders/base/textured2d.vs"
// and any fragment shader. Blending is left as the caller set it, so cards
// can be laid over the picture.
class TexturedQuad {
public:
    TexturedQuad();
    ~TexturedQuad();
    TexturedQuad(const TexturedQuad&) = delete;
    TexturedQuad& operator=(const TexturedQuad&) = delete;

    bool Init(const std::string& fragmentShaderPath);
    void Draw(Texture* texture, UniformSet& uniforms, float x, float y, float width, float height, float u, float v,
              float du, float dv);

private:
    VertexLayout layout;
    std::unique_ptr<VertexBuffer> vertices;
    float cpuVertices[16] = {};
    std::unique_ptr<IndexBuffer> indices;
    Matrix4 projection;
    ResourceReference program;
};
