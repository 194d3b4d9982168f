#include "render/render_passes.h"

#include <GL/glew.h>  // Required for: viewport, culling, depth copy

#include <vector>

#include "app/scene.h"
#include "render/frame_profile.h"

unsigned int ShadowDepthTexture = 0;

namespace {

// The shadow map is the window's own depth buffer, so it has the window's size.
constexpr int FrameWidth = 800;
constexpr int FrameHeight = 600;

// The texture whose storage is specified, and what it holds: the window's
// depth from the last copy, which is the cleared depth `heldClearDepth`
// everywhere outside `heldDrawn`, the pixels that frame's draws reported.
unsigned int preparedTexture = 0;
PixelRect heldDrawn;
float heldClearDepth = 1.0f;
// The pixels this frame's shadow draws reported so far.
PixelRect drawnThisFrame;

// Gives the texture its storage once, holding the cleared depth an empty
// shadow pass would copy, so a screen without shadows never needs a copy.
void PrepareStorage(float clearDepth)
{
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, FrameWidth, FrameHeight, 0, GL_DEPTH_COMPONENT,
                 GL_FLOAT, nullptr);
    if (GLEW_ARB_clear_texture) {
        glClearTexImage(ShadowDepthTexture, 0, GL_DEPTH_COMPONENT, GL_FLOAT, &clearDepth);
    } else {
        const std::vector<float> cleared(static_cast<size_t>(FrameWidth) * FrameHeight, clearDepth);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, FrameWidth, FrameHeight, GL_DEPTH_COMPONENT, GL_FLOAT, cleared.data());
    }
    preparedTexture = ShadowDepthTexture;
    heldDrawn = PixelRect{};
    heldClearDepth = clearDepth;
}

void BindShadowDepthTexture()
{
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, ShadowDepthTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
}

float CurrentClearDepth()
{
    GLfloat clearDepth = 1.0f;
    glGetFloatv(GL_DEPTH_CLEAR_VALUE, &clearDepth);
    return clearDepth;
}

}  // namespace

void PrepareShadowDepthForLookup()
{
    if (ShadowDepthTexture == 0 || preparedTexture == ShadowDepthTexture) {
        return;
    }
    BindShadowDepthTexture();
    PrepareStorage(CurrentClearDepth());
}

void NoteShadowDraw(const PixelRect& covered)
{
    drawnThisFrame = RectUnion(drawnThisFrame, covered);
}

void InitShadowDepthTexture()
{
    glGenTextures(1, &ShadowDepthTexture);
    preparedTexture = 0;
}

void CopyShadowDepth()
{
    StageTimer timer(FrameStage::Copy);
    BindShadowDepthTexture();
    const float clearDepth = CurrentClearDepth();
    if (preparedTexture != ShadowDepthTexture || heldClearDepth != clearDepth) {
        if (drawnThisFrame.Empty()) {
            // Nothing to copy in: the storage waits for the first shadowed
            // draw (or the first shadow pass that draws), so a screen without
            // either, like the title, never pays for it.
            preparedTexture = 0;
            heldDrawn = PixelRect{};
            return;
        }
        PrepareStorage(clearDepth);
    }
    const PixelRect copy = RectUnion(drawnThisFrame, heldDrawn);
    if (!copy.Empty()) {
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, copy.x0, copy.y0, copy.x0, copy.y0, copy.x1 - copy.x0, copy.y1 - copy.y0);
    }
    heldDrawn = drawnThisFrame;
    drawnThisFrame = PixelRect{};
}

void RenderPasses()
{
    {
        // Shadow pass: only the back faces (seen from the light) write depth,
        // which keeps lit surfaces from shadowing themselves.
        StageTimer timer(FrameStage::Shadow);
        glViewport(0, 0, FrameWidth, FrameHeight);
        glEnable(GL_CULL_FACE);
        glCullFace(GL_FRONT);
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        glClear(GL_DEPTH_BUFFER_BIT);
        for (Object* object : ObjectList) {
            object->DrawShadow();
        }
        if (CurrentScene != nullptr) {
            CurrentScene->DrawShadow();
        }
    }
    CopyShadowDepth();

    StageTimer timer(FrameStage::Main);
    glViewport(0, 0, FrameWidth, FrameHeight);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (Object* object : ObjectList) {
        object->Draw();
    }
    if (CurrentScene != nullptr) {
        CurrentScene->Draw();
    }
}
