#include "platform/x_keyboard.h"

#include <GL/glx.h>       // Required for: glXGetCurrentDisplay, glXGetCurrentDrawable
#include <X11/Xlib.h>     // Required for: the connection, key map, focus and pointer queries
#include <X11/keysym.h>   // Required for: the key symbols the game's keys come from

#include <algorithm>
#include <bitset>

#include "platform/clock.h"
#include "platform/key_input.h"
#include "platform/window.h"

namespace {

// The toolkit hands its key events over as characters, which cannot tell
// Ctrl+Enter from Ctrl+M, so the keyboard has a connection of its own: the
// X server lets a second client listen to the same window's key presses,
// and those carry the key itself.
Display* display = nullptr;
Window gameWindow = 0;
Window rootWindow = 0;
int keyOfCode[256] = {};  // virtual key for each X keycode, -1 for none
KeyboardPoll poll;

int VirtualKeyFromKeysym(KeySym symbol)
{
    if (symbol >= XK_a && symbol <= XK_z) {
        return static_cast<int>('A' + (symbol - XK_a));
    }
    if ((symbol >= XK_A && symbol <= XK_Z) || (symbol >= XK_0 && symbol <= XK_9)) {
        return static_cast<int>(symbol);  // Latin-1 key symbols are their characters
    }
    switch (symbol) {
    case XK_Return:
    case XK_KP_Enter:
        return VkEnter;
    case XK_Shift_L:
    case XK_Shift_R:
        return VkShift;
    case XK_Control_L:
    case XK_Control_R:
        return VkCtrl;
    case XK_Escape:
        return VkEscape;
    case XK_space:
        return VkSpace;
    case XK_Left:
    case XK_KP_Left:
        return VkLeft;
    case XK_Up:
    case XK_KP_Up:
        return VkUp;
    case XK_Right:
    case XK_KP_Right:
        return VkRight;
    case XK_Down:
    case XK_KP_Down:
        return VkDown;
    default:
        return -1;
    }
}

// A key is named by the first of its symbols that is one of ours, so it
// keeps its meaning whatever modifiers are held, and the letter keys still
// give their letters when the first layout is not a Latin one.
void ReadKeyboardMapping()
{
    std::fill(std::begin(keyOfCode), std::end(keyOfCode), -1);
    int firstCode = 0;
    int lastCode = 0;
    XDisplayKeycodes(display, &firstCode, &lastCode);
    lastCode = std::min(lastCode, 255);
    int perCode = 0;
    KeySym* symbols = XGetKeyboardMapping(display, static_cast<KeyCode>(firstCode), lastCode - firstCode + 1, &perCode);
    if (symbols == nullptr) {
        return;
    }
    for (int code = firstCode; code <= lastCode; ++code) {
        for (int column = 0; column < perCode && keyOfCode[code] < 0; ++column) {
            keyOfCode[code] = VirtualKeyFromKeysym(symbols[(code - firstCode) * perCode + column]);
        }
    }
    XFree(symbols);
}

// Key presses delivered to the window since the last poll, so that a tap
// that went down and up between two polls still counts.
void ReadKeyPresses()
{
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == KeyPress && event.xkey.keycode < 256) {
            NoteKeyPress(poll, keyOfCode[event.xkey.keycode]);
        } else if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping);
            ReadKeyboardMapping();
        }
    }
}

// Whether `window` lies inside `outer`: some window managers give the focus
// to the frame they wrapped around the game's window.
bool IsInside(Window window, Window outer)
{
    while (window != 0 && window != rootWindow) {
        Window root = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) {
            return false;
        }
        if (children != nullptr) {
            XFree(children);
        }
        if (parent == outer) {
            return true;
        }
        window = parent;
    }
    return false;
}

// Whether key events go to the game window. Normally the focus is the window
// itself or its window manager's frame. Without a window manager the focus
// may be the root or follow the pointer; key events then go to the window
// under the pointer. Only in that case does the pointer matter.
bool WindowHasKeyboard()
{
    Window focus = 0;
    int revertTo = 0;
    XGetInputFocus(display, &focus, &revertTo);
    if (focus == gameWindow) {
        return true;
    }
    if (focus != PointerRoot && focus != rootWindow) {
        return focus != None && IsInside(gameWindow, focus);
    }
    Window pointerRoot = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int x = 0;
    int y = 0;
    unsigned int buttons = 0;
    return XQueryPointer(display, gameWindow, &pointerRoot, &child, &rootX, &rootY, &x, &y, &buttons) != 0 &&
           x >= 0 && y >= 0 && x < WindowWidth && y < WindowHeight;
}

}  // namespace

void PollPhysicalKeyboard(uint8_t table[256])
{
    // The key map first: the server sends every event that happened before
    // it ahead of its reply, so the presses read after it include all those
    // the key map has already seen, and none is left over to count again in
    // the next frame.
    char keys[32] = {};
    XQueryKeymap(display, keys);
    std::bitset<256> held;
    for (int code = 0; code < 256; ++code) {
        if ((keys[code / 8] >> (code % 8) & 1) != 0 && keyOfCode[code] >= 0) {
            held.set(keyOfCode[code]);
        }
    }
    const bool focused = WindowHasKeyboard();
    ReadKeyPresses();
    FinishKeyboardPoll(poll, focused, held, table);
}

bool OpenPhysicalKeyboard()
{
    Display* toolkitDisplay = glXGetCurrentDisplay();
    gameWindow = glXGetCurrentDrawable();
    if (toolkitDisplay == nullptr || gameWindow == 0) {
        return false;
    }
    // A busy X server now and then refuses a connection for a moment.
    for (int attempt = 0; attempt < 20 && display == nullptr; ++attempt) {
        display = XOpenDisplay(DisplayString(toolkitDisplay));
        if (display == nullptr) {
            SleepMs(50);
        }
    }
    if (display == nullptr) {
        return false;
    }
    // Same display name, so the same default screen the toolkit made the window on.
    rootWindow = DefaultRootWindow(display);
    XSelectInput(display, gameWindow, KeyPressMask);
    ReadKeyboardMapping();
    return true;
}
