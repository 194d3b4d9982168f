// Weapons, projectiles and the stage pieces.
#include "tools/model_textures.h"
#include "tools/models.h"

#include <cmath>

namespace {

constexpr float Pi = 3.14159265358979f;

// Play area walls: the field spans x -20..20 and z -150..0; the walls stand a
// little outside it and are taller than the wyvern's flying height (9.5).
constexpr float WallLeft = -26.0f;
constexpr float WallRight = 26.0f;
constexpr float WallNear = 10.0f;
constexpr float WallFar = -160.0f;
constexpr float WallBottom = -1.0f;
constexpr float WallTop = 12.0f;
constexpr float WallTile = 4.0f;

// A horizontal grid of square tiles at height y, each tile with its own
// texture coordinates 0..1 (textures are clamped, so tiling needs this).
void AddFloorTiles(Mesh& mesh, float x0, float x1, float z0, float z1, float tile, float y, int material)
{
    const int columns = static_cast<int>(std::lround((x1 - x0) / tile));
    const int rows = static_cast<int>(std::lround((z1 - z0) / tile));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const float xa = x0 + (x1 - x0) * static_cast<float>(c) / static_cast<float>(columns);
            const float xb = x0 + (x1 - x0) * static_cast<float>(c + 1) / static_cast<float>(columns);
            const float za = z0 + (z1 - z0) * static_cast<float>(r) / static_cast<float>(rows);
            const float zb = z0 + (z1 - z0) * static_cast<float>(r + 1) / static_cast<float>(rows);
            const int base = static_cast<int>(mesh.vertices.size());
            const V3 corners[4] = {{xa, y, za}, {xb, y, za}, {xb, y, zb}, {xa, y, zb}};
            const float uv[4][2] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}};
            for (int k = 0; k < 4; ++k) {
                Vertex v;
                v.position = corners[k];
                v.normal = {0.0f, 1.0f, 0.0f};
                v.u = uv[k][0];
                v.v = uv[k][1];
                mesh.vertices.push_back(v);
            }
            // (b - a) x (c - a) points up for this corner order.
            mesh.triangles.push_back({base, base + 2, base + 1, material});
            mesh.triangles.push_back({base, base + 3, base + 2, material});
        }
    }
}

// One vertical wall face from (x0, z0) to (x1, z1) between heights y0 and y1,
// split into tiles, whose front faces the side `inward` points to.
void AddWallFace(Mesh& mesh, V3 start, V3 end, float y0, float y1, V3 inward, int material)
{
    const V3 run = end - start;
    const int columns = static_cast<int>(std::lround(Length(run) / WallTile));
    const int rows = static_cast<int>(std::lround((y1 - y0) / WallTile));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const V3 a = start + run * (static_cast<float>(c) / static_cast<float>(columns));
            const V3 b = start + run * (static_cast<float>(c + 1) / static_cast<float>(columns));
            const float ya = y0 + (y1 - y0) * static_cast<float>(r) / static_cast<float>(rows);
            const float yb = y0 + (y1 - y0) * static_cast<float>(r + 1) / static_cast<float>(rows);
            const int base = static_cast<int>(mesh.vertices.size());
            const V3 corners[4] = {{a.x, ya, a.z}, {b.x, ya, b.z}, {b.x, yb, b.z}, {a.x, yb, a.z}};
            const float uv[4][2] = {{0.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, 0.0f}, {0.0f, 0.0f}};
            for (int k = 0; k < 4; ++k) {
                Vertex v;
                v.position = corners[k];
                v.normal = inward;
                v.u = uv[k][0];
                v.v = uv[k][1];
                mesh.vertices.push_back(v);
            }
            const V3 faceNormal = Cross(corners[1] - corners[0], corners[2] - corners[0]);
            if (Dot(faceNormal, inward) > 0.0f) {
                mesh.triangles.push_back({base, base + 1, base + 2, material});
                mesh.triangles.push_back({base, base + 2, base + 3, material});
            } else {
                mesh.triangles.push_back({base, base + 2, base + 1, material});
                mesh.triangles.push_back({base, base + 3, base + 2, material});
            }
        }
    }
}

} // namespace

Mesh BuildSword()
{
    // Hilt at the origin, blade up +Y: the hand holds the grip around y = 0.
    Mesh mesh;
    const int steel = AddMaterial(mesh, Plain(0.85f, 0.88f, 0.95f, 40.0f, 0.9f));
    const int gold = AddMaterial(mesh, Plain(0.95f, 0.75f, 0.25f, 30.0f, 0.7f));
    const int leather = AddMaterial(mesh, Plain(0.25f, 0.2f, 0.45f));
    const int gem = AddMaterial(mesh, Plain(0.2f, 0.45f, 1.0f, 40.0f, 0.8f));
    const Skin hilt = Rigid(0);
    AddTube(mesh, {0.0f, -0.13f, 0.0f}, {0.0f, 0.1f, 0.0f}, 0.035f, 0.035f, 8, leather, hilt);
    AddEllipsoid(mesh, {0.0f, -0.17f, 0.0f}, {0.055f, 0.055f, 0.055f}, 6, 8, gold, hilt);
    AddBox(mesh, {0.0f, 0.12f, 0.0f}, {0.2f, 0.03f, 0.05f}, gold, hilt);
    AddEllipsoid(mesh, {0.0f, 0.12f, -0.05f}, {0.03f, 0.03f, 0.015f}, 4, 6, gem, hilt);
    AddEllipsoid(mesh, {0.0f, 0.12f, 0.05f}, {0.03f, 0.03f, 0.015f}, 4, 6, gem, hilt);
    // A diamond cross-section: edges at +-X, the ridge along Z.
    const std::vector<ProfilePoint> blade{{0.0f, 0.0f}, {0.075f, 0.0f}, {0.075f, 0.0f}, {0.07f, 1.15f}, {0.0f, 1.38f}};
    AddLathe(mesh, blade, 4, {{0.0f, 0.15f, 0.0f}, Quat{}}, steel, hilt, 1.0f, 0.22f);
    return mesh;
}

Mesh BuildSpear()
{
    // Held at the origin, pointing ahead (-Z) with the tip 1.55 in front.
    Mesh mesh;
    const int wood = AddMaterial(mesh, Plain(0.55f, 0.36f, 0.2f));
    const int steel = AddMaterial(mesh, Plain(0.8f, 0.82f, 0.88f, 40.0f, 0.9f));
    const int cloth = AddMaterial(mesh, Plain(0.85f, 0.15f, 0.12f));
    const Skin shaft = Rigid(0);
    AddTube(mesh, {0.0f, 0.0f, 0.85f}, {0.0f, 0.0f, -1.25f}, 0.03f, 0.028f, 8, wood, shaft);
    // A leaf-shaped head, flat in the upright plane so it shows from the side.
    const std::vector<ProfilePoint> head{{0.0f, 0.0f}, {0.045f, 0.02f}, {0.09f, 0.1f}, {0.07f, 0.2f}, {0.0f, 0.35f}};
    AddLathe(mesh, head, 6, {{0.0f, 0.0f, -1.2f}, QuatFromUp({0.0f, 0.0f, -1.0f})}, steel, shaft, 0.3f, 1.0f);
    AddBand(mesh, {0.0f, 0.0f, -1.08f}, 0.04f, 0.1f, 8, cloth, shaft, QuatFromUp({0.0f, 0.0f, -1.0f}));
    AddEllipsoid(mesh, {0.0f, 0.0f, 0.87f}, {0.045f, 0.045f, 0.045f}, 5, 8, steel, shaft);
    return mesh;
}

Mesh BuildStaff()
{
    // Held at the origin, upright: the foot reaches the ground below the hand.
    Mesh mesh;
    const int wood = AddMaterial(mesh, Plain(0.45f, 0.28f, 0.15f));
    const int gold = AddMaterial(mesh, Plain(0.95f, 0.75f, 0.25f, 30.0f, 0.7f));
    Material orbMaterial = Plain(0.4f, 1.0f, 0.9f, 50.0f, 1.0f);
    orbMaterial.emissive = {0.2f, 0.5f, 0.45f};
    const int orb = AddMaterial(mesh, orbMaterial);
    const Skin rod = Rigid(0);
    AddTube(mesh, {0.0f, -0.9f, 0.0f}, {0.0f, 0.72f, 0.0f}, 0.03f, 0.04f, 8, wood, rod);
    AddTube(mesh, {0.0f, 0.7f, 0.0f}, {0.0f, 0.78f, 0.0f}, 0.06f, 0.06f, 8, gold, rod);
    for (int k = 0; k < 3; ++k) {
        const float angle = 2.0f * Pi * static_cast<float>(k) / 3.0f;
        const V3 out{0.11f * std::cos(angle), 0.0f, 0.11f * std::sin(angle)};
        AddCone(mesh, V3{0.0f, 0.76f, 0.0f} + out * 0.3f, V3{0.0f, 1.02f, 0.0f} + out, 0.025f, 5, gold, rod);
    }
    AddEllipsoid(mesh, {0.0f, 0.9f, 0.0f}, {0.1f, 0.1f, 0.1f}, 8, 10, orb, rod);
    return mesh;
}

Mesh BuildBubble()
{
    Mesh mesh;
    const int film = AddMaterial(mesh, Plain(0.55f, 0.85f, 1.0f, 60.0f, 1.0f));
    const int shine = AddMaterial(mesh, Plain(1.0f, 1.0f, 1.0f, 60.0f, 1.0f));
    AddEllipsoid(mesh, {0.0f, 0.0f, 0.0f}, {0.4f, 0.4f, 0.4f}, 10, 14, film, Rigid(0));
    AddEllipsoid(mesh, {-0.15f, 0.2f, -0.27f}, {0.08f, 0.05f, 0.03f}, 4, 8, shine, Rigid(0),
                 QuatEuler(-35.0f, 30.0f, 20.0f));
    return mesh;
}

Mesh BuildFire()
{
    // A bright core inside a teardrop flame that licks upward.
    Mesh mesh;
    Material flameMaterial = Plain(1.0f, 0.45f, 0.1f);
    flameMaterial.emissive = {0.8f, 0.3f, 0.05f};
    Material coreMaterial = Plain(1.0f, 0.92f, 0.35f);
    coreMaterial.emissive = {1.0f, 0.8f, 0.3f};
    const int flame = AddMaterial(mesh, flameMaterial);
    const int core = AddMaterial(mesh, coreMaterial);
    const std::vector<ProfilePoint> drop{{0.0f, -0.2f}, {0.12f, -0.17f}, {0.2f, -0.06f}, {0.19f, 0.06f},
                                         {0.12f, 0.18f}, {0.05f, 0.3f},  {0.0f, 0.4f}};
    AddLathe(mesh, drop, 10, {{0.0f, 0.0f, 0.0f}, Quat{}}, flame, Rigid(0));
    AddEllipsoid(mesh, {0.0f, -0.02f, 0.0f}, {0.13f, 0.13f, 0.13f}, 6, 10, core, Rigid(0));
    for (int k = 0; k < 4; ++k) {
        const float angle = 2.0f * Pi * (static_cast<float>(k) + 0.125f) / 4.0f;
        const V3 base{0.12f * std::cos(angle), 0.02f, 0.12f * std::sin(angle)};
        AddCone(mesh, base, base * 1.6f + V3{0.0f, 0.22f, 0.0f}, 0.06f, 6, flame, Rigid(0));
    }
    return mesh;
}

Mesh BuildSelectGround()
{
    Mesh mesh;
    Material stone = Plain(1.0f, 1.0f, 1.0f);
    stone.texture = FloorTexture;
    const int floor = AddMaterial(mesh, stone);
    AddFloorTiles(mesh, -12.0f, 24.0f, -12.0f, 12.0f, 2.0f, 0.0f, floor);
    return mesh;
}

Mesh BuildStageGround()
{
    Mesh mesh;
    Material grass = Plain(1.0f, 1.0f, 1.0f);
    grass.texture = GrassTexture;
    const int field = AddMaterial(mesh, grass);
    AddFloorTiles(mesh, -40.0f, 40.0f, -180.0f, 30.0f, 5.0f, 0.0f, field);
    return mesh;
}

Mesh BuildStageWall()
{
    // Only the inner faces exist: the wall tests stop a body only against a
    // front face, and an outward face behind a body would stop it wrongly.
    Mesh mesh;
    Material stone = Plain(1.0f, 1.0f, 1.0f);
    stone.texture = WallTexture;
    const int wall = AddMaterial(mesh, stone);
    const V3 nearLeft{WallLeft, 0.0f, WallNear};
    const V3 nearRight{WallRight, 0.0f, WallNear};
    const V3 farLeft{WallLeft, 0.0f, WallFar};
    const V3 farRight{WallRight, 0.0f, WallFar};
    AddWallFace(mesh, farLeft, nearLeft, WallBottom, WallTop, {1.0f, 0.0f, 0.0f}, wall);
    AddWallFace(mesh, nearRight, farRight, WallBottom, WallTop, {-1.0f, 0.0f, 0.0f}, wall);
    AddWallFace(mesh, nearLeft, nearRight, WallBottom, WallTop, {0.0f, 0.0f, -1.0f}, wall);
    AddWallFace(mesh, farRight, farLeft, WallBottom, WallTop, {0.0f, 0.0f, 1.0f}, wall);
    return mesh;
}

Mesh BuildSky()
{
    // A dome of radius 1 seen from inside: bands from a pale horizon to a
    // deeper cyan overhead, reaching a little below the horizon so no gap shows.
    Mesh mesh;
    constexpr int Bands = 6;
    constexpr int Segments = 24;
    for (int band = 0; band < Bands; ++band) {
        const float t = static_cast<float>(band) / static_cast<float>(Bands - 1);
        // The sky is drawn with the plain lit program, whose unlit side keeps
        // only about 55% of a colour; the bands are stored brighter than 1 so
        // the dome still ends up a light cyan near the clear colour.
        const float lift = 1.7f;
        const int material = AddMaterial(
            mesh, Plain(lift * (0.62f - 0.5f * t), lift * (0.95f - 0.15f * t), lift * (0.98f - 0.03f * t), 1.0f, 0.0f));
        const float a0 = -0.15f * Pi + (0.65f * Pi) * static_cast<float>(band) / Bands;
        const float a1 = -0.15f * Pi + (0.65f * Pi) * static_cast<float>(band + 1) / Bands;
        std::vector<ProfilePoint> profile;
        for (int k = 0; k <= 3; ++k) {
            const float a = a0 + (a1 - a0) * static_cast<float>(k) / 3.0f;
            profile.push_back({std::cos(a), std::sin(a)});
        }
        if (band == Bands - 1) {
            profile.back().radius = 0.0f;
        }
        const size_t firstVertex = mesh.vertices.size();
        const size_t firstTriangle = mesh.triangles.size();
        AddLathe(mesh, profile, Segments, {{0.0f, 0.0f, 0.0f}, Quat{}}, material, Rigid(0));
        // Turn the band inside out: normals toward the centre, winding to match.
        for (size_t v = firstVertex; v < mesh.vertices.size(); ++v) {
            mesh.vertices[v].normal = mesh.vertices[v].normal * -1.0f;
        }
        for (size_t t2 = firstTriangle; t2 < mesh.triangles.size(); ++t2) {
            std::swap(mesh.triangles[t2].b, mesh.triangles[t2].c);
        }
    }
    return mesh;
}
