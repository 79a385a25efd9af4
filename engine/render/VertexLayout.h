#pragma once

#include <cstdint>
#include <vector>

// Attribute types of a vertex element.
enum VertexAttributeType : int32_t {
    ATTRIBUTE_UNSIGNED_BYTE = 1,
    ATTRIBUTE_FLOAT = 2,
    ATTRIBUTE_MATRIX4 = 3,  // 64 bytes, bound as four 4-float attributes
};

struct VertexElement {
    int32_t usage = 0;  // for the layout's builder; the device never reads it
    bool normalized = false;
    uint32_t offset = 0;
    int32_t type = ATTRIBUTE_FLOAT;
    uint32_t components = 1;  // 1 to 4; 1 for a matrix
};

struct VertexLayout {
    std::vector<VertexElement> elements;
    uint32_t stride = 0;

    // Appends an element at the current stride and grows the stride by its size.
    void Add(int32_t usage, int32_t type, uint32_t components, bool normalized = false);
};
