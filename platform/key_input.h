// The platform's keyboard state: a 256-entry table indexed by the virtual-key
// numbers the game uses (13 Enter, 17 Ctrl, 27 Escape, 37-40 arrows, 65-90
// letters), frozen at the start of every frame. It is fed by key events (a
// scripted input file, tests) and by sources polled once per frame (the
// physical keyboard, the pads).
#pragma once

#include <bitset>
#include <cstdint>

inline constexpr int VkEnter = 13;
inline constexpr int VkShift = 16;
inline constexpr int VkCtrl = 17;
inline constexpr int VkEscape = 27;
inline constexpr int VkSpace = 32;
inline constexpr int VkLeft = 37;
inline constexpr int VkUp = 38;
inline constexpr int VkRight = 39;
inline constexpr int VkDown = 40;

// Key transitions. A key pressed and released between two frames still shows
// as down for one frame, so quick taps are never lost.
void PlatformKeyDown(int virtualKey);
void PlatformKeyUp(int virtualKey);

// Releases every key that came through PlatformKeyDown.
void PlatformReleaseAllKeys();

// A source polled at the start of every frame: it sets bit 7 of every key it
// holds down and leaves the other entries alone.
using KeySource = void (*)(uint8_t table[256]);
void AddKeySource(KeySource source);

// Polls every source, then freezes the state the game sees during the coming
// frame.
void PlatformBeginFrameKeys();

// Fills `table` with the current frame's state: bit 7 set means down.
void PlatformKeyboardState(uint8_t table[256]);

// The physical keyboard seen as a poll of which keys are held, plus the key
// presses reported to our window since the last poll, so that a tap shorter
// than a frame still counts once.
//
// Keys count only while the window has the keyboard: a focus loss releases
// every key, and a key already held when the focus arrives (seen held by the
// last poll without the focus, or by the first poll of all: the Enter that
// started the game from a terminal, a key held while switching windows) is
// ignored until it has been seen up. A press of a key that is held anyway,
// as auto-repeat sends them, changes nothing.
struct KeyboardPoll {
    std::bitset<256> pressedSincePoll;
    std::bitset<256> heldFromBefore = std::bitset<256>().set();
};

// Records a key press reported to our window (so made while it had the
// keyboard). Out-of-range keys are ignored.
void NoteKeyPress(KeyboardPoll& poll, int virtualKey);

// One poll: `held` is the keys down right now. Sets bit 7 in `table` for
// every key that counts and starts the next poll's record of presses.
void FinishKeyboardPoll(KeyboardPoll& poll, bool focused, const std::bitset<256>& held, uint8_t table[256]);
