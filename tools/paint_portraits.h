// Portraits of the six selectable characters for the character select
// cards. Each paints into the square (0, 0)-(200, 200) of the current
// transformation, background included.
#pragma once

#include "tools/canvas.h"

enum class SlimeKind { Green, Blue, Red };

void PaintSlimePortrait(cairo_t* cr, SlimeKind kind);
void PaintLizardPortrait(cairo_t* cr);
void PaintWyvernPortrait(cairo_t* cr);
void PaintWizardPortrait(cairo_t* cr);
