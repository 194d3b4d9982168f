#include "render/sprite.h"

#include <GL/glew.h>  // Required for: buffer, program and texture entry points

#include <cstdio>

#include "render/frame_profile.h"
#include "render/shaders.h"
#include "render/texture.h"

Matrix4 ScreenProjection;

namespace {

constexpr int TextureUnitColour = 1;
constexpr GLint UseTexture = 0;
constexpr size_t NumberTextSize = 256;
// Sprites are never blended: a texel whose alpha (times the colour's) is
// below this is cut out, so the depth buffer stays right for whatever is
// drawn behind it later.
constexpr GLfloat CutoutAlpha = 0.5f;

// The cut-out is the alpha test rather than a discard in the shaders. With
// either, the driver has to shade a fragment before it may write its depth,
// which on the software renderer costs the title screen (whose last sprite
// is a full-window background) about a seventh of its frame. A sprite of
// opaque art in full colour can never cut anything out, so it draws with
// the test off and takes the driver's faster path.
bool NeedsCutout(int slot, const float* colour)
{
    return TextureTable.name[slot] == 0 || TextureTable.opaque[slot] == 0 || colour[3] < 1.0f;
}

void UseSpriteTexture(const ShaderProgram& program, const SpriteQuad& quad, int slot, const float* colour)
{
    // Texel coordinates become 0..1 against the slot's image size. An empty
    // slot that never held an image has size 0; dividing by 1 instead keeps
    // the coordinates finite.
    const float width = TextureTable.width[slot] > 0 ? static_cast<float>(TextureTable.width[slot]) : 1.0f;
    const float height = TextureTable.height[slot] > 0 ? static_cast<float>(TextureTable.height[slot]) : 1.0f;
    SpriteQuad normalised = quad;
    for (SpriteVertex& vertex : normalised.vertex) {
        vertex.s /= width;
        vertex.t /= height;
    }
    glBindBuffer(GL_ARRAY_BUFFER, QuadVertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof normalised, &normalised, GL_STATIC_DRAW);
    glInterleavedArrays(GL_T2F_V3F, 0, nullptr);

    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, QuadIndexBuffer);
    glUniform1i(program.useTex, UseTexture);
    glActiveTexture(GL_TEXTURE0 + TextureUnitColour);
    glUniform1i(program.texture, TextureUnitColour);
    glBindTexture(GL_TEXTURE_2D, TextureTable.name[slot]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    // Only for this draw: the model draws cut out in their own shaders.
    const bool cutout = NeedsCutout(slot, colour);
    if (cutout) {
        glAlphaFunc(GL_GEQUAL, CutoutAlpha);
        glEnable(GL_ALPHA_TEST);
    }
    glDrawElements(GL_QUADS, 4, GL_UNSIGNED_SHORT, nullptr);
    if (cutout) {
        glDisable(GL_ALPHA_TEST);
    }
}

bool ValidSlot(int slot)
{
    return slot >= 0 && slot < TextureSlotCount;
}

// Calls draw(digit, index) for each character of the value written in
// decimal; a '-' is drawn as the digit 0.
template <typename DrawDigit>
void ForEachDigit(int value, DrawDigit draw)
{
    char text[NumberTextSize] = {};
    std::snprintf(text, sizeof text, "%d", value);
    for (int index = 0; text[index] != '\0'; ++index) {
        const char c = text[index];
        draw(c >= '0' && c <= '9' ? c - '0' : 0, index);
    }
}

SpriteQuad DigitQuad(const NumberFont& font, int digit, float left, float top, float right, float bottom)
{
    const float s0 = static_cast<float>(digit * font.cellSize + font.originS);
    const float s1 = s0 + static_cast<float>(font.cellSize);
    const float t0 = static_cast<float>(font.originT);
    const float t1 = t0 + static_cast<float>(font.cellSize);
    return MakeSpriteQuad(s0, t0, s1, t1, left, top, right, bottom, 0.0f);
}

}  // namespace

void InitScreenProjection()
{
    // x_clip = x / 400 - 1, y_clip = 1 - y / 300.
    ScreenProjection = Matrix4{{0.0025f, 0.0f, 0.0f, 0.0f, 0.0f, -0.0033333334f, 0.0f, 0.0f, 0.0f,
                                0.0f, 1.0f, 0.0f, -1.0f, 1.0f, 0.0f, 1.0f}};
}

SpriteQuad MakeSpriteQuad(float s0, float t0, float s1, float t1, float left, float top, float right,
                          float bottom, float z)
{
    SpriteQuad quad;
    quad.vertex[0] = {s0, t0, left, top, z};
    quad.vertex[1] = {s0, t1, left, bottom, z};
    quad.vertex[2] = {s1, t0, right, top, z};
    quad.vertex[3] = {s1, t1, right, bottom, z};
    return quad;
}

void DrawSprite(const SpriteQuad& quad, const float* colour, int slot)
{
    if (!ValidSlot(slot)) {
        return;
    }
    StageTimer timer(FrameStage::Sprites);
    glUseProgram(Draw2DProgram.program);
    glUniform4fv(Draw2DProgram.diffuse, 1, colour);
    glUniformMatrix4fv(Draw2DProgram.proj, 1, GL_FALSE, ScreenProjection.m);
    UseSpriteTexture(Draw2DProgram, quad, slot, colour);
}

void DrawSpriteInSpace(const SpriteQuad& quad, const float* colour, int slot, const Matrix4& view,
                       const Matrix4& world, const Matrix4& projection)
{
    if (!ValidSlot(slot)) {
        return;
    }
    StageTimer timer(FrameStage::Sprites);
    const Matrix4 wvp = MatMultiply(projection, MatMultiply(view, world));
    glUseProgram(Draw2DTo3DSpaceProgram.program);
    glUniform4fv(Draw2DTo3DSpaceProgram.diffuse, 1, colour);
    glUniformMatrix4fv(Draw2DTo3DSpaceProgram.wvpMat, 1, GL_FALSE, wvp.m);
    UseSpriteTexture(Draw2DTo3DSpaceProgram, quad, slot, colour);
}

void DrawNumber(const NumberFont& font, const float* colour, int value, int x, int y, int size)
{
    ForEachDigit(value, [&](int digit, int index) {
        const auto left = static_cast<float>(x + index * size);
        const SpriteQuad quad = DigitQuad(font, digit, left, static_cast<float>(y),
                                          left + static_cast<float>(size), static_cast<float>(y + size));
        DrawSprite(quad, colour, font.slot);
    });
}

void DrawNumberInSpace(const NumberFont& font, const float* colour, int value, const Matrix4& view,
                       const Matrix4& world, const Matrix4& projection)
{
    ForEachDigit(value, [&](int digit, int index) {
        const auto centre = static_cast<float>(2 * index);
        const SpriteQuad quad = DigitQuad(font, digit, centre - 1.0f, 1.0f, centre + 1.0f, -1.0f);
        DrawSpriteInSpace(quad, colour, font.slot, view, world, projection);
    });
}
