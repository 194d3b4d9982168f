// The platform's keyboard state: a 256-entry table indexed by the virtual-key
// numbers the game uses (13 Enter, 17 Ctrl, 27 Escape, 37-40 arrows, 65-90
// letters), filled from freeglut's key callbacks or from a scripted input file.
#pragma once

#include <cstdint>

inline constexpr int VkEnter = 13;
inline constexpr int VkCtrl = 17;
inline constexpr int VkEscape = 27;
inline constexpr int VkLeft = 37;
inline constexpr int VkUp = 38;
inline constexpr int VkRight = 39;
inline constexpr int VkDown = 40;

// Virtual-key number for an ASCII key from freeglut's keyboard callback, or -1.
// Letters map to their upper-case number whatever Shift says; with Ctrl held
// freeglut reports letters as control characters 1 to 26, which still map to
// the letter.
int VirtualKeyFromAscii(unsigned char key, bool ctrlHeld);

// Virtual-key number for a freeglut special key (arrows, Ctrl, Shift), or -1.
int VirtualKeyFromSpecial(int glutKey);

// Key transitions. A key pressed and released between two frames still shows
// as down for one frame, so quick taps are never lost.
void PlatformKeyDown(int virtualKey);
void PlatformKeyUp(int virtualKey);

// Releases every key, e.g. when the window loses the keyboard, so nothing
// stays stuck down.
void PlatformReleaseAllKeys();

// Freezes the state the game sees during the coming frame.
void PlatformBeginFrameKeys();

// Fills `table` with the current frame's state: bit 7 set means down.
void PlatformKeyboardState(uint8_t table[256]);
