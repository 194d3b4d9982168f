// Runs the real game binary (from the directory that holds it and its data)
// for the process-level tests, under the display the test suite runs on.
#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

struct GameRun {
    int status = -1;     // exit status, or -1 when killed or timed out
    std::string errors;  // what it wrote to stderr
};

inline std::string ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

inline std::string WriteTempFile(const std::string& name, const std::string& text)
{
    const std::string path = std::string(::testing::TempDir()) + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// `arguments` is passed to the shell as written. The game always runs with
// the silent audio back end and its own directory as working directory.
inline GameRun RunGame(const std::string& arguments, int timeoutSeconds = 120,
                       const std::string& workingDir = KESTRUNE_BIN_DIR)
{
    // One file per test process: ctest runs several game tests side by side.
    const std::string errorsPath =
        std::string(::testing::TempDir()) + "kestrune_stderr_" + std::to_string(getpid()) + ".txt";
    const std::string command = "cd '" + workingDir + "' && timeout " +
                                std::to_string(timeoutSeconds) + " '" KESTRUNE_BIN_DIR
                                "/kestrune' --silent " + arguments + " 2>'" + errorsPath +
                                "' >/dev/null";
    const int raw = std::system(command.c_str());
    GameRun run;
    run.errors = ReadWholeFile(errorsPath);
    if (raw != -1 && WIFEXITED(raw)) {
        const int code = WEXITSTATUS(raw);
        run.status = code == 124 ? -1 : code;
    }
    return run;
}
