// A small hidden-purpose window for development tools that draw with the
// game's render code and read the pixels back (the model preview sheets).
#pragma once

#include <cstdint>
#include <vector>

// Creates a double-buffered RGBA window with depth of the given size and a
// current GL context with extensions loaded. False when that fails.
bool OpenPreviewWindow(int width, int height, const char* title);

// Starts a picture: viewport over the whole window, depth test on, cleared to
// the colour.
void BeginPreviewPicture(int width, int height, float red, float green, float blue);

// The back buffer's pixels as RGBA, top row first.
std::vector<std::uint8_t> ReadPreviewPicture(int width, int height);
