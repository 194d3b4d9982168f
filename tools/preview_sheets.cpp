// kestrune_preview_sheets DATA_DIR OUT_DIR: contact sheets of every model in
// DATA_DIR/model, read by the game's own readers and posed by its own posing
// code, then drawn by a small software rasteriser lit like the game's plain
// model programs (so it needs no GL context and runs anywhere).
//
// A character's sheet has two rows per animation set (front, then side) and a
// column per time 0, 10, ..., 60, with its weapon in the hand bone the game
// uses. preview_props.png shows each static model from two angles.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <png.h> // Required for: png_image_begin_read_from_file (texture reading)

#include "math/vector_math.h"
#include "render/posing.h"
#include "render/skin_model.h"
#include "render/static_model.h"
#include "tools/png_writer.h"

namespace {

constexpr int Cell = 200;
constexpr int Supersample = 2;
constexpr float FieldOfView = 0.5233334f; // 30 degrees, as the game's cameras
// The game's clear colour, so models are judged against the stage's sky.
constexpr float Background[3] = {0.0f, 0.9f, 0.9f};
// The plain model programs' key light and strengths.
constexpr Vec3 KeyLight{0.3f, 0.8f, 0.52f};
constexpr float Ambient = 0.55f;
constexpr float KeyStrength = 0.5f;

struct Texture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

struct Corner {
    Vec3 position; // model or world space before projection
    Vec3 normal;
    float s = 0.0f;
    float t = 0.0f;
};

struct Triangle {
    Corner corner[3];
    const float* diffuse = nullptr;
    const Texture* texture = nullptr;
};

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const Texture* TextureFor(const std::string& dataDir, const std::string& path)
{
    static std::map<std::string, Texture> cache;
    if (path.empty()) {
        return nullptr;
    }
    auto found = cache.find(path);
    if (found == cache.end()) {
        Texture texture;
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        if (png_image_begin_read_from_file(&image, (dataDir + "/" + path).c_str()) != 0) {
            image.format = PNG_FORMAT_RGBA;
            texture.width = static_cast<int>(image.width);
            texture.height = static_cast<int>(image.height);
            texture.rgba.resize(PNG_IMAGE_SIZE(image));
            if (png_image_finish_read(&image, nullptr, texture.rgba.data(), 0, nullptr) == 0) {
                texture = Texture{};
            }
        }
        found = cache.emplace(path, std::move(texture)).first;
    }
    return found->second.width > 0 ? &found->second : nullptr;
}

// A square picture with a depth buffer, drawn at Supersample times the cell size.
class Canvas {
public:
    Canvas() : size_(Cell * Supersample), colour_(static_cast<size_t>(size_) * size_ * 3), depth_(colour_.size() / 3, 2.0f)
    {
        for (size_t i = 0; i < depth_.size(); ++i) {
            std::copy_n(Background, 3, &colour_[i * 3]);
        }
    }

    void Draw(const std::vector<Triangle>& triangles, const Matrix4& viewProjection)
    {
        for (const Triangle& triangle : triangles) {
            DrawTriangle(triangle, viewProjection);
        }
    }

    // The picture at cell size, RGBA, top row first.
    std::vector<std::uint8_t> Picture() const
    {
        std::vector<std::uint8_t> out(static_cast<size_t>(Cell) * Cell * 4);
        for (int y = 0; y < Cell; ++y) {
            for (int x = 0; x < Cell; ++x) {
                for (int c = 0; c < 3; ++c) {
                    float sum = 0.0f;
                    for (int dy = 0; dy < Supersample; ++dy) {
                        for (int dx = 0; dx < Supersample; ++dx) {
                            sum += colour_[(static_cast<size_t>(y * Supersample + dy) * size_ + x * Supersample + dx) * 3 + c];
                        }
                    }
                    const float average = sum / (Supersample * Supersample);
                    out[(static_cast<size_t>(y) * Cell + x) * 4 + c] =
                        static_cast<std::uint8_t>(std::clamp(average, 0.0f, 1.0f) * 255.0f + 0.5f);
                }
                out[(static_cast<size_t>(y) * Cell + x) * 4 + 3] = 255;
            }
        }
        return out;
    }

private:
    void DrawTriangle(const Triangle& triangle, const Matrix4& viewProjection)
    {
        float sx[3] = {};
        float sy[3] = {};
        float sz[3] = {};
        for (int k = 0; k < 3; ++k) {
            const Vec3 p = triangle.corner[k].position;
            const Vec4 clip = MatTransform(viewProjection, {p.x, p.y, p.z, 1.0f});
            if (clip.w <= 1e-4f) {
                return; // behind the eye; the sheets never need clipping
            }
            sx[k] = (clip.x / clip.w * 0.5f + 0.5f) * static_cast<float>(size_);
            sy[k] = (0.5f - clip.y / clip.w * 0.5f) * static_cast<float>(size_);
            sz[k] = clip.z / clip.w;
        }
        const float area = (sx[1] - sx[0]) * (sy[2] - sy[0]) - (sy[1] - sy[0]) * (sx[2] - sx[0]);
        if (std::fabs(area) < 1e-8f) {
            return;
        }
        const int x0 = std::max(0, static_cast<int>(std::floor(std::min({sx[0], sx[1], sx[2]}))));
        const int x1 = std::min(size_ - 1, static_cast<int>(std::ceil(std::max({sx[0], sx[1], sx[2]}))));
        const int y0 = std::max(0, static_cast<int>(std::floor(std::min({sy[0], sy[1], sy[2]}))));
        const int y1 = std::min(size_ - 1, static_cast<int>(std::ceil(std::max({sy[0], sy[1], sy[2]}))));
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                const float px = static_cast<float>(x) + 0.5f;
                const float py = static_cast<float>(y) + 0.5f;
                const float w0 = ((sx[1] - px) * (sy[2] - py) - (sy[1] - py) * (sx[2] - px)) / area;
                const float w1 = ((sx[2] - px) * (sy[0] - py) - (sy[2] - py) * (sx[0] - px)) / area;
                const float w2 = 1.0f - w0 - w1;
                if (w0 < 0.0f || w1 < 0.0f || w2 < 0.0f) {
                    continue;
                }
                const float z = w0 * sz[0] + w1 * sz[1] + w2 * sz[2];
                const size_t at = static_cast<size_t>(y) * size_ + x;
                if (z < -1.0f || z >= depth_[at]) {
                    continue;
                }
                depth_[at] = z;
                Shade(triangle, w0, w1, w2, &colour_[at * 3]);
            }
        }
    }

    static void Shade(const Triangle& tri, float w0, float w1, float w2, float* out)
    {
        const Corner* c = tri.corner;
        const Vec3 normal = Vec3Normalize(c[0].normal * w0 + c[1].normal * w1 + c[2].normal * w2);
        const float facing = std::max(Dot(normal, Vec3Normalize(KeyLight)), 0.0f);
        const float light = Ambient + KeyStrength * facing;
        float base[3] = {tri.diffuse[0], tri.diffuse[1], tri.diffuse[2]};
        if (tri.texture != nullptr) {
            const float s = std::clamp(c[0].s * w0 + c[1].s * w1 + c[2].s * w2, 0.0f, 1.0f);
            const float t = std::clamp(c[0].t * w0 + c[1].t * w1 + c[2].t * w2, 0.0f, 1.0f);
            const int tx = std::min(static_cast<int>(s * static_cast<float>(tri.texture->width)), tri.texture->width - 1);
            const int ty = std::min(static_cast<int>(t * static_cast<float>(tri.texture->height)), tri.texture->height - 1);
            const std::uint8_t* texel = &tri.texture->rgba[(static_cast<size_t>(ty) * tri.texture->width + tx) * 4];
            for (int k = 0; k < 3; ++k) {
                base[k] *= static_cast<float>(texel[k]) / 255.0f;
            }
        }
        for (int k = 0; k < 3; ++k) {
            out[k] = std::min(base[k] * light, 1.0f);
        }
    }

    int size_;
    std::vector<float> colour_;
    std::vector<float> depth_;
};

Corner CornerOf(const ModelVertex& v, const Matrix4& m)
{
    const Vec4 p = MatTransform(m, {v.x, v.y, v.z, 1.0f});
    const Vec4 n = MatTransform(m, {v.nx, v.ny, v.nz, 0.0f});
    return {{p.x, p.y, p.z}, {n.x, n.y, n.z}, v.s, v.t};
}

void AddMeshTriangles(const std::vector<ModelVertex>& vertices, const std::vector<ModelMaterial>& materials,
                      const std::vector<Matrix4>& perVertex, const std::string& dataDir, std::vector<Triangle>& out)
{
    for (const ModelMaterial& material : materials) {
        const Texture* texture = TextureFor(dataDir, material.texturePath);
        for (size_t i = 0; i + 2 < material.triangleIndices.size(); i += 3) {
            Triangle triangle;
            for (int k = 0; k < 3; ++k) {
                const uint16_t index = material.triangleIndices[i + k];
                triangle.corner[k] = CornerOf(vertices[index], perVertex[perVertex.size() == 1 ? 0 : index]);
            }
            triangle.diffuse = material.diffuse;
            triangle.texture = texture;
            out.push_back(triangle);
        }
    }
}

// Each vertex's blended bone matrix, as the skinning shader builds it.
std::vector<Matrix4> SkinMatrices(const SkinModel& model)
{
    std::vector<Matrix4> out(model.vertices.size());
    for (size_t v = 0; v < out.size(); ++v) {
        Matrix4 blended;
        std::fill(std::begin(blended.m), std::end(blended.m), 0.0f);
        float total = 0.0f;
        for (int k = 0; k < MaxInfluences; ++k) {
            const int bone = model.influences[v].bone[k];
            const float weight = model.influences[v].weight[k];
            if (bone >= 0 && bone < model.boneCount && weight != 0.0f) {
                for (int e = 0; e < 16; ++e) {
                    blended.m[e] += model.boneMatrices[bone].m[e] * weight;
                }
                total += weight;
            }
        }
        out[v] = total > 0.0f ? blended : MatIdentity();
    }
    return out;
}

struct Bounds {
    Vec3 centre;
    float radius = 1.0f;
};

Bounds BoundsOf(const std::vector<ModelVertex>& vertices)
{
    Vec3 low{1e9f, 1e9f, 1e9f};
    Vec3 high{-1e9f, -1e9f, -1e9f};
    for (const ModelVertex& v : vertices) {
        low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
        high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
    }
    return {(low + high) * 0.5f, std::max(Length(high - low) * 0.5f, 0.1f)};
}

Matrix4 Camera(const Bounds& b, Vec3 direction, float margin)
{
    const float distance = b.radius * margin / std::sin(FieldOfView * 0.5f);
    const Matrix4 projection = MatPerspective(FieldOfView, 1.0f, distance * 0.05f, distance * 3.0f);
    const Matrix4 view = MatLookAt(b.centre + Vec3Normalize(direction) * distance, b.centre, {0.0f, 1.0f, 0.0f});
    return MatMultiply(projection, view);
}

class Sheet {
public:
    Sheet(int columns, int rows) : columns_(columns), pixels_(static_cast<size_t>(columns) * Cell * rows * Cell * 4) {}

    void Paste(int column, int row, const std::vector<std::uint8_t>& picture)
    {
        const size_t width = static_cast<size_t>(columns_) * Cell;
        for (int y = 0; y < Cell; ++y) {
            const size_t to = ((static_cast<size_t>(row) * Cell + y) * width + static_cast<size_t>(column) * Cell) * 4;
            std::copy_n(&picture[static_cast<size_t>(y) * Cell * 4], Cell * 4, &pixels_[to]);
        }
    }

    bool Write(const std::string& path) const
    {
        const int width = columns_ * Cell;
        return WritePng(path, width, static_cast<int>(pixels_.size() / 4 / static_cast<size_t>(width)), pixels_);
    }

private:
    int columns_;
    std::vector<std::uint8_t> pixels_;
};

struct Character {
    const char* name;
    const char* weapon; // static model in the hand, or null
    int hand;
};

const Character Characters[] = {
    {"Player", "3DWeapon", 12},  {"wivern001", nullptr, 0},  {"lizaldy", "spear001", 12}, {"jelly_green", nullptr, 0},
    {"jelly_blue", nullptr, 0}, {"jelly_red", nullptr, 0}, {"wizard", "staff", 6},
};

const char* const Props[] = {"3DWeapon", "spear001", "Bubble", "Fire", "ground",
                             "staff",    "Stage1Ground", "Stage1Wall", "sky"};

bool CharacterSheet(const Character& c, const std::string& dataDir, const std::string& outDir)
{
    SkinModel model;
    if (!ParseSkinModel(ReadText(dataDir + "/model/" + c.name + ".x"), model) || model.animationSetCount == 0) {
        std::fprintf(stderr, "%s.x did not load\n", c.name);
        return false;
    }
    StaticModel weapon;
    if (c.weapon != nullptr && !ParseStaticModel(ReadText(dataDir + "/model/" + c.weapon + ".x"), weapon)) {
        std::fprintf(stderr, "%s.x did not load\n", c.weapon);
        return false;
    }
    const Bounds bounds = BoundsOf(model.vertices);
    const Vec3 views[2] = {{0.0f, 0.15f, -1.0f}, {1.0f, 0.15f, 0.0f}};
    Sheet sheet(7, model.animationSetCount * 2);
    for (int set = 0; set < model.animationSetCount; ++set) {
        for (int column = 0; column < 7; ++column) {
            PoseSkinModel(model, set, 10.0f * static_cast<float>(column));
            std::vector<Triangle> triangles;
            AddMeshTriangles(model.vertices, model.materials, SkinMatrices(model), dataDir, triangles);
            if (c.weapon != nullptr) {
                // The mount the game uses: the bone's pose times its inverse offset.
                const Matrix4 mount =
                    MatMultiply(model.boneMatrices[c.hand], MatInverse(model.boneFrames[c.hand]->offsetMatrix));
                AddMeshTriangles(weapon.vertices, weapon.materials, {mount}, dataDir, triangles);
            }
            for (int side = 0; side < 2; ++side) {
                Canvas canvas;
                canvas.Draw(triangles, Camera(bounds, views[side], 1.1f));
                sheet.Paste(column, set * 2 + side, canvas.Picture());
            }
        }
    }
    return sheet.Write(outDir + "/preview_" + c.name + ".png");
}

bool PropsSheet(const std::string& dataDir, const std::string& outDir)
{
    Sheet sheet(static_cast<int>(std::size(Props)), 2);
    for (size_t column = 0; column < std::size(Props); ++column) {
        const std::string name = Props[column];
        StaticModel model;
        if (!ParseStaticModel(ReadText(dataDir + "/model/" + name + ".x"), model)) {
            std::fprintf(stderr, "%s.x did not load\n", name.c_str());
            return false;
        }
        std::vector<Triangle> triangles;
        AddMeshTriangles(model.vertices, model.materials, {MatIdentity()}, dataDir, triangles);
        const Bounds bounds = BoundsOf(model.vertices);
        for (int row = 0; row < 2; ++row) {
            Matrix4 camera;
            if (name == "sky") {
                // The sky is seen from inside, toward the horizon and then upward.
                camera = MatMultiply(MatPerspective(1.4f, 1.0f, 0.01f, 10.0f),
                                     MatLookAt({0.0f, 0.05f, 0.0f}, row == 0 ? Vec3{0.0f, 0.25f, -1.0f}
                                                                             : Vec3{0.0f, 1.0f, -0.4f},
                                               {0.0f, 1.0f, 0.0f}));
            } else {
                camera = Camera(bounds, row == 0 ? Vec3{0.6f, 0.5f, -1.0f} : Vec3{-1.0f, 1.2f, 0.4f}, 1.05f);
            }
            Canvas canvas;
            canvas.Draw(triangles, camera);
            sheet.Paste(static_cast<int>(column), row, canvas.Picture());
        }
    }
    return sheet.Write(outDir + "/preview_props.png");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: kestrune_preview_sheets DATA_DIR OUT_DIR\n");
        return 2;
    }
    const std::string dataDir = argv[1];
    const std::string outDir = argv[2];
    bool ok = true;
    for (const Character& c : Characters) {
        ok = CharacterSheet(c, dataDir, outDir) && ok;
    }
    ok = PropsSheet(dataDir, outDir) && ok;
    return ok ? 0 : 1;
}
