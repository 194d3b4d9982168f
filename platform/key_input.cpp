#include "platform/key_input.h"

#include <GL/freeglut.h>  // Required for: GLUT_KEY_* special key numbers

#include <cstring>

namespace {

bool keyDown[256] = {};
bool tappedSinceFrame[256] = {};
uint8_t frameTable[256] = {};

bool ValidKey(int virtualKey)
{
    return virtualKey >= 0 && virtualKey < 256;
}

}  // namespace

int VirtualKeyFromAscii(unsigned char key, bool ctrlHeld)
{
    if (ctrlHeld && key >= 1 && key <= 26) {
        return 'A' + key - 1;
    }
    if (key >= 'a' && key <= 'z') {
        return key - 'a' + 'A';
    }
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
        return key;
    }
    switch (key) {
    case '\r':
    case '\n':
        return VkEnter;
    case 27:
        return VkEscape;
    case ' ':
        return 32;
    default:
        return -1;
    }
}

int VirtualKeyFromSpecial(int glutKey)
{
    switch (glutKey) {
    case GLUT_KEY_LEFT:
        return VkLeft;
    case GLUT_KEY_UP:
        return VkUp;
    case GLUT_KEY_RIGHT:
        return VkRight;
    case GLUT_KEY_DOWN:
        return VkDown;
    case GLUT_KEY_CTRL_L:
    case GLUT_KEY_CTRL_R:
        return VkCtrl;
    case GLUT_KEY_SHIFT_L:
    case GLUT_KEY_SHIFT_R:
        return 16;
    default:
        return -1;
    }
}

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

void PlatformBeginFrameKeys()
{
    for (int key = 0; key < 256; ++key) {
        frameTable[key] = (keyDown[key] || tappedSinceFrame[key]) ? 0x80 : 0x00;
        tappedSinceFrame[key] = false;
    }
}

void PlatformKeyboardState(uint8_t table[256])
{
    std::memcpy(table, frameTable, 256);
}
