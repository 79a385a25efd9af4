#include "tools/meshgen/Icosphere.h"

#include <cmath>
#include <cstdint>
#include <map>
#include <utility>

namespace {

Vec3 Normalized(const Vec3& v) {
    const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / length, v.y / length, v.z / length};
}

void AddIcosahedron(std::vector<Vec3>& directions, std::vector<Triangle>& triangles) {
    const float t = (1.0f + std::sqrt(5.0f)) / 2.0f;
    const Vec3 corners[12] = {{-1, t, 0}, {1, t, 0}, {-1, -t, 0}, {1, -t, 0}, {0, -1, t}, {0, 1, t},
                              {0, -1, -t}, {0, 1, -t}, {t, 0, -1}, {t, 0, 1}, {-t, 0, -1}, {-t, 0, 1}};
    for (const Vec3& corner : corners)
        directions.push_back(Normalized(corner));
    triangles = {{0, 11, 5}, {0, 5, 1}, {0, 1, 7}, {0, 7, 10}, {0, 10, 11}, {1, 5, 9}, {5, 11, 4},
                 {11, 10, 2}, {10, 7, 6}, {7, 1, 8}, {3, 9, 4}, {3, 4, 2}, {3, 2, 6}, {3, 6, 8},
                 {3, 8, 9}, {4, 9, 5}, {2, 4, 11}, {6, 2, 10}, {8, 6, 7}, {9, 8, 1}};
}

// Each edge is split once, whichever of its two triangles comes first.
class EdgeSplitter {
public:
    explicit EdgeSplitter(std::vector<Vec3>& directions) : directions(directions) {}

    uint32_t Midpoint(uint32_t a, uint32_t b) {
        const uint64_t key = (static_cast<uint64_t>(std::min(a, b)) << 32) | std::max(a, b);
        auto found = midpoints.find(key);
        if (found != midpoints.end())
            return found->second;
        const Vec3& p = directions[a];
        const Vec3& q = directions[b];
        directions.push_back(Normalized({p.x + q.x, p.y + q.y, p.z + q.z}));
        const uint32_t index = static_cast<uint32_t>(directions.size() - 1);
        midpoints.emplace(key, index);
        return index;
    }

private:
    std::vector<Vec3>& directions;
    std::map<uint64_t, uint32_t> midpoints;
};

std::vector<Triangle> Subdivide(std::vector<Vec3>& directions, const std::vector<Triangle>& triangles) {
    EdgeSplitter splitter(directions);
    std::vector<Triangle> finer;
    finer.reserve(triangles.size() * 4);
    for (const Triangle& t : triangles) {
        const uint32_t ab = splitter.Midpoint(t.a, t.b);
        const uint32_t bc = splitter.Midpoint(t.b, t.c);
        const uint32_t ca = splitter.Midpoint(t.c, t.a);
        finer.push_back({t.a, ab, ca});
        finer.push_back({t.b, bc, ab});
        finer.push_back({t.c, ca, bc});
        finer.push_back({ab, bc, ca});
    }
    return finer;
}

}

void BuildIcosphere(int subdivisions, std::vector<Vec3>& directions, std::vector<Triangle>& triangles) {
    directions.clear();
    AddIcosahedron(directions, triangles);
    for (int level = 0; level < subdivisions; ++level)
        triangles = Subdivide(directions, triangles);
}
