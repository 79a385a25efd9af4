#include "engine/render/VertexLayout.h"

namespace {

uint32_t ElementSize(int32_t type, uint32_t components) {
    switch (type) {
    case ATTRIBUTE_UNSIGNED_BYTE: return components;
    case ATTRIBUTE_FLOAT: return 4 * components;
    case ATTRIBUTE_MATRIX4: return 64;
    default: return 0;
    }
}

}

void VertexLayout::Add(int32_t usage, int32_t type, uint32_t components, bool normalized) {
    VertexElement element;
    element.usage = usage;
    element.normalized = normalized;
    element.offset = stride;
    element.type = type;
    element.components = components;
    elements.push_back(element);
    stride += ElementSize(type, components);
}
