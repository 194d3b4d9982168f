// Runs the real game as a child process, the way a player starts it, but
// unpaced and silent, in a scratch directory that holds the game's data
// folders and no save file.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

// Named times in milliseconds, in the order the game printed them.
using StageTimes = std::vector<std::pair<std::string, double>>;

// The game binary: $KESTRUNE_BENCH_GAME when set (so one benchmark build can
// time the start-up of an older game build in the same session), else the
// kestrune beside this benchmark. Its data folders must lie beside it.
std::string GameBinaryPath();

// Makes a fresh scratch directory, /tmp/kestrune_bench_<pid>_<name>, with
// the data folders of `dataDirectory` linked in, and returns its path.
std::string MakeGameDirectory(const std::string& name, const std::string& dataDirectory);

struct GameRun {
    bool ok = false;                  // ran to its last frame and exited with status 0
    double firstFrameSeconds = -1.0;  // launch to the end of the first frame's swap
    // With --profile: the "profile startup" steps, and each "profile frame N"
    // line's times by frame number.
    StageTimes startUp;
    std::map<int, StageTimes> frames;
};

// Runs the game without input to frame `frames`, with --profile if asked.
GameRun RunGame(int frames, bool profile);
