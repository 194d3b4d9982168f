// The development trace (--trace FILE): one line for every frame in which
// the keys the game sees or the screen it shows change, written as it happens
// so that a test driving the game from outside can follow it:
//   "FRAME keys NAME..."  every key down in that frame, by its script name, in
//                         key order; nothing after "keys" once all are up
//   "FRAME screen NAME"   the class of the screen that has just started
#pragma once

#include <string>

class Scene;

// Starts the trace; false when the file cannot be written.
bool OpenFrameTrace(const std::string& path);

// Both do nothing without a trace.
void TraceKeys(int frame);
void TraceScreen(int frame, const Scene* screen);
