// The two passes of every frame: depth from the light into the shadow map,
// then the visible picture.
#pragma once

// The light's depth, copied from the window's depth buffer every frame and
// read by the shadowed draws on texture unit 0.
extern unsigned int ShadowDepthTexture;

// Generates the ShadowDepthTexture name (start-up, once a GL context exists).
void InitShadowDepthTexture();

// Shadow pass (front faces culled, colour writes off, only depth cleared;
// every object's DrawShadow, then the scene's; the depth copy), then the main
// pass (back faces culled, colour on, colour and depth cleared; every
// object's Draw, then the scene's, so the scene's 2D overlay lies on top).
void RenderPasses();

// Copies the 800 by 600 depth buffer into ShadowDepthTexture on unit 0.
void CopyShadowDepth();
