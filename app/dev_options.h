// Development-only command-line options. A player starts the game with none
// of them; tests, benchmarks and the README demo drive the real game through
// them.
#pragma once

#include <string>
#include <vector>

struct ScreenshotRequest {
    int frame = 0;
    std::string path;
};

struct DevOptions {
    std::string scriptPath;                    // --script FILE: keys come from the file
    int frameLimit = 0;                        // --frames N: exit 0 after frame N (0: never)
    bool hasSeed = false;                      // --seed N: fixed random seed
    unsigned seed = 0;
    bool unpaced = false;                      // --unpaced: no sleeping between frames
    std::vector<ScreenshotRequest> screenshots;  // --screenshot N:FILE.png, repeatable
    bool silentAudio = false;                  // --silent: an audio back end that writes nothing
    bool checkContent = false;                 // --check-content: load every file, report, exit
    std::string stateHashPath;                 // --state-hashes FILE: a world hash every 100 frames
    std::string startScreen;                   // --start SCREEN: the first screen instead of the title
    std::string tracePath;                     // --trace FILE: the keys and screens as they change
    bool profile = false;                      // --profile: print each frame's time and where it goes
};

extern DevOptions Dev;

inline constexpr const char* DevUsage =
    "usage: kestrune [--script FILE] [--frames N] [--seed N] [--unpaced]\n"
    "                [--screenshot N:FILE.png]... [--silent] [--check-content] [--trace FILE]\n"
    "                [--state-hashes FILE] [--start SCREEN] [--profile]\n"
    "SCREEN: title, select, stage, stage:0 to stage:5, clear:1 to clear:3, over\n";

// Parses argv[1..]. On failure returns false and describes the problem in
// `error`; the caller prints the usage line and exits with status 2.
bool ParseDevOptions(int argc, char** argv, DevOptions& options, std::string& error);

// True for the names --start accepts (see DevUsage).
bool IsStartScreenName(const std::string& name);

// The seed for the game's random generator: --seed when given, else the time.
unsigned GameRandomSeed();
