#pragma once

#include <cstdint>
#include <memory>

class IndexBuffer;
class VertexBuffer;

// A mesh on the GPU: positions, normals when the mesh has them, and three
// 32-bit indices per triangle.
struct MeshBuffers {
    MeshBuffers();
    ~MeshBuffers();
    MeshBuffers(const MeshBuffers&) = delete;
    MeshBuffers& operator=(const MeshBuffers&) = delete;

    uint32_t vertexCount = 0;
    uint32_t triangleCount = 0;
    std::unique_ptr<VertexBuffer> positions;
    std::unique_ptr<VertexBuffer> normals;
    std::unique_ptr<IndexBuffer> indices;
};
