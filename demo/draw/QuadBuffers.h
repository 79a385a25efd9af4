#pragma once

#include <memory>
#include <string>

class IndexBuffer;
class ResourceReference;
class VertexBuffer;

// Creates the dynamic four-vertex buffer and the quad's index buffer through
// the engine's display; false when either cannot be made.
bool CreateQuadBuffers(uint32_t vertexSize, std::unique_ptr<VertexBuffer>& vertices,
                       std::unique_ptr<IndexBuffer>& indices);

// The program of two shader files from the engine's program manager.
bool LoadProgram(const std::string& vertexPath, const std::string& fragmentPath, ResourceReference& out);
