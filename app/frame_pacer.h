// Frame pacing: frames 33 ms apart, measured against the start of a 30-frame
// window so that a late frame is made up by the following ones.
#pragma once

#include <cstdint>

inline constexpr int FramePeriodMs = 33;
inline constexpr int FramesPerWindow = 30;

struct FramePacer {
    int counter = 0;
    uint32_t windowStart = 0;
    float framesPerSecond = 0.0f;  // 0 until the first window completes
};

using ClockFunction = uint32_t (*)();
using SleepFunction = void (*)(uint32_t);

// Sleeps as needed and returns the last measured frames per second.
float PaceFrame(FramePacer& pacer, ClockFunction now, SleepFunction sleep);
