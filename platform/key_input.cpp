#include "platform/key_input.h"

#include <cstring>
#include <vector>

namespace {

bool keyDown[256] = {};
bool tappedSinceFrame[256] = {};
uint8_t frameTable[256] = {};

std::vector<KeySource>& Sources()
{
    static std::vector<KeySource> sources;
    return sources;
}

bool ValidKey(int virtualKey)
{
    return virtualKey >= 0 && virtualKey < 256;
}

}  // namespace

void PlatformKeyDown(int virtualKey)
{
    if (!ValidKey(virtualKey)) {
        return;
    }
    keyDown[virtualKey] = true;
    tappedSinceFrame[virtualKey] = true;
}

void PlatformKeyUp(int virtualKey)
{
    if (ValidKey(virtualKey)) {
        keyDown[virtualKey] = false;
    }
}

void PlatformReleaseAllKeys()
{
    std::memset(keyDown, 0, sizeof keyDown);
    std::memset(tappedSinceFrame, 0, sizeof tappedSinceFrame);
}

void AddKeySource(KeySource source)
{
    Sources().push_back(source);
}

void PlatformBeginFrameKeys()
{
    uint8_t polled[256] = {};
    for (KeySource source : Sources()) {
        source(polled);
    }
    for (int key = 0; key < 256; ++key) {
        const bool down = keyDown[key] || tappedSinceFrame[key] || (polled[key] & 0x80) != 0;
        frameTable[key] = down ? 0x80 : 0x00;
        tappedSinceFrame[key] = false;
    }
}

void PlatformKeyboardState(uint8_t table[256])
{
    std::memcpy(table, frameTable, 256);
}

void NoteKeyPress(KeyboardPoll& poll, int virtualKey)
{
    if (ValidKey(virtualKey)) {
        poll.pressedSincePoll.set(virtualKey);
    }
}

void FinishKeyboardPoll(KeyboardPoll& poll, bool focused, const std::bitset<256>& held, uint8_t table[256])
{
    // Press events reach us only while the window has the keyboard, so a
    // press counts even when the focus has moved on since; a key still held
    // without the focus does not.
    std::bitset<256> counted = poll.pressedSincePoll;
    if (focused) {
        // A key held from before starts counting once it is seen up; a press
        // event alone may be the auto-repeat of such a key.
        poll.heldFromBefore &= held;
        counted |= held;
    } else {
        poll.heldFromBefore = held;
    }
    counted &= ~poll.heldFromBefore;
    for (int key = 0; key < 256; ++key) {
        if (counted.test(key)) {
            table[key] |= 0x80;
        }
    }
    poll.pressedSincePoll.reset();
}
