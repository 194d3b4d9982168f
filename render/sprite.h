// Textured quads on the screen or in the world, and decimal numbers drawn
// from a strip of digit cells.
#pragma once

#include "math/vector_math.h"

// Texel position (s right, t down from the image's top row) and position.
struct SpriteVertex {
    float s = 0.0f;
    float t = 0.0f;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// Vertices in the order top-left, bottom-left, top-right, bottom-right.
struct SpriteQuad {
    SpriteVertex vertex[4];
};

// The ten digit cells are squares of cellSize texels side by side, digit 0 at
// (originS, originT).
struct NumberFont {
    int slot = 0;
    int originS = 0;
    int originT = 0;
    int cellSize = 0;
};

// Window pixels (x right, y down, 800 by 600) to clip space.
extern Matrix4 ScreenProjection;
void InitScreenProjection();

// Builds a quad from a texel rectangle and a position rectangle (top < bottom
// on the screen; in the world "top" is simply the first row given).
SpriteQuad MakeSpriteQuad(float s0, float t0, float s1, float t1, float left, float top, float right,
                          float bottom, float z);

// The colour (red, green, blue, alpha) multiplies the texture. Texels with
// low alpha are cut out; nothing is blended. Slots outside 0..31 draw nothing.
void DrawSprite(const SpriteQuad& quad, const float* colour, int slot);
void DrawSpriteInSpace(const SpriteQuad& quad, const float* colour, int slot, const Matrix4& view,
                       const Matrix4& world, const Matrix4& projection);

// (x, y) is the top-left corner of the first digit in window pixels; each
// digit is a size-by-size square, the next one size pixels to the right.
// A minus sign is drawn with the cell of digit 0.
void DrawNumber(const NumberFont& font, const float* colour, int value, int x, int y, int size);

// Digit i covers x from 2i - 1 to 2i + 1 and y from 1 down to -1 in the
// world matrix's model space.
void DrawNumberInSpace(const NumberFont& font, const float* colour, int value, const Matrix4& view,
                       const Matrix4& world, const Matrix4& projection);
