#include "app/frame_pacer.h"

float PaceFrame(FramePacer& pacer, ClockFunction now, SleepFunction sleep)
{
    if (pacer.counter == 0) {
        pacer.windowStart = now();
    }
    if (pacer.counter == FramesPerWindow) {
        const uint32_t current = now();
        const uint32_t elapsed = current - pacer.windowStart;
        pacer.framesPerSecond = 1000.0f / (static_cast<float>(elapsed) / FramesPerWindow);
        pacer.counter = 0;
        pacer.windowStart = current;
    }
    pacer.counter += 1;
    const int32_t wait = static_cast<int32_t>(pacer.counter * FramePeriodMs + pacer.windowStart - now());
    if (wait > 0) {
        sleep(static_cast<uint32_t>(wait));
    }
    return pacer.framesPerSecond;
}
