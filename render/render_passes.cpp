#include "render/render_passes.h"

#include <GL/glew.h>  // Required for: viewport, culling, depth copy

#include "app/scene.h"
#include "render/frame_profile.h"

unsigned int ShadowDepthTexture = 0;

namespace {

// The shadow map is the window's own depth buffer, so it has the window's size.
constexpr int FrameWidth = 800;
constexpr int FrameHeight = 600;

}  // namespace

void InitShadowDepthTexture()
{
    glGenTextures(1, &ShadowDepthTexture);
}

void CopyShadowDepth()
{
    StageTimer timer(FrameStage::Copy);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, ShadowDepthTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, FrameWidth, FrameHeight, 0, GL_DEPTH_COMPONENT,
                 GL_FLOAT, nullptr);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, FrameWidth, FrameHeight);
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
