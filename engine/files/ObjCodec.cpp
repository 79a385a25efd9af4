#include "engine/files/ObjCodec.h"

#include "engine/files/InputStream.h"
#include "engine/files/Mesh.h"
#include "engine/files/MeshCodecRegistry.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

MeshCodec* CreateObjCodec() { return new ObjCodec; }
const MeshCodecRegistration registration("obj", CreateObjCodec);

constexpr size_t kReservedEntries = 10000;
// Marks a texture coordinate or normal the corner does not name.
constexpr int32_t kAbsent = -1;

// 0-based indices into the working lists.
struct Corner {
    int32_t position = kAbsent;
    int32_t texCoord = kAbsent;
    int32_t normal = kAbsent;
};

using FaceTriangle = std::array<Corner, 3>;

// No entry takes fewer bytes of the file than a triangle of a quad, "f 1 2 3 4"
// and a line feed giving two in 10 bytes: so a small file reserves no more
// room than it could fill.
constexpr size_t kFewestBytesPerEntry = 5;

struct ObjLists {
    explicit ObjLists(size_t bytes) {
        const size_t room = std::min(kReservedEntries, bytes / kFewestBytesPerEntry);
        positions.reserve(room);
        normals.reserve(room);
        texCoords.reserve(room);
        triangles.reserve(room);
    }
    std::vector<Vec3> positions;
    std::vector<Vec3> normals;
    std::vector<Vec2> texCoords;
    std::vector<FaceTriangle> triangles;
};

std::vector<std::string> SplitAtBlanks(const std::string& line) {
    std::vector<std::string> tokens;
    size_t start = line.find_first_not_of(" \t");
    while (start != std::string::npos) {
        size_t end = line.find_first_of(" \t", start);
        tokens.push_back(line.substr(start, end - start));
        start = end == std::string::npos ? end : line.find_first_not_of(" \t", end);
    }
    return tokens;
}

// Pieces by position, empty ones kept: "1//3" is position, nothing, normal.
std::vector<std::string> SplitAtSlashes(const std::string& token) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (;;) {
        size_t end = token.find('/', start);
        pieces.push_back(token.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            return pieces;
        start = end + 1;
    }
}

// The file is z-up; the engine is y-up.
Vec3 ToYUp(const std::vector<std::string>& tokens) {
    const float x = static_cast<float>(std::atof(tokens[1].c_str()));
    const float y = static_cast<float>(std::atof(tokens[2].c_str()));
    const float z = static_cast<float>(std::atof(tokens[3].c_str()));
    return {x, z, -y};
}

// 1-based from the front, or counted back from the entries read so far when
// below 1 (-1 is the last one). False when it names no entry: 0 is none.
bool ResolveIndex(const std::string& piece, size_t count, int32_t& index) {
    const long value = std::strtol(piece.c_str(), nullptr, 10);
    const long resolved = value >= 1 ? value - 1 : static_cast<long>(count) + value;
    if (value == 0 || resolved < 0 || resolved >= static_cast<long>(count))
        return false;
    index = static_cast<int32_t>(resolved);
    return true;
}

bool ResolveOptional(const std::vector<std::string>& pieces, size_t slot, size_t count, int32_t& index) {
    if (slot >= pieces.size() || pieces[slot].empty())
        return true;
    return ResolveIndex(pieces[slot], count, index);
}

bool ParseCorner(const std::vector<std::string>& pieces, const ObjLists& lists, Corner& corner) {
    if (pieces.size() > 3 || pieces[0].empty())
        return false;
    return ResolveIndex(pieces[0], lists.positions.size(), corner.position) &&
           ResolveOptional(pieces, 1, lists.texCoords.size(), corner.texCoord) &&
           ResolveOptional(pieces, 2, lists.normals.size(), corner.normal);
}

bool ParseFace(const std::vector<std::string>& tokens, ObjLists& lists) {
    const size_t cornerCount = tokens.size() - 1;
    if (cornerCount != 3 && cornerCount != 4)
        return false;
    std::array<Corner, 4> corners;
    size_t pieceCount = 0;
    for (size_t i = 0; i < cornerCount; ++i) {
        const std::vector<std::string> pieces = SplitAtSlashes(tokens[i + 1]);
        if (i == 0)
            pieceCount = pieces.size();
        if (pieces.size() != pieceCount || !ParseCorner(pieces, lists, corners[i]))
            return false;
    }
    lists.triangles.push_back({corners[0], corners[1], corners[2]});
    if (cornerCount == 4)
        lists.triangles.push_back({corners[0], corners[2], corners[3]});
    return true;
}

bool ParseLine(const std::vector<std::string>& tokens, ObjLists& lists) {
    const std::string& keyword = tokens[0];
    if (keyword == "v" || keyword == "vn") {
        if (tokens.size() < 4)
            return false;
        (keyword == "v" ? lists.positions : lists.normals).push_back(ToYUp(tokens));
    } else if (keyword == "vt") {
        if (tokens.size() < 3)
            return false;
        lists.texCoords.push_back({static_cast<float>(std::atof(tokens[1].c_str())),
                                   static_cast<float>(std::atof(tokens[2].c_str()))});
    } else if (keyword == "f") {
        return ParseFace(tokens, lists);
    }
    return true;  // objects, groups, smoothing, materials and the rest
}

std::string WithoutLineEnd(std::string line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return line;
}

bool ReadLists(InputStream& in, ObjLists& lists) {
    std::string line;
    for (;;) {
        in.ReadString(line);
        if (!in.IsGood())
            return true;
        line = WithoutLineEnd(line);
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> tokens = SplitAtBlanks(line);
        if (!tokens.empty() && !ParseLine(tokens, lists))
            return false;
    }
}

// Each distinct combination of indices becomes one vertex, shared by every
// corner that names it. Absent pieces give zero.
class VertexBuilder {
public:
    VertexBuilder(const ObjLists& lists, Mesh& mesh) : lists(lists), mesh(mesh) {}

    uint32_t VertexOf(const Corner& corner) {
        const std::string key = std::to_string(corner.position) + "_" + std::to_string(corner.normal) + "_" +
                                std::to_string(corner.texCoord);
        auto found = vertices.find(key);
        if (found != vertices.end())
            return found->second;
        mesh.positions.push_back(lists.positions[corner.position]);
        mesh.normals.push_back(corner.normal == kAbsent ? Vec3{} : lists.normals[corner.normal]);
        mesh.texCoords.push_back(corner.texCoord == kAbsent ? Vec2{} : lists.texCoords[corner.texCoord]);
        const uint32_t index = static_cast<uint32_t>(mesh.positions.size() - 1);
        vertices.emplace(key, index);
        return index;
    }

private:
    const ObjLists& lists;
    Mesh& mesh;
    std::map<std::string, uint32_t> vertices;
};

void BuildMesh(const ObjLists& lists, Mesh& mesh) {
    VertexBuilder builder(lists, mesh);
    mesh.triangles.resize(lists.triangles.size());
    for (size_t i = 0; i < lists.triangles.size(); ++i) {
        const FaceTriangle& face = lists.triangles[i];
        mesh.triangles[i] = {builder.VertexOf(face[0]), builder.VertexOf(face[1]), builder.VertexOf(face[2])};
    }
}

}

Mesh* ObjCodec::Decode(InputStream& in) {
    in.SetTextMode(true);
    ObjLists lists(in.BytesLeft());
    if (!ReadLists(in, lists))
        return nullptr;
    auto mesh = std::make_unique<Mesh>();
    BuildMesh(lists, *mesh);
    return mesh.release();
}

bool ObjCodec::Encode(const Mesh&, OutputStream&) { return false; }
