// A pad that exists only in software (SDL's virtual joystick), for scripted
// runs and tests: it is plugged in, read and pulled out through the same game
// controller path as a real pad. Needs InitGamepads first.
#pragma once

#include <string>

// Plugs the pad in (nothing when it is in already). False when SDL refuses.
bool PlugVirtualPad();

// Pulls the pad out (nothing when it is out).
void UnplugVirtualPad();

// Button and axis numbers by SDL's game controller names ("a", "b",
// "rightshoulder", "dpup", ...; "leftx", "lefty", "rightx", ...), or -1.
int PadButtonFromName(const std::string& name);
int PadAxisFromName(const std::string& name);

// Seen by the pads' next poll; ignored while the pad is out.
void SetVirtualPadButton(int button, bool down);
void SetVirtualPadAxis(int axis, int value);
