// Where the shadow pass can have drawn. Each shadow draw works out, on the
// processor, a window rectangle that holds every pixel its geometry can
// cover; the depth copy then only copies those rectangles, because
// everywhere else the window's depth buffer and the shadow map both hold the
// cleared depth. No GL here, so the bounds are tested without a window.
#pragma once

#include <vector>

#include "math/vector_math.h"

struct ModelVertex;
struct SkinModel;

// An axis-aligned box in model space; empty until a point is added.
struct Box {
    Vec3 low;
    Vec3 high;
    bool empty = true;

    void Add(Vec3 point);
};

// Whole pixels x0..x1-1 by y0..y1-1 in GL window coordinates (origin at the
// bottom left, like glCopyTexSubImage2D); empty when x0 >= x1 or y0 >= y1.
struct PixelRect {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;

    bool Empty() const { return x0 >= x1 || y0 >= y1; }
};

// The box around the vertices' positions.
Box MeshBox(const std::vector<ModelVertex>& vertices);

PixelRect WholeWindowRect();
PixelRect RectUnion(const PixelRect& a, const PixelRect& b);

// The window pixels a draw with clip transform `toClip` can cover when all
// its geometry lies inside `box`. The box's eight corners are projected; the
// rectangle around them grows by a margin for rounding and is cut to the
// window. A corner on or behind the eye plane (or a non-finite result) gives
// the whole window, since the projection no longer bounds the geometry.
PixelRect CoveredPixels(const Matrix4& toClip, const Box& box);

// What bounds a skinned mesh in any pose: for each bone, the box of the rest
// positions of the vertices it moves, and the box of the vertices no bone
// moves (the skinning shader leaves those where they are). A posed vertex is
// a weighted mean of its bones' transforms of it, so it lies inside the
// boxes its bones carry. Weights below zero break that, and the model is
// then bounded by the whole window (`known` false).
struct SkinBounds {
    bool known = false;
    std::vector<Box> boneBoxes;  // one per bone
    Box unmoved;
};

SkinBounds MeasureSkinBounds(const SkinModel& model);

// CoveredPixels for a skinned draw with these bone matrices (the pose the
// draw uploads). Bone matrices whose last row is not (0, 0, 0, 1) would make
// the blend a projective one, so they give the whole window too.
PixelRect CoveredPixelsSkinned(const Matrix4& toClip, const SkinBounds& bounds,
                               const std::vector<Matrix4>& boneMatrices);
