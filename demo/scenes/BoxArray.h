#pragma once

#include "demo/scenes/Box.h"
#include "demo/scenes/RadixSort.h"
#include "demo/scenes/SyncedUniforms.h"
#include "engine/core/Matrix4.h"
#include "engine/render/ResourceHandle.h"
#include "engine/render/VertexLayout.h"

#include <cstdint>
#include <memory>
#include <vector>

class Camera;
class Display;
class IndexBuffer;
class VertexBuffer;

// Bytes of one instance record: model matrix, normal matrix, packed colour.
constexpr uint32_t kBoxInstanceSize = 132;

// A set of boxes drawn as instances of one cube in a single call, lit by two
// coloured point lights. The instance records are rebuilt on the CPU every
// draw into one buffer made at Create.
class BoxArray {
public:
    BoxArray();
    ~BoxArray();
    BoxArray(const BoxArray&) = delete;
    BoxArray& operator=(const BoxArray&) = delete;

    // Makes the boxes (all fields zero), the GPU buffers and the program.
    bool Create(uint32_t count);
    // Draws every active box through the display's current camera.
    void Draw();

    std::vector<Box>& GetBoxes() { return boxes; }
    const std::vector<Box>& GetBoxes() const { return boxes; }
    // Writes the records of the active boxes seen through the view, nearest
    // first; returns how many it wrote.
    uint32_t BuildInstances(const Matrix4& view);
    const std::vector<uint8_t>& GetInstanceData() const { return instanceData; }
    // The two lights and the material, which the owner may bind to tracks.
    SyncedUniforms& Lighting() { return lighting; }

private:
    bool CreateCube(Display* display);
    bool CreateInstances(Display* display, uint32_t count);
    void AddLighting();
    void SetUniforms(const Camera& camera);
    void BindLayouts(Display* display);
    void SortNearestFirst(const Matrix4& view);

    std::vector<Box> boxes;
    std::unique_ptr<VertexBuffer> cubeVertices;
    VertexLayout cubeLayout;
    std::unique_ptr<VertexBuffer> instanceVertices;
    VertexLayout instanceLayout;
    std::vector<uint8_t> instanceData;
    std::vector<KeyedIndex> nearness;  // the active boxes, nearest first once sorted
    std::vector<KeyedIndex> sortScratch;
    std::unique_ptr<IndexBuffer> indices;
    ResourceReference program;
    SyncedUniforms lighting;
};
