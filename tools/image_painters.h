// The painters of the game's pictures, one per file (or family of files).
// Each paints on a canvas of the size listed in image_atlas_table.h and
// places its art in the rectangles named there.
#pragma once

#include "tools/canvas.h"

void PaintTitleBackground(Canvas& canvas);
void PaintTitleInterface(Canvas& canvas);
void PaintRecordPanel(Canvas& canvas);

void PaintStageInterface(Canvas& canvas);
void PaintGrassTuft(Canvas& canvas, int variant);

void PaintCharacterSelect(Canvas& canvas);

void PaintClearBackground(Canvas& canvas);
// result 1: cleared; 2: cleared and the character select menu unlocked;
// 3: cleared with the menu already unlocked.
void PaintClearMessage(Canvas& canvas, int result);
void PaintGameOver(Canvas& canvas);

// Shared scenery pieces.
void PaintCloud(cairo_t* cr, double x, double y, double scale);
// A rolling ridge from the left edge to the right edge, filled down to the
// bottom of the canvas with `colour`.
void PaintRidge(cairo_t* cr, int width, int height, double baseY, double amplitude, double seedPhase,
                const Colour& top, const Colour& bottom);
