#include "render/frame_profile.h"

#include <GL/glew.h>  // Required for: glFinish

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int MaxNesting = 8;

bool enabled = false;
FrameStage open[MaxNesting];
int depth = 0;
Clock::time_point lastCharge;
StageMilliseconds charged = {};

// Waits for the GL if asked, then gives the time since the last charge to
// the innermost open stage (time outside every stage goes nowhere).
void ChargeInnermost(bool waitForGl)
{
    if (waitForGl) {
        glFinish();
    }
    const Clock::time_point now = Clock::now();
    if (depth > 0) {
        const std::chrono::duration<double, std::milli> spent = now - lastCharge;
        charged[static_cast<int>(open[depth - 1])] += spent.count();
    }
    lastCharge = now;
}

}  // namespace

void SetFrameProfile(bool on)
{
    enabled = on;
}

bool FrameProfileEnabled()
{
    return enabled;
}

StageTimer::StageTimer(FrameStage stage)
{
    if (!enabled || depth == MaxNesting) {
        return;
    }
    waits = stage != FrameStage::Logic && stage != FrameStage::Posing;
    ChargeInnermost(waits);
    open[depth++] = stage;
    counted = true;
}

StageTimer::~StageTimer()
{
    if (!counted) {
        return;
    }
    ChargeInnermost(waits);
    --depth;
}

StageMilliseconds TakeFrameProfile()
{
    const StageMilliseconds result = charged;
    charged = {};
    return result;
}
