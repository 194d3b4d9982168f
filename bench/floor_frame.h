// The reference frame every frame figure is divided by: the least a frame of
// ours can cost on this machine's GL. It has the game's frame structure
// (clear the depth, copy it into a depth texture, clear colour and depth,
// one full-window textured quad with a trivial shader, swap) and none of its
// content, so a busy or slow machine slows it down the same way it slows the
// game, and the ratio of the two stays comparable.
#pragma once

#include <vector>

// Opens the benchmark's window and builds the reference's texture and
// program. False when there is no display.
bool PrepareFloorFrame();

// One reference frame, swap included.
void DrawFloorFrame();

// The milliseconds of `frames` reference frames, each from the end of one
// swap to the end of the next, after a short warm-up.
std::vector<double> MeasureFloorFramesMs(int frames);
