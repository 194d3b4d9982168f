// Pads through SDL's game controller API. They write into the same key table
// as the keyboard, so every screen works with a pad without knowing about it:
//
//   left stick, D-pad      W, A, S, D (and the arrow keys on menus)
//   right stick            the arrow keys (the stage's camera)
//   south button           Enter and Ctrl (confirm, attack)
//   east button            B
//   right shoulder         R
//
// Escape has no button: it ends the program at once.
#pragma once

#include <cstdint>

// How far a stick must leave its centre (of 32767) before it counts: about
// 30 % of its throw, beyond the drift of a worn stick.
inline constexpr int PadStickDeadZone = 10000;

// Starts SDL's game controller subsystem. With `virtualOnly` only software
// pads count (a scripted run must not feel a pad on the desk). False when
// SDL cannot start it; the game then runs without pads.
bool InitGamepads(bool virtualOnly);

// Closes every pad and stops the subsystem.
void ShutdownGamepads();

// On menus and end screens the D-pad also gives the arrow keys, which move
// the selection there; in the stage the arrows turn the camera, so it does
// not. Menus until told otherwise.
void SetPadMenuMode(bool menus);

// One poll, once per frame: opens pads plugged in and closes pads pulled out
// since the last poll, then sets bit 7 in `table` for every key a pad holds
// down. Does nothing before InitGamepads.
void PollGamepads(uint8_t table[256]);
