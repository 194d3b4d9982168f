// The window and its GL context, reached through freeglut and GLEW.
#pragma once

#include <string>

inline constexpr int WindowWidth = 800;
inline constexpr int WindowHeight = 600;

// glewInit; false when extension loading failed. Call it after every GL
// context is made current (tests too): it also keeps the GL driver loaded until
// exit so sanitizer leak reports can name (and suppress) the driver's leaks.
bool InitGlExtensions();

// Swap interval 1 through whichever GLX swap-control extension the driver
// offers (EXT, MESA or SGI); silently nothing when it has none.
void EnableVerticalSync();

void SwapWindowBuffers();

// Asks the toolkit to give the window back the size the game draws at.
void SnapWindowSize(int width, int height);

// Writes the back buffer (the frame just drawn, before the swap) to a PNG.
// Reading the back buffer works everywhere; a front-buffer read is black on
// some software drivers.
bool SaveBackBufferPng(const std::string& path);

// Clears colour and depth; the frame's drawing before the render passes exist.
void ClearFrame();

// Clear colour (0, 0.9, 0.9, 0) and depth testing, set once at start-up.
void InitDrawState();

// The colour the next frames are cleared to; each screen picks its own.
void SetClearColour(float red, float green, float blue, float alpha);

void RequestRedisplay();

// Destroys the game window before the process exits.
void DestroyGameWindow();
