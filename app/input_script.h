// Scripted keyboard input for tests and demos: one event per line,
// "FRAME down KEY" or "FRAME up KEY", where KEY is a virtual-key number or a
// name (Escape, Enter, Up, Down, Left, Right, Ctrl, A to Z). '#' starts a
// comment. Frames count from 1, the first frame the game runs.
#pragma once

#include <string>
#include <vector>

struct ScriptEvent {
    int frame = 0;
    int virtualKey = 0;
    bool down = false;
};

// Returns the key number for a name or a number in 0..255, or -1.
int VirtualKeyFromName(const std::string& name);

// The name a script would use for the key: its name, else its number.
std::string KeyName(int virtualKey);

// Parses a whole script. On a malformed line returns false with
// "line N: ..." in `error`. Events come back sorted by frame, stable.
bool ParseInputScript(const std::string& text, std::vector<ScriptEvent>& events, std::string& error);

// Applies the events of `frame` to the platform key table.
void ApplyScriptFrame(const std::vector<ScriptEvent>& events, int frame);
