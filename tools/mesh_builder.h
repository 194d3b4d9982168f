// Building blocks for the generated models: a little vector and quaternion
// kit, the mesh record the .x writer consumes, and primitive shapes (lathes,
// ellipsoids, tubes, boxes, slabs) placed in model space and bound to bones.
#pragma once

#include <array>
#include <string>
#include <vector>

struct V3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

inline V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline V3 operator*(V3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
float Dot(V3 a, V3 b);
V3 Cross(V3 a, V3 b);
float Length(V3 a);
V3 Normalize(V3 a);
V3 Lerp(V3 a, V3 b, float t);

// Rotation quaternion with the scalar part first, as the model files store it.
struct Quat {
    float w = 1.0f;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

Quat QuatMul(Quat a, Quat b);
Quat QuatAxisAngle(V3 axis, float degrees);
// Rotation about X first, then Y, then Z, all about the fixed model axes.
Quat QuatEuler(float xDegrees, float yDegrees, float zDegrees);
// The rotation that turns +Y onto `direction`.
Quat QuatFromUp(V3 direction);
V3 Rotate(Quat q, V3 v);

struct Colour {
    float r = 1.0f;
    float g = 1.0f;
    float b = 1.0f;
    float a = 1.0f;
};

struct Material {
    Colour diffuse;
    float power = 10.0f;
    V3 specular{0.2f, 0.2f, 0.2f};
    V3 emissive;
    std::string texture; // relative path, empty for none
};

constexpr int MaxInfluences = 4;

struct Vertex {
    V3 position;
    V3 normal;
    float u = 0.0f;
    float v = 0.0f;
    std::array<int, MaxInfluences> bones{-1, -1, -1, -1};
    std::array<float, MaxInfluences> weights{0.0f, 0.0f, 0.0f, 0.0f};
};

struct Triangle {
    int a = 0;
    int b = 0;
    int c = 0;
    int material = 0;
};

struct Mesh {
    std::vector<Vertex> vertices;
    std::vector<Triangle> triangles;
    std::vector<Material> materials;
};

int AddMaterial(Mesh& mesh, const Material& material);
Material Plain(float r, float g, float b, float power = 10.0f, float specular = 0.2f);

// Where a primitive goes: its local origin and orientation in model space.
struct Place {
    V3 origin;
    Quat rotation;
};

// Which bones move a primitive. A rigid part follows `bone`; a blended part
// shares its vertices with `parentBone` near `from` (half and half at `from`,
// fading to the bone alone `blend` units along from -> to), which keeps elbows,
// knees and tails from tearing open when they bend.
struct Skin {
    int bone = 0;
    int parentBone = -1;
    V3 from;
    V3 to;
    float blend = 0.0f;
};

Skin Rigid(int bone);
Skin Blended(int bone, int parentBone, V3 from, V3 to, float blend);

// A point of a lathe profile: distance from the axis and height along it.
struct ProfilePoint {
    float radius = 0.0f;
    float height = 0.0f;
};

// Surface of revolution about the local +Y axis with smooth normals. A profile
// point given twice in a row makes a hard crease; radius 0 closes a pole.
// `squashX` and `squashZ` scale the local X and Z radii (ovals).
void AddLathe(Mesh& mesh, const std::vector<ProfilePoint>& profile, int segments, const Place& place,
              int material, const Skin& skin, float squashX = 1.0f, float squashZ = 1.0f);
void AddEllipsoid(Mesh& mesh, V3 centre, V3 radii, int rings, int segments, int material,
                  const Skin& skin, Quat rotation = Quat{});
// Rounded tube from `a` to `b` (capsule-like ends) with radii ra at a, rb at b.
void AddTube(Mesh& mesh, V3 a, V3 b, float ra, float rb, int segments, int material, const Skin& skin);
// Closed cylinder (flat ends, hard rims) standing on `base` along local +Y.
void AddBand(Mesh& mesh, V3 base, float radius, float height, int segments, int material, const Skin& skin,
             Quat rotation = Quat{});
// Cone from a base circle at `base` to the apex at `apex`, with a closed base.
void AddCone(Mesh& mesh, V3 base, V3 apex, float radius, int segments, int material, const Skin& skin);
// Box with flat faces; every face carries texture coordinates 0..1.
void AddBox(Mesh& mesh, V3 centre, V3 halfSize, int material, const Skin& skin, Quat rotation = Quat{});
// Flat plate from a polygon outline (x, z pairs, star-shaped about its first
// point's fan centre (the outline's mean)) with the given thickness along local Y.
void AddSlab(Mesh& mesh, const std::vector<std::array<float, 2>>& outline, float thickness,
             const Place& place, int material, const Skin& skin);

// Gives every vertex the bone weights of `skin` from its position.
void ApplySkin(Mesh& mesh, size_t firstVertex, const Skin& skin);
