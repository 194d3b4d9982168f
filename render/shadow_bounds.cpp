#include "render/shadow_bounds.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/window.h"
#include "render/skin_model.h"

namespace {

// Pixels added on every side of a projected rectangle. The driver transforms
// the vertices with the same matrices in single precision, so its positions
// differ from ours by a tiny fraction of a pixel; the margin absorbs that and
// the rounding of positions to pixels with room to spare.
constexpr int Margin = 2;

// The smallest window-space rectangle around the projected points seen so far.
class Extent {
public:
    void Add(const Matrix4& toClip, Vec3 point)
    {
        const Vec4 clip = MatTransform(toClip, Vec4{point.x, point.y, point.z, 1.0f});
        if (!(clip.w > 0.0f)) {
            whole = true;
            return;
        }
        const float x = (clip.x / clip.w + 1.0f) * 0.5f * static_cast<float>(WindowWidth);
        const float y = (clip.y / clip.w + 1.0f) * 0.5f * static_cast<float>(WindowHeight);
        if (!std::isfinite(x) || !std::isfinite(y)) {
            whole = true;
            return;
        }
        lowX = std::min(lowX, x);
        lowY = std::min(lowY, y);
        highX = std::max(highX, x);
        highY = std::max(highY, y);
    }

    void AddBox(const Matrix4& toClip, const Box& box)
    {
        if (box.empty) {
            return;
        }
        for (int corner = 0; corner < 8; ++corner) {
            Add(toClip, Vec3{(corner & 1) != 0 ? box.high.x : box.low.x, (corner & 2) != 0 ? box.high.y : box.low.y,
                             (corner & 4) != 0 ? box.high.z : box.low.z});
        }
    }

    void MakeWhole() { whole = true; }

    PixelRect Rect() const
    {
        if (whole) {
            return WholeWindowRect();
        }
        if (lowX > highX) {
            return PixelRect{};
        }
        return PixelRect{Pixel(std::floor(lowX) - Margin, WindowWidth), Pixel(std::floor(lowY) - Margin, WindowHeight),
                         Pixel(std::ceil(highX) + Margin, WindowWidth), Pixel(std::ceil(highY) + Margin, WindowHeight)};
    }

private:
    // Cut to the window in floating point first, so far-off points convert safely.
    static int Pixel(float value, int limit) { return static_cast<int>(std::clamp(value, 0.0f, static_cast<float>(limit))); }

    float lowX = std::numeric_limits<float>::infinity();
    float lowY = std::numeric_limits<float>::infinity();
    float highX = -std::numeric_limits<float>::infinity();
    float highY = -std::numeric_limits<float>::infinity();
    bool whole = false;
};

bool IsAffine(const Matrix4& m)
{
    return m.m[3] == 0.0f && m.m[7] == 0.0f && m.m[11] == 0.0f && m.m[15] == 1.0f;
}

// The skinning shaders use a bone slot only for indices 0..MaxSkinBones-1
// with a weight other than zero.
bool MovesVertex(int bone, float weight)
{
    return bone >= 0 && bone < MaxSkinBones && weight != 0.0f;
}

}  // namespace

void Box::Add(Vec3 point)
{
    if (empty) {
        low = point;
        high = point;
        empty = false;
        return;
    }
    low = Vec3{std::min(low.x, point.x), std::min(low.y, point.y), std::min(low.z, point.z)};
    high = Vec3{std::max(high.x, point.x), std::max(high.y, point.y), std::max(high.z, point.z)};
}

Box MeshBox(const std::vector<ModelVertex>& vertices)
{
    Box box;
    for (const ModelVertex& vertex : vertices) {
        box.Add(Vec3{vertex.x, vertex.y, vertex.z});
    }
    return box;
}

PixelRect WholeWindowRect()
{
    return PixelRect{0, 0, WindowWidth, WindowHeight};
}

PixelRect RectUnion(const PixelRect& a, const PixelRect& b)
{
    if (a.Empty()) {
        return b;
    }
    if (b.Empty()) {
        return a;
    }
    return PixelRect{std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

PixelRect CoveredPixels(const Matrix4& toClip, const Box& box)
{
    Extent extent;
    extent.AddBox(toClip, box);
    return extent.Rect();
}

SkinBounds MeasureSkinBounds(const SkinModel& model)
{
    SkinBounds bounds;
    // Without an influence for every vertex the draw would read past the
    // end of the skinning buffers.
    if (model.vertices.size() != model.influences.size()) {
        return bounds;
    }
    bounds.boneBoxes.resize(static_cast<size_t>(std::max(model.boneCount, 0)));
    for (size_t v = 0; v < model.vertices.size(); ++v) {
        const ModelVertex& vertex = model.vertices[v];
        const Vec3 rest{vertex.x, vertex.y, vertex.z};
        const VertexInfluence& influence = model.influences[v];
        bool moved = false;
        for (int slot = 0; slot < MaxInfluences; ++slot) {
            const int bone = influence.bone[slot];
            const float weight = influence.weight[slot];
            if (!MovesVertex(bone, weight)) {
                continue;
            }
            // A bone the model does not upload would be read from whatever
            // an earlier draw left in the shader.
            if (weight < 0.0f || bone >= model.boneCount) {
                return SkinBounds{};
            }
            bounds.boneBoxes[static_cast<size_t>(bone)].Add(rest);
            moved = true;
        }
        if (!moved) {
            bounds.unmoved.Add(rest);
        }
    }
    bounds.known = true;
    return bounds;
}

PixelRect CoveredPixelsSkinned(const Matrix4& toClip, const SkinBounds& bounds,
                               const std::vector<Matrix4>& boneMatrices)
{
    Extent extent;
    if (!bounds.known || boneMatrices.size() < bounds.boneBoxes.size()) {
        extent.MakeWhole();
        return extent.Rect();
    }
    for (size_t bone = 0; bone < bounds.boneBoxes.size(); ++bone) {
        if (bounds.boneBoxes[bone].empty) {
            continue;
        }
        if (!IsAffine(boneMatrices[bone])) {
            extent.MakeWhole();
            break;
        }
        extent.AddBox(MatMultiply(toClip, boneMatrices[bone]), bounds.boneBoxes[bone]);
    }
    extent.AddBox(toClip, bounds.unmoved);
    return extent.Rect();
}
