// The two passes of every frame: depth from the light into the shadow map,
// then the visible picture.
#pragma once

#include "render/shadow_bounds.h"

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

// Makes ShadowDepthTexture on unit 0 hold the 800 by 600 depth buffer. Only
// the pixels the shadow pass's draws reported, and those the texture still
// holds from the frame before, are copied: everywhere else both hold the
// cleared depth already. A frame whose shadow pass drew nothing after one
// that drew nothing copies nothing at all, and the texture gets no storage
// before a shadow pass draws or a shadowed draw asks for it.
void CopyShadowDepth();

// A shadowed draw calls this before it reads ShadowDepthTexture: where no
// shadow pass has drawn yet, the texture gets its storage here, holding the
// cleared depth, so the draw finds every point lit.
void PrepareShadowDepthForLookup();

// Every draw in the shadow pass reports here the window pixels it may cover
// (CoveredPixels); a draw that does not know reports WholeWindowRect().
void NoteShadowDraw(const PixelRect& covered);
