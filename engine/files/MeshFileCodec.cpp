#include "engine/files/MeshFileCodec.h"

#include "engine/files/InputStream.h"
#include "engine/files/Mesh.h"
#include "engine/files/MeshCodecRegistry.h"
#include "engine/files/OutputStream.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

namespace {

MeshCodec* CreateMeshFileCodec() { return new MeshFileCodec; }
const MeshCodecRegistration registration("mesh", CreateMeshFileCodec);

bool ReadWord(InputStream& in, uint32_t& value) {
    in.ReadUInt32(value);
    return in.IsGood();
}

bool ReadFloat(InputStream& in, float& value) {
    uint32_t bits = 0;
    if (!ReadWord(in, bits))
        return false;
    std::memcpy(&value, &bits, sizeof value);
    return true;
}

bool ReadElement(InputStream& in, Vec3& element) {
    return ReadFloat(in, element.x) && ReadFloat(in, element.y) && ReadFloat(in, element.z);
}

bool ReadElement(InputStream& in, Vec2& element) { return ReadFloat(in, element.u) && ReadFloat(in, element.v); }

bool ReadElement(InputStream& in, Triangle& element) {
    return ReadWord(in, element.a) && ReadWord(in, element.b) && ReadWord(in, element.c);
}

template <typename Element>
bool ReadSection(InputStream& in, std::vector<Element>& list) {
    uint32_t count = 0;
    if (!ReadWord(in, count))
        return true;  // the data ends before the count: an empty section
    // No more room than the bytes left can fill (an element is stored as its
    // 4-byte words, as large as in memory): a corrupt count costs nothing.
    list.reserve(std::min<size_t>(count, in.BytesLeft() / sizeof(Element)));
    for (uint32_t i = 0; i < count; ++i) {
        Element element;
        if (!ReadElement(in, element))
            return false;
        list.push_back(element);
    }
    return true;
}

uint32_t StoredWord(const OutputStream& out, uint32_t value) {
    if (!out.SwapsBytes())
        return value;
    return (value >> 24) | ((value >> 8) & 0x0000FF00u) | ((value << 8) & 0x00FF0000u) | (value << 24);
}

bool WriteWord(OutputStream& out, uint32_t value) {
    const uint32_t stored = StoredWord(out, value);
    return out.Write(&stored, sizeof stored) == static_cast<int32_t>(sizeof stored);
}

bool WriteFloat(OutputStream& out, float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return WriteWord(out, bits);
}

bool WriteElement(OutputStream& out, const Vec3& element) {
    return WriteFloat(out, element.x) && WriteFloat(out, element.y) && WriteFloat(out, element.z);
}

bool WriteElement(OutputStream& out, const Vec2& element) {
    return WriteFloat(out, element.u) && WriteFloat(out, element.v);
}

bool WriteElement(OutputStream& out, const Triangle& element) {
    return WriteWord(out, element.a) && WriteWord(out, element.b) && WriteWord(out, element.c);
}

template <typename Element>
bool WriteSection(OutputStream& out, const std::vector<Element>& list) {
    if (list.size() > std::numeric_limits<uint32_t>::max() || !WriteWord(out, static_cast<uint32_t>(list.size())))
        return false;
    for (const Element& element : list)
        if (!WriteElement(out, element))
            return false;
    return true;
}

}

Mesh* MeshFileCodec::Decode(InputStream& in) {
    in.SetTextMode(false);
    auto mesh = std::make_unique<Mesh>();
    if (!ReadSection(in, mesh->positions) || !ReadSection(in, mesh->normals) ||
        !ReadSection(in, mesh->texCoords) || !ReadSection(in, mesh->triangles))
        return nullptr;
    return mesh.release();
}

bool MeshFileCodec::Encode(const Mesh& mesh, OutputStream& out) {
    out.SetTextMode(false);
    return WriteSection(out, mesh.positions) && WriteSection(out, mesh.normals) &&
           WriteSection(out, mesh.texCoords) && WriteSection(out, mesh.triangles);
}
