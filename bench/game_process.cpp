#include "bench/game_process.h"

#include <unistd.h>  // Required for: getpid

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The frame-rate line the game writes after every swap: a bare number.
bool IsFrameRateLine(const std::string& line)
{
    return !line.empty() && line.find_first_not_of("0123456789.\n") == std::string::npos;
}

// "name ms name ms ..." after the line's prefix.
StageTimes ParseStages(std::istringstream& words)
{
    StageTimes stages;
    std::string name;
    double ms = 0.0;
    while (words >> name >> ms) {
        stages.emplace_back(name, ms);
    }
    return stages;
}

void ReadProfileLine(const std::string& line, GameRun& run)
{
    std::istringstream words(line);
    std::string tag, kind;
    words >> tag >> kind;
    if (tag != "profile") {
        return;
    }
    if (kind == "startup") {
        run.startUp = ParseStages(words);
    } else if (int frame = 0; kind == "frame" && words >> frame) {
        run.frames[frame] = ParseStages(words);
    }
}

}  // namespace

std::string GameBinaryPath()
{
    if (const char* chosen = std::getenv("KESTRUNE_BENCH_GAME"); chosen != nullptr && *chosen != '\0') {
        return fs::absolute(chosen).string();
    }
    return (fs::read_symlink("/proc/self/exe").parent_path() / "kestrune").string();
}

// No save file, so a save left in the build folder by someone playing never
// changes what the benchmark draws.
std::string MakeGameDirectory(const std::string& name, const std::string& dataDirectory)
{
    const fs::path dir = fs::temp_directory_path() / ("kestrune_bench_" + std::to_string(getpid()) + "_" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const char* folder : {"Library", "model", "image", "sound"}) {
        std::error_code ignored;
        fs::create_directory_symlink(fs::path(dataDirectory) / folder, dir / folder, ignored);
    }
    return dir.string();
}

GameRun RunGame(int frames, bool profile)
{
    GameRun run;
    const std::string dir = MakeGameDirectory("run", fs::path(GameBinaryPath()).parent_path().string());
    const std::string command = "cd '" + dir + "' && KESTRUNE_DEBUG_OUTPUT=1 exec '" + GameBinaryPath() +
                                "' --silent --unpaced --frames " + std::to_string(frames) +
                                (profile ? " --profile" : "") + " 2>&1";
    const auto start = Clock::now();
    FILE* output = popen(command.c_str(), "r");
    if (output == nullptr) {
        return run;
    }
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, output) != nullptr) {
        const std::string line = buffer;
        if (run.firstFrameSeconds < 0.0 && IsFrameRateLine(line)) {
            run.firstFrameSeconds = std::chrono::duration<double>(Clock::now() - start).count();
        }
        ReadProfileLine(line, run);
    }
    run.ok = pclose(output) == 0;
    fs::remove_all(dir);
    return run;
}

