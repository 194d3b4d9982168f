// Scripted input for tests and demos, one event per line:
//   "FRAME down KEY" or "FRAME up KEY", where KEY is a virtual-key number or a
//   name (Escape, Enter, Up, Down, Left, Right, Ctrl, A to Z);
//   "FRAME pad plug" or "FRAME pad unplug" for a software pad;
//   "FRAME pad down BUTTON" or "FRAME pad up BUTTON", "FRAME pad AXIS VALUE"
//   with the game controller names of buttons and axes (a, b, rightshoulder,
//   dpup, ...; leftx, lefty, rightx, righty) and VALUE from -32768 to 32767.
// '#' starts a comment. Frames count from 1, the first frame the game runs.
#pragma once

#include <string>
#include <vector>

enum class ScriptAction { Key, PadPlug, PadUnplug, PadButton, PadAxis };

struct ScriptEvent {
    int frame = 0;
    ScriptAction action = ScriptAction::Key;
    int virtualKey = 0;  // Key: the key number
    int control = 0;     // PadButton, PadAxis: the button or axis number
    bool down = false;   // Key, PadButton
    int value = 0;       // PadAxis: the stick's position
};

// Returns the key number for a name or a number in 0..255, or -1.
int VirtualKeyFromName(const std::string& name);

// The name a script would use for the key: its name, else its number.
std::string KeyName(int virtualKey);

// Parses a whole script. On a malformed line returns false with
// "line N: ..." in `error`. Events come back sorted by frame, stable.
bool ParseInputScript(const std::string& text, std::vector<ScriptEvent>& events, std::string& error);

// Applies the events of `frame`: keys to the platform key table, pad events
// to the software pad (InitGamepads must have run for those).
void ApplyScriptFrame(const std::vector<ScriptEvent>& events, int frame);
