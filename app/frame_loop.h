// The spine of the program: start-up, the per-frame idle and display
// callbacks, and the exit teardown.
#pragma once

#include "app/frame_pacer.h"

// Everything that lives for the whole run, then the title scene is queued.
// Ends the process (status 0) when extension loading or a shader fails.
void StartUp();

// One logic step: scene switch, object pass, scene update.
void FrameUpdate();

void OnIdle();
void OnDisplay();
void OnReshape(int width, int height);

// Releases the process-lifetime resources in their fixed order and exits
// with status 0. Used for Escape, a start-up failure and --frames.
[[noreturn]] void ExitGame();

// Frames run so far (the idle callbacks that ran an update).
int FramesRun();

// With --profile, records that the start-up step `name` has just finished;
// the steps are printed after the first frame.
void NoteStartUpStep(const char* name);

extern FramePacer GamePacer;
