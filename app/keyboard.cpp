#include "app/keyboard.h"

KeyTables KeyState;

namespace {

bool ValidKey(int virtualKey)
{
    return virtualKey >= 0 && virtualKey < 256;
}

}  // namespace

void RefreshKeyState()
{
    PlatformKeyboardState(KeyState.snapshot);
}

bool KeyDown(int virtualKey)
{
    RefreshKeyState();
    return ValidKey(virtualKey) && (KeyState.snapshot[virtualKey] & 0x80) != 0;
}

bool KeyHeld(int virtualKey)
{
    const bool down = KeyDown(virtualKey);
    if (ValidKey(virtualKey)) {
        KeyState.latch[virtualKey] = down ? 1 : 0;
    }
    return down;
}

bool KeyFreshPress(int virtualKey)
{
    const bool down = KeyDown(virtualKey);
    if (!ValidKey(virtualKey)) {
        return false;
    }
    if (!down) {
        KeyState.latch[virtualKey] = 0;
        return false;
    }
    if (KeyState.latch[virtualKey] != 0) {
        return false;
    }
    KeyState.latch[virtualKey] = 1;
    return true;
}
