#include "demo/draw/QuadBuffers.h"

#include "demo/draw/QuadCorners.h"
#include "engine/core/Engine.h"
#include "engine/render/Display.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/ShaderProgramManager.h"
#include "engine/render/VertexBuffer.h"

bool CreateQuadBuffers(uint32_t vertexSize, std::unique_ptr<VertexBuffer>& vertices,
                       std::unique_ptr<IndexBuffer>& indices) {
    Display* display = GetEngine() ? GetEngine()->GetDisplay() : nullptr;
    if (!display)
        return false;
    vertices.reset(display->CreateVertexBuffer(4, vertexSize, true, nullptr));
    indices.reset(display->CreateIndexBuffer(4, sizeof(uint16_t), false, kQuadIndices));
    return vertices && indices;
}

bool LoadProgram(const std::string& vertexPath, const std::string& fragmentPath, ResourceReference& out) {
    ShaderProgramManager* programs = GetEngine() ? GetEngine()->GetShaderProgramManager() : nullptr;
    return programs && programs->Load(vertexPath, fragmentPath, out);
}
