// Primitive shapes for the generated models. Every triangle is wound so that
// its geometric normal agrees with its vertices' normals: front faces are the
// outside of solids (and the inside of the sky), which is what the wall tests
// and any back-face culling rely on.
#include "tools/mesh_builder.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float Pi = 3.14159265358979f;
constexpr float DegreesToRadians = Pi / 180.0f;

V3 Transform(const Place& place, V3 local)
{
    return place.origin + Rotate(place.rotation, local);
}

// Appends a triangle, flipping its winding when the vertices' normals say the
// other side is the front.
void PushTriangle(Mesh& mesh, int a, int b, int c, int material)
{
    const V3 pa = mesh.vertices[a].position;
    const V3 pb = mesh.vertices[b].position;
    const V3 pc = mesh.vertices[c].position;
    const V3 faceNormal = Cross(pb - pa, pc - pa);
    if (Length(faceNormal) < 1e-9f) {
        return;
    }
    const V3 vertexNormals = mesh.vertices[a].normal + mesh.vertices[b].normal + mesh.vertices[c].normal;
    if (Dot(faceNormal, vertexNormals) < 0.0f) {
        std::swap(b, c);
    }
    mesh.triangles.push_back({a, b, c, material});
}

int PushVertex(Mesh& mesh, V3 position, V3 normal, float u, float v)
{
    Vertex vertex;
    vertex.position = position;
    vertex.normal = Normalize(normal);
    vertex.u = u;
    vertex.v = v;
    mesh.vertices.push_back(vertex);
    return static_cast<int>(mesh.vertices.size()) - 1;
}

bool SamePoint(const ProfilePoint& a, const ProfilePoint& b)
{
    return a.radius == b.radius && a.height == b.height;
}

// Outward normal of the profile at point i, in (radius, height) terms. Creases
// use one-sided differences; a point on the axis looks across the axis so the
// pole normal points straight along it.
ProfilePoint ProfileNormal(const std::vector<ProfilePoint>& profile, size_t i)
{
    const size_t last = profile.size() - 1;
    const bool creaseBefore = i > 0 && SamePoint(profile[i - 1], profile[i]);
    const bool creaseAfter = i < last && SamePoint(profile[i + 1], profile[i]);
    ProfilePoint prev = (i > 0 && !creaseBefore) ? profile[i - 1] : profile[i];
    ProfilePoint next = (i < last && !creaseAfter) ? profile[i + 1] : profile[i];
    if (profile[i].radius == 0.0f) {
        if (i == 0 && i < last) {
            prev = {-profile[1].radius, profile[1].height};
        } else if (i == last && i > 0) {
            next = {-profile[last - 1].radius, profile[last - 1].height};
        }
    }
    const float dr = next.radius - prev.radius;
    const float dh = next.height - prev.height;
    const float length = std::sqrt(dr * dr + dh * dh);
    if (length < 1e-9f) {
        return {0.0f, 1.0f};
    }
    return {dh / length, -dr / length};
}

} // namespace

float Dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

V3 Cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

float Length(V3 a) { return std::sqrt(Dot(a, a)); }

V3 Normalize(V3 a)
{
    const float length = Length(a);
    return length > 0.0f ? a * (1.0f / length) : V3{0.0f, 1.0f, 0.0f};
}

V3 Lerp(V3 a, V3 b, float t) { return a + (b - a) * t; }

Quat QuatMul(Quat a, Quat b)
{
    return {a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z, a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
            a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x, a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w};
}

Quat QuatAxisAngle(V3 axis, float degrees)
{
    const V3 unit = Normalize(axis);
    const float half = degrees * DegreesToRadians * 0.5f;
    const float s = std::sin(half);
    return {std::cos(half), unit.x * s, unit.y * s, unit.z * s};
}

Quat QuatEuler(float xDegrees, float yDegrees, float zDegrees)
{
    const Quat qx = QuatAxisAngle({1.0f, 0.0f, 0.0f}, xDegrees);
    const Quat qy = QuatAxisAngle({0.0f, 1.0f, 0.0f}, yDegrees);
    const Quat qz = QuatAxisAngle({0.0f, 0.0f, 1.0f}, zDegrees);
    return QuatMul(qz, QuatMul(qy, qx));
}

Quat QuatFromUp(V3 direction)
{
    const V3 up{0.0f, 1.0f, 0.0f};
    const V3 d = Normalize(direction);
    const float c = std::clamp(Dot(up, d), -1.0f, 1.0f);
    if (c > 0.99999f) {
        return Quat{};
    }
    if (c < -0.99999f) {
        return QuatAxisAngle({1.0f, 0.0f, 0.0f}, 180.0f);
    }
    return QuatAxisAngle(Cross(up, d), std::acos(c) / DegreesToRadians);
}

V3 Rotate(Quat q, V3 v)
{
    const Quat p{0.0f, v.x, v.y, v.z};
    const Quat conjugate{q.w, -q.x, -q.y, -q.z};
    const Quat r = QuatMul(QuatMul(q, p), conjugate);
    return {r.x, r.y, r.z};
}

int AddMaterial(Mesh& mesh, const Material& material)
{
    mesh.materials.push_back(material);
    return static_cast<int>(mesh.materials.size()) - 1;
}

Material Plain(float r, float g, float b, float power, float specular)
{
    Material material;
    material.diffuse = {r, g, b, 1.0f};
    material.power = power;
    material.specular = {specular, specular, specular};
    return material;
}

Skin Rigid(int bone)
{
    Skin skin;
    skin.bone = bone;
    return skin;
}

Skin Blended(int bone, int parentBone, V3 from, V3 to, float blend)
{
    Skin skin;
    skin.bone = bone;
    skin.parentBone = parentBone;
    skin.from = from;
    skin.to = to;
    skin.blend = blend;
    return skin;
}

void ApplySkin(Mesh& mesh, size_t firstVertex, const Skin& skin)
{
    const V3 axis = skin.to - skin.from;
    const float axisLength = Length(axis);
    for (size_t i = firstVertex; i < mesh.vertices.size(); ++i) {
        Vertex& vertex = mesh.vertices[i];
        float parentWeight = 0.0f;
        if (skin.parentBone >= 0 && skin.blend > 0.0f && axisLength > 0.0f) {
            const float along = Dot(vertex.position - skin.from, axis) / axisLength;
            parentWeight = std::clamp(0.5f - 0.5f * along / skin.blend, 0.0f, 1.0f);
        }
        vertex.bones = {-1, -1, -1, -1};
        vertex.weights = {0.0f, 0.0f, 0.0f, 0.0f};
        if (parentWeight <= 0.0f) {
            vertex.bones[0] = skin.bone;
            vertex.weights[0] = 1.0f;
        } else if (parentWeight >= 1.0f) {
            vertex.bones[0] = skin.parentBone;
            vertex.weights[0] = 1.0f;
        } else {
            vertex.bones[0] = skin.bone;
            vertex.weights[0] = 1.0f - parentWeight;
            vertex.bones[1] = skin.parentBone;
            vertex.weights[1] = parentWeight;
        }
    }
}

void AddLathe(Mesh& mesh, const std::vector<ProfilePoint>& profile, int segments, const Place& place,
              int material, const Skin& skin, float squashX, float squashZ)
{
    const size_t first = mesh.vertices.size();
    const int rings = static_cast<int>(profile.size());
    for (int i = 0; i < rings; ++i) {
        const ProfilePoint normal2 = ProfileNormal(profile, static_cast<size_t>(i));
        for (int j = 0; j <= segments; ++j) {
            const float angle = 2.0f * Pi * static_cast<float>(j % segments) / static_cast<float>(segments);
            const float c = std::cos(angle);
            const float s = std::sin(angle);
            const V3 local{profile[i].radius * c * squashX, profile[i].height, profile[i].radius * s * squashZ};
            const V3 localNormal{normal2.radius * c / squashX, normal2.height, normal2.radius * s / squashZ};
            PushVertex(mesh, Transform(place, local), Rotate(place.rotation, Normalize(localNormal)),
                       static_cast<float>(j) / static_cast<float>(segments),
                       1.0f - static_cast<float>(i) / static_cast<float>(rings - 1));
        }
    }
    const int stride = segments + 1;
    for (int i = 0; i + 1 < rings; ++i) {
        if (SamePoint(profile[i], profile[i + 1])) {
            continue;
        }
        for (int j = 0; j < segments; ++j) {
            const int a = static_cast<int>(first) + i * stride + j;
            const int b = a + 1;
            const int d = a + stride;
            const int c = d + 1;
            PushTriangle(mesh, a, c, b, material);
            PushTriangle(mesh, a, d, c, material);
        }
    }
    ApplySkin(mesh, first, skin);
}

void AddEllipsoid(Mesh& mesh, V3 centre, V3 radii, int rings, int segments, int material, const Skin& skin,
                  Quat rotation)
{
    std::vector<ProfilePoint> profile;
    for (int i = 0; i <= rings; ++i) {
        const float theta = Pi * static_cast<float>(i) / static_cast<float>(rings);
        profile.push_back({std::sin(theta), -std::cos(theta) * radii.y});
    }
    profile.front().radius = 0.0f;
    profile.back().radius = 0.0f;
    AddLathe(mesh, profile, segments, {centre, rotation}, material, skin, radii.x, radii.z);
}

void AddTube(Mesh& mesh, V3 a, V3 b, float ra, float rb, int segments, int material, const Skin& skin)
{
    const float length = Length(b - a);
    std::vector<ProfilePoint> profile;
    constexpr int CapRings = 3;
    for (int k = 0; k <= CapRings; ++k) {
        const float angle = -0.5f * Pi + 0.5f * Pi * static_cast<float>(k) / CapRings;
        profile.push_back({ra * std::cos(angle), ra * std::sin(angle)});
    }
    for (int k = 0; k <= CapRings; ++k) {
        const float angle = 0.5f * Pi * static_cast<float>(k) / CapRings;
        profile.push_back({rb * std::cos(angle), length + rb * std::sin(angle)});
    }
    profile.front().radius = 0.0f;
    profile.back().radius = 0.0f;
    AddLathe(mesh, profile, segments, {a, QuatFromUp(b - a)}, material, skin);
}

void AddBand(Mesh& mesh, V3 base, float radius, float height, int segments, int material, const Skin& skin,
             Quat rotation)
{
    const std::vector<ProfilePoint> profile{{0.0f, 0.0f},      {radius, 0.0f},   {radius, 0.0f},
                                            {radius, height}, {radius, height}, {0.0f, height}};
    AddLathe(mesh, profile, segments, {base, rotation}, material, skin);
}

void AddCone(Mesh& mesh, V3 base, V3 apex, float radius, int segments, int material, const Skin& skin)
{
    const float length = Length(apex - base);
    const std::vector<ProfilePoint> profile{{0.0f, 0.0f}, {radius, 0.0f}, {radius, 0.0f}, {0.0f, length}};
    AddLathe(mesh, profile, segments, {base, QuatFromUp(apex - base)}, material, skin);
}

void AddBox(Mesh& mesh, V3 centre, V3 halfSize, int material, const Skin& skin, Quat rotation)
{
    const size_t first = mesh.vertices.size();
    const V3 normals[6] = {{1.0f, 0.0f, 0.0f},  {-1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f},
                           {0.0f, -1.0f, 0.0f}, {0.0f, 0.0f, 1.0f},  {0.0f, 0.0f, -1.0f}};
    const Place place{centre, rotation};
    for (const V3& n : normals) {
        const V3 u = std::fabs(n.y) < 0.9f ? Normalize(Cross({0.0f, 1.0f, 0.0f}, n)) : V3{1.0f, 0.0f, 0.0f};
        const V3 v = Cross(n, u);
        const auto scaled = [&](V3 d) { return V3{d.x * halfSize.x, d.y * halfSize.y, d.z * halfSize.z}; };
        const float corners[4][2] = {{-1.0f, -1.0f}, {1.0f, -1.0f}, {1.0f, 1.0f}, {-1.0f, 1.0f}};
        int index[4] = {0, 0, 0, 0};
        for (int k = 0; k < 4; ++k) {
            const V3 local = scaled(n + u * corners[k][0] + v * corners[k][1]);
            index[k] = PushVertex(mesh, Transform(place, local), Rotate(rotation, n), 0.5f + 0.5f * corners[k][0],
                                  0.5f - 0.5f * corners[k][1]);
        }
        PushTriangle(mesh, index[0], index[1], index[2], material);
        PushTriangle(mesh, index[0], index[2], index[3], material);
    }
    ApplySkin(mesh, first, skin);
}

void AddSlab(Mesh& mesh, const std::vector<std::array<float, 2>>& outline, float thickness, const Place& place,
             int material, const Skin& skin)
{
    const size_t first = mesh.vertices.size();
    const size_t count = outline.size();
    float cx = 0.0f;
    float cz = 0.0f;
    for (const auto& p : outline) {
        cx += p[0];
        cz += p[1];
    }
    cx /= static_cast<float>(count);
    cz /= static_cast<float>(count);
    const float half = thickness * 0.5f;
    for (const float side : {1.0f, -1.0f}) {
        const V3 normal = Rotate(place.rotation, {0.0f, side, 0.0f});
        const int centre = PushVertex(mesh, Transform(place, {cx, side * half, cz}), normal, 0.5f, 0.5f);
        const int ring = static_cast<int>(mesh.vertices.size());
        for (const auto& p : outline) {
            PushVertex(mesh, Transform(place, {p[0], side * half, p[1]}), normal, 0.5f + p[0] * 0.1f,
                       0.5f + p[1] * 0.1f);
        }
        for (size_t i = 0; i < count; ++i) {
            PushTriangle(mesh, centre, ring + static_cast<int>(i), ring + static_cast<int>((i + 1) % count),
                         material);
        }
    }
    for (size_t i = 0; i < count; ++i) {
        const auto& p = outline[i];
        const auto& q = outline[(i + 1) % count];
        V3 normal{q[1] - p[1], 0.0f, -(q[0] - p[0])};
        const V3 outward{(p[0] + q[0]) * 0.5f - cx, 0.0f, (p[1] + q[1]) * 0.5f - cz};
        if (Dot(normal, outward) < 0.0f) {
            normal = normal * -1.0f;
        }
        const V3 worldNormal = Rotate(place.rotation, Normalize(normal));
        const int a = PushVertex(mesh, Transform(place, {p[0], half, p[1]}), worldNormal, 0.0f, 0.0f);
        const int b = PushVertex(mesh, Transform(place, {q[0], half, q[1]}), worldNormal, 1.0f, 0.0f);
        const int c = PushVertex(mesh, Transform(place, {q[0], -half, q[1]}), worldNormal, 1.0f, 1.0f);
        const int d = PushVertex(mesh, Transform(place, {p[0], -half, p[1]}), worldNormal, 0.0f, 1.0f);
        PushTriangle(mesh, a, b, c, material);
        PushTriangle(mesh, a, c, d, material);
    }
    ApplySkin(mesh, first, skin);
}
