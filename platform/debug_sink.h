// Where the game's debugger text goes (the per-frame frame-rate line).
// It is printed to stderr only when KESTRUNE_DEBUG_OUTPUT is set in the
// environment, so a normal terminal is not flooded with 30 lines a second.
#pragma once

void DebugOutput(const char* text);
