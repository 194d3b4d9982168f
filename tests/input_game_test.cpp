// The real game driven from outside and followed through its --trace: real
// key events under Xvfb (xdotool), and a software pad plugged in by a script.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

#include "tests/game_runner.h"

namespace {

namespace fs = std::filesystem;

// The trace's lines, or only what follows their frame numbers.
std::vector<std::string> TraceLines(const std::string& path, bool withFrames)
{
    std::vector<std::string> lines;
    std::istringstream text(ReadWholeFile(path));
    for (std::string line; std::getline(text, line);) {
        lines.push_back(withFrames ? line : line.substr(line.find(' ') + 1));
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

// Starts `program` with `arguments` (the first is the process's name) in
// `dir`, its output going to `output`.
pid_t Spawn(const char* program, const std::vector<std::string>& arguments, const fs::path& dir,
            const char* output = "/dev/null")
{
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv;
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        std::freopen(output, "w", stdout);
        if (chdir(dir.c_str()) == 0) {
            execvp(program, argv.data());
        }
        _exit(127);
    }
    return pid;
}

// A working directory of its own, with the game's data folders linked in and
// no save file, so every run starts at the locked title.
fs::path GameDir(const std::string& name)
{
    const fs::path dir = fs::path(::testing::TempDir()) / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const char* folder : {"Library", "model", "image", "sound"}) {
        fs::create_directory_symlink(fs::path(KESTRUNE_BIN_DIR) / folder, dir / folder);
    }
    return dir;
}

// A game (titled with a name no other window has) and a small window to take
// the keyboard focus away to. Both are killed after the test, and no key is
// left held in the X server.
class LiveGame : public ::testing::Test {
protected:
    void TearDown() override
    {
        std::system("xdotool keyup ctrl keyup w >/dev/null 2>&1");
        for (pid_t pid : {game, thief}) {
            if (pid > 0) {
                kill(pid, SIGKILL);
                waitpid(pid, nullptr, 0);
            }
        }
        fs::remove_all(dir);
    }

    static std::string WindowNamed(const std::string& name)
    {
        const std::string command = "timeout 60 xdotool search --sync --name '^" + name + "$' | head -n1";
        std::string id;
        if (std::FILE* output = popen(command.c_str(), "r")) {
            char line[64] = {};
            if (std::fgets(line, sizeof line, output) != nullptr) {
                id = std::string(line, std::strcspn(line, "\n"));
            }
            pclose(output);
        }
        return id;
    }

    // Waits until `done` holds; a minute at most, so that a game that
    // stopped answering fails the test instead of hanging it.
    static bool WaitFor(const std::function<bool()>& done)
    {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!done()) {
            if (std::chrono::steady_clock::now() > giveUp) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

    bool WaitForTrace(size_t count) const
    {
        return WaitFor([&] { return TraceLines(trace, false).size() >= count; });
    }

    const std::string name = "kestrune-live-" + std::to_string(getpid());
    const fs::path dir = GameDir(name);
    const std::string trace = (dir / "trace.txt").string();
    pid_t game = -1;
    pid_t thief = -1;
};

// Each step's xdotool commands, then the trace lines they must bring.
struct LiveStep {
    std::string xdotool;
    std::vector<std::string> lines;
};

TEST_F(LiveGame, KeysAreKeysWhateverTheModifiersAndOnlyTheFocusReleasesThem)
{
    // One X client starts at a time, each once the one before has its
    // window: the server drops a client now and then when two connect
    // together (see with_display.sh). The game's first trace line and xev's
    // first mapped window say so without connecting to look.
    game = Spawn(KESTRUNE_BIN_DIR "/kestrune", {name, "--silent", "--trace", trace}, dir);
    ASSERT_TRUE(WaitForTrace(1)) << "the game did not start";
    const std::string gameWindow = WindowNamed(name);
    const std::string thiefLog = (dir / "thief.txt").string();
    thief = Spawn("xev", {"xev", "-name", name + "-thief", "-geometry", "60x60+950+700"}, dir, thiefLog.c_str());
    ASSERT_TRUE(WaitFor([&] { return ReadWholeFile(thiefLog).find("MapNotify") != std::string::npos; }))
        << "xev did not map its window";
    const std::string thiefWindow = WindowNamed(name + "-thief");
    ASSERT_FALSE(gameWindow.empty());
    ASSERT_FALSE(thiefWindow.empty());
    const std::vector<LiveStep> steps = {
        {"", {"screen SceneGameTitle"}},
        {"windowfocus --sync " + gameWindow + " keydown ctrl", {"keys Ctrl"}},
        {"key Up", {"keys Ctrl Up", "keys Ctrl"}},
        // Enter with Ctrl held is Enter, is let go while Ctrl is still held,
        // and starts the stage from the title.
        {"key Return", {"keys Enter Ctrl", "keys Ctrl", "screen SceneStage1"}},
        {"keyup ctrl", {"keys"}},
        {"keydown w", {"keys W"}},
        // The pointer leaving the window does not release W; the X tapped
        // after it shows the frames that followed.
        {"mousemove --sync 1010 750 key x", {"keys W X", "keys W"}},
        {"windowfocus --sync " + thiefWindow, {"keys"}},
        // Back with W still held: it waits to be pressed again.
        {"windowfocus --sync " + gameWindow + " key x", {"keys X", "keys"}},
        {"keyup w key Escape", {"keys Escape"}},
    };
    std::vector<std::string> expected;
    for (const LiveStep& step : steps) {
        if (!step.xdotool.empty()) {
            ASSERT_EQ(std::system(("xdotool " + step.xdotool).c_str()), 0) << step.xdotool;
        }
        expected.insert(expected.end(), step.lines.begin(), step.lines.end());
        ASSERT_TRUE(WaitForTrace(expected.size())) << "after '" << step.xdotool << "'\n" << ReadWholeFile(trace);
        ASSERT_EQ(Joined(TraceLines(trace, false)), Joined(expected)) << "after '" << step.xdotool << "'";
    }
    int status = -1;
    ASSERT_EQ(waitpid(game, &status, 0), game);
    game = -1;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// The keyboard script that holds the keys a trace shows, frame by frame.
std::string KeyboardScriptFor(const std::vector<std::string>& traceLines)
{
    std::string script;
    std::set<std::string> held;
    for (const std::string& line : traceLines) {
        std::istringstream words(line);
        std::string frame, kind, key;
        if (!(words >> frame >> kind) || kind != "keys") {
            continue;
        }
        std::set<std::string> now;
        while (words >> key) {
            now.insert(key);
        }
        for (const std::string& up : held) {
            script += now.count(up) == 0 ? frame + " up " + up + "\n" : "";
        }
        for (const std::string& down : now) {
            script += held.count(down) == 0 ? frame + " down " + down + "\n" : "";
        }
        held = now;
    }
    return script;
}

// A software pad, plugged in by the script, leaves the title and plays the
// stage: the trace shows the keys its sticks and buttons give (dead zone and
// direction sectors included, and the arrows from the D-pad on the title
// only), a pad pulled out releases them, and one plugged in again works. The
// same keys from the keyboard end in the very same picture.
TEST(PadScript, ASoftwarePadPlaysTheStageLikeTheKeyboard)
{
    const std::vector<std::pair<std::string, std::string>> padAndTrace = {
        {"1 pad plug", "1 screen SceneGameTitle"},
        {"2 pad down dpdown", "2 keys Down S"},
        {"3 pad up dpdown\n3 pad leftx 10000", "3 keys"},  // the edge of the dead zone
        {"4 pad down a", "4 keys Enter Ctrl"},
        {"5 pad up a", "5 keys\n5 screen SceneStage1"},
        {"7 pad leftx 20000\n7 pad lefty 8000", "7 keys D"},  // 21.8 degrees off the x axis
        {"8 pad lefty 9000", "8 keys D S"},                   // 24.2 degrees: a diagonal
        {"9 pad leftx 0\n9 pad lefty -32768", "9 keys W"},
        {"12 pad down dpleft", "12 keys A W"},
        {"13 pad up dpleft\n14 pad rightx 32767", "13 keys W\n14 keys Right W"},
        {"16 pad rightx 0\n16 pad righty -32768", "16 keys Up W"},
        {"18 pad righty 0\n18 pad down rightshoulder", "18 keys R W"},
        {"19 pad up rightshoulder\n19 pad down b", "19 keys B W"},
        {"20 pad up b\n20 pad down a", "20 keys Enter Ctrl W"},
        {"21 pad up a", "21 keys W"},
        {"24 pad unplug", "24 keys"},
        {"26 pad plug\n27 pad down a", "27 keys Enter Ctrl"},
        {"28 pad up a", "28 keys"},
    };
    std::string padScript;
    std::vector<std::string> expected;
    for (const auto& [pad, trace] : padAndTrace) {
        padScript += pad + "\n";
        std::istringstream lines(trace);
        for (std::string line; std::getline(lines, line);) {
            expected.push_back(line);
        }
    }
    const fs::path dir = GameDir("pad_script_" + std::to_string(getpid()));
    const std::string options = "--seed 4 --unpaced --frames 30 --trace trace.txt --script ";
    std::ofstream(dir / "pad.txt") << padScript;
    GameRun run = RunGame(options + "pad.txt --screenshot 30:pad.png", 120, dir.string());
    ASSERT_EQ(run.status, 0) << run.errors;
    const std::vector<std::string> padTrace = TraceLines((dir / "trace.txt").string(), true);
    ASSERT_EQ(Joined(padTrace), Joined(expected));

    std::ofstream(dir / "keys.txt") << KeyboardScriptFor(padTrace);
    run = RunGame(options + "keys.txt --screenshot 30:keys.png", 120, dir.string());
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(Joined(TraceLines((dir / "trace.txt").string(), true)), Joined(expected));
    const std::string picture = ReadWholeFile((dir / "pad.png").string());
    EXPECT_FALSE(picture.empty());
    EXPECT_TRUE(picture == ReadWholeFile((dir / "keys.png").string())) << "the pad and the keyboard played differently";
    fs::remove_all(dir);
}

}  // namespace
