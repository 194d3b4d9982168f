// The physical keyboard under X: which keys are held, read from the X
// server's key map once per frame, counted only while the game window has
// the keyboard focus.
#pragma once

#include <cstdint>

// Watches the window of the current GL context. Call once, after the window
// exists and its context is current. False (and no keyboard) when the display
// cannot be reached.
bool OpenPhysicalKeyboard();

// The key source: sets bit 7 in `table` for every key that counts this frame.
void PollPhysicalKeyboard(uint8_t table[256]);
