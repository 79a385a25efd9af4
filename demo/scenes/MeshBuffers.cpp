#include "demo/scenes/MeshBuffers.h"

#include "engine/render/IndexBuffer.h"
#include "engine/render/VertexBuffer.h"

MeshBuffers::MeshBuffers() = default;

MeshBuffers::~MeshBuffers() = default;
