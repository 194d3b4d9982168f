// The game's icon for desktop menus and launchers, painted at every size a
// desktop theme asks for.
#pragma once

#include <string>

#include "tools/canvas.h"

// The sizes written, in pixels: the usual hicolor theme sizes, 48 being the
// one every desktop can rely on.
inline constexpr int IconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// Paints the icon filling the whole (square) canvas: a sky tile with a
// sword behind a green slime, the first enemy a player meets.
void PaintIcon(Canvas& canvas);

// Writes OUTDIR/hicolor/NxN/apps/kestrune.png for every size of IconSizes.
// Returns false after printing what failed.
bool WriteIcons(const std::string& outDir);
