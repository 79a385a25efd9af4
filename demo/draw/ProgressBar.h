#pragma once

#include "demo/scenes/Camera.h"
#include "engine/render/ResourceHandle.h"
#include "engine/render/VertexLayout.h"

#include <cstdint>
#include <memory>

class IndexBuffer;
class VertexBuffer;

// The loading bar shown on a black screen while the precalc worker runs.
class ProgressBar {
public:
    ProgressBar();
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    bool Init();
    void Draw(int32_t totalUnits, int32_t doneUnits);

private:
    struct Vertex {
        float x;
        float y;
        uint8_t rgba[4];
    };

    void SetColor(float grey);

    Camera camera;
    VertexLayout layout;
    std::unique_ptr<VertexBuffer> vertices;
    Vertex cpuVertices[4] = {};
    std::unique_ptr<IndexBuffer> indices;
    ResourceReference program;
};
