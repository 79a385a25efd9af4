#include "tools/meshgen/PreviewRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

struct View {
    Vec3 eye, right, up, forward;
    float focal;  // pixels per unit of x / z
    float centre;
};

float Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 Sub(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 Cross(const Vec3& a, const Vec3& b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec3 Unit(const Vec3& v) {
    const float length = std::sqrt(Dot(v, v));
    return {v.x / length, v.y / length, v.z / length};
}

// The scene's camera looks from (10, 0, 6.5) at the mesh drawn at 0.01; the
// preview comes closer, so that the surface shows.
View MakeView(int size) {
    View view;
    view.eye = {550.0f, 0.0f, 357.5f};
    view.forward = Unit(Sub({0, 0, 0}, view.eye));
    view.right = Unit(Cross(view.forward, {0, 1, 0}));
    view.up = Cross(view.right, view.forward);
    view.focal = 0.5f * size / std::tan(22.5f * 3.14159265f / 180.0f);
    view.centre = 0.5f * size;
    return view;
}

struct ScreenPoint {
    float x, y, depth;
};

ScreenPoint Project(const View& view, const Vec3& p) {
    const Vec3 local = Sub(p, view.eye);
    const float depth = Dot(local, view.forward);
    return {view.centre + view.focal * Dot(local, view.right) / depth,
            view.centre - view.focal * Dot(local, view.up) / depth, depth};
}

float Shade(const Vec3& normal, const Vec3& position, const View& view) {
    const Vec3 n = Unit(normal);
    const Vec3 light = Unit(Sub({-2000.0f, 8000.0f, 5000.0f}, position));
    const Vec3 toEye = Unit(Sub(view.eye, position));
    const Vec3 half = Unit({light.x + toEye.x, light.y + toEye.y, light.z + toEye.z});
    const float diffuse = std::max(0.0f, Dot(n, light));
    const float rim = std::pow(1.0f - std::max(0.0f, Dot(n, toEye)), 3.0f);
    return 0.06f + 0.75f * diffuse + 0.5f * std::pow(std::max(0.0f, Dot(n, half)), 40.0f) + 0.25f * rim;
}

class Rasterizer {
public:
    Rasterizer(const Mesh& mesh, int size)
        : mesh(mesh), size(size), view(MakeView(size)), depth(size * size, std::numeric_limits<float>::max()),
          rgb(size * size * 3, 20) {}

    std::vector<uint8_t> Draw() {
        for (const Triangle& t : mesh.triangles)
            DrawTriangle(t);
        return rgb;
    }

private:
    void DrawTriangle(const Triangle& t) {
        const uint32_t corner[3] = {t.a, t.b, t.c};
        ScreenPoint p[3];
        for (int i = 0; i < 3; ++i)
            p[i] = Project(view, mesh.positions[corner[i]]);
        const float area = (p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (p[1].y - p[0].y);
        if (area >= 0.0f)
            return;  // facing away (screen y runs down)
        const int x0 = std::max(0, static_cast<int>(std::floor(std::min({p[0].x, p[1].x, p[2].x}))));
        const int x1 = std::min(size - 1, static_cast<int>(std::ceil(std::max({p[0].x, p[1].x, p[2].x}))));
        const int y0 = std::max(0, static_cast<int>(std::floor(std::min({p[0].y, p[1].y, p[2].y}))));
        const int y1 = std::min(size - 1, static_cast<int>(std::ceil(std::max({p[0].y, p[1].y, p[2].y}))));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                DrawPixel(x, y, p, corner, area);
    }

    void DrawPixel(int x, int y, const ScreenPoint* p, const uint32_t* corner, float area) {
        const float px = x + 0.5f, py = y + 0.5f;
        float w[3];
        for (int i = 0; i < 3; ++i) {
            const ScreenPoint& a = p[(i + 1) % 3];
            const ScreenPoint& b = p[(i + 2) % 3];
            w[i] = ((b.x - a.x) * (py - a.y) - (px - a.x) * (b.y - a.y)) / area;
            if (w[i] < 0.0f)
                return;
        }
        const float z = w[0] * p[0].depth + w[1] * p[1].depth + w[2] * p[2].depth;
        float& stored = depth[y * size + x];
        if (z >= stored)
            return;
        stored = z;
        Vec3 normal{0, 0, 0}, position{0, 0, 0};
        for (int i = 0; i < 3; ++i) {
            const Vec3& n = mesh.normals[corner[i]];
            const Vec3& q = mesh.positions[corner[i]];
            normal = {normal.x + w[i] * n.x, normal.y + w[i] * n.y, normal.z + w[i] * n.z};
            position = {position.x + w[i] * q.x, position.y + w[i] * q.y, position.z + w[i] * q.z};
        }
        const float light = Shade(normal, position, view);
        const float colour[3] = {0.6f, 0.9f, 0.9f};
        for (int c = 0; c < 3; ++c)
            rgb[(y * size + x) * 3 + c] = static_cast<uint8_t>(std::min(255.0f, 255.0f * light * colour[c]));
    }

    const Mesh& mesh;
    int size;
    View view;
    std::vector<float> depth;
    std::vector<uint8_t> rgb;
};

}

std::vector<uint8_t> RenderPreview(const Mesh& mesh, int size) { return Rasterizer(mesh, size).Draw(); }

bool WritePpm(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    const bool written = std::fwrite(rgb.data(), 1, rgb.size(), file) == rgb.size();
    return std::fclose(file) == 0 && written;
}
