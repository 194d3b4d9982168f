// Where a frame's time goes, for the --profile development option. The GL
// driver queues draws and does the work later (at the depth copy and at the
// swap), so a plain clock would charge all of it to those two. While the
// profile is on, every change of stage first waits for the GL to finish what
// the stage before queued; that slows the frame a little, but every stage is
// charged with its own work. While it is off, a stage costs one test.
#pragma once

#include <array>

enum class FrameStage {
    Logic,      // objects and scene update
    SceneLoad,  // the scene switch: the new scene's Init with its loads
    Shadow,     // shadow pass draws
    Copy,       // the depth copy into the shadow map
    Main,       // main pass draws other than sprites
    Sprites,    // sprites and numbers, on the screen and in the world
    Posing,     // skinned models posed on the processor (inside both passes)
    Swap,       // the buffer swap
};

inline constexpr int FrameStageCount = 8;
inline constexpr const char* FrameStageNames[FrameStageCount] = {"logic",  "load",    "shadow", "copy",
                                                                 "main",   "sprites", "posing", "swap"};

using StageMilliseconds = std::array<double, FrameStageCount>;

void SetFrameProfile(bool on);
bool FrameProfileEnabled();

// Charges the time from its construction to its end to `stage`; time spent
// in a stage nested inside (posing in a pass, sprites in the main pass) is
// charged to the inner stage only. Entering or leaving a stage that makes no
// GL calls (logic, posing) does not wait for the GL: the work the enclosing
// pass queued stays queued and is charged to that pass when it is done.
class StageTimer {
public:
    explicit StageTimer(FrameStage stage);
    ~StageTimer();
    StageTimer(const StageTimer&) = delete;
    StageTimer& operator=(const StageTimer&) = delete;

private:
    bool counted = false;
    bool waits = false;
};

// The milliseconds charged to each stage since the last call, which starts
// the next count from zero.
StageMilliseconds TakeFrameProfile();
