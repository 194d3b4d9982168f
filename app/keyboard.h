// The keyboard as the game sees it: a snapshot of all 256 keys (bit 7 = down)
// and a latch per key shared by every scene and object, never cleared at a
// scene switch. Two rules are built on them: held and fresh press.
#pragma once

#include <cstdint>

#include "platform/key_input.h"  // Required for: the Vk* key numbers

struct KeyTables {
    uint8_t snapshot[256] = {};
    uint8_t latch[256] = {};
};

extern KeyTables KeyState;

// Refills the snapshot from the platform.
void RefreshKeyState();

// Refresh, then true while the key is down. Leaves the latch alone.
bool KeyDown(int virtualKey);

// Held rule: refresh; the latch follows the key; true while the key is down.
bool KeyHeld(int virtualKey);

// Fresh press rule: refresh; true once per press (key down, latch was 0).
// A key still held from an earlier scene is not a fresh press until released.
bool KeyFreshPress(int virtualKey);
