// What the player gets when the game cannot start: the real executable, with
// each start-up failure injected, ends with status 0 after its message and
// without a sanitizer report; and the message box really shows and blocks,
// on an X server with core fonts and on one without.
#include <gtest/gtest.h>

#include <X11/Xlib.h>    // Required for: watching for the box and pressing its key
#include <X11/Xutil.h>   // Required for: XGetWMName
#include <X11/keysym.h>  // Required for: XK_Return
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "platform/message_box.h"
#include "tests/game_runner.h"
#include "tests/test_files.h"

namespace fs = std::filesystem;

namespace {

const std::string CompileFailed = "のコンパイルに失敗しました。\nエラーメッセージ：\n";
const std::string LinkFailedMessage = "シェーダをプログラムオブジェクトにセットできませんでした。";

// Compiles, but reads a varying that no vertex shader writes, so linking fails.
const char* const UnlinkableFragment =
    "#version 120\nvarying vec4 neverWritten;\nvoid main() { gl_FragColor = neverWritten; }\n";

struct StartUpFailure {
    const char* name;
    const char* file;         // the source in Library/ that is broken, if any
    const char* replacement;  // its new text; null removes the file
    std::string expected;     // the start of the message on stderr; empty: none
};

const StartUpFailure Failures[] = {
    {"SkinCompile", "SkinModel_glsl.vert", "oops", std::string("SkinModel_glsl.vert") + CompileFailed},
    {"SkinShadowCompile", "SkinModel_Shadow_glsl.vert", "oops",
     std::string("SkinModel_Shadow_glsl.vert") + CompileFailed},
    {"StaticCompile", "StaticModel_glsl.frag", "oops", std::string("StaticModel_glsl.frag") + CompileFailed},
    {"StaticShadowCompile", "StaticModel_Shadow_glsl.frag", "oops",
     std::string("StaticModel_Shadow_glsl.frag") + CompileFailed},
    {"Sprite2DCompile", "2DDraw_glsl.vert", "oops", std::string("2DDraw_glsl.vert") + CompileFailed},
    {"SpriteInSpaceCompile", "2DDrawTo3DSpace_glsl.frag", "oops",
     std::string("2DDrawTo3DSpace_glsl.frag") + CompileFailed},
    {"SkinLink", "SkinModel_glsl.frag", UnlinkableFragment, LinkFailedMessage},
    {"SkinShadowLink", "SkinModel_Shadow_glsl.frag", UnlinkableFragment, LinkFailedMessage},
    {"StaticLink", "StaticModel_glsl.frag", UnlinkableFragment, LinkFailedMessage},
    {"StaticShadowLink", "StaticModel_Shadow_glsl.frag", UnlinkableFragment, LinkFailedMessage},
    {"Sprite2DLink", "2DDraw_glsl.frag", UnlinkableFragment, LinkFailedMessage},
    {"SpriteInSpaceLink", "2DDrawTo3DSpace_glsl.frag", UnlinkableFragment, LinkFailedMessage},
    // An empty source: the driver refuses it at compile or at link time.
    {"MissingSource", "StaticModel_Shadow_glsl.vert", nullptr, ""},
    // No shader is touched; the extension loader is made to fail instead.
    {"ExtensionLoading", nullptr, nullptr, ""},
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const StartUpFailure& failure, std::ostream* out)
{
    *out << failure.name;
}

class StartUpFailureTest : public testing::TestWithParam<StartUpFailure> {};

TEST_P(StartUpFailureTest, EndsWithStatusZeroAfterItsMessageAndNoSanitizerReport)
{
    if (std::getenv("DISPLAY") == nullptr) {
        GTEST_SKIP() << "the game needs a display";
    }
    const StartUpFailure& failure = GetParam();
    TempDir dir;
    const fs::path library = fs::path(dir.Path()) / "Library";
    fs::copy(fs::path(KESTRUNE_BIN_DIR) / "Library", library);
    if (failure.file != nullptr) {
        fs::remove(library / failure.file);
        if (failure.replacement != nullptr) {
            std::ofstream(library / failure.file) << failure.replacement;
        }
    }
    setenv("KESTRUNE_NO_MESSAGE_BOX", "1", 1);
    // The shell and `timeout` carry the preload too; only the game calls the
    // extension loader it replaces.
    const bool failLoader = failure.file == nullptr;
    if (failLoader) {
        setenv("LD_PRELOAD", KESTRUNE_FAILING_LOADER, 1);
    }
    const GameRun run = RunGame("--frames 3", 120, dir.Path());
    unsetenv("LD_PRELOAD");

    EXPECT_EQ(run.status, 0) << run.errors;
    for (const char* report : {"Sanitizer", "runtime error", "Segmentation"}) {
        EXPECT_EQ(run.errors.find(report), std::string::npos) << run.errors;
    }
    if (!failure.expected.empty()) {
        EXPECT_EQ(run.errors.rfind(failure.expected, 0), 0u) << run.errors;
    } else if (failLoader) {
        EXPECT_EQ(run.errors.find("失敗"), std::string::npos) << "no shader message without shaders";
    } else {
        const bool compile = run.errors.rfind(std::string(failure.file) + CompileFailed, 0) == 0;
        EXPECT_TRUE(compile || run.errors.rfind(LinkFailedMessage, 0) == 0) << run.errors;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFailure, StartUpFailureTest, testing::ValuesIn(Failures),
                         [](const testing::TestParamInfo<StartUpFailure>& info) { return info.param.name; });

// A private X server without any font but the server's built-in ones, as on
// a desktop that never installed the core fonts.
class FontlessServer {
public:
    FontlessServer()
    {
        int pipeFds[2];
        if (pipe(pipeFds) != 0) {
            return;
        }
        pid_ = fork();
        if (pid_ == 0) {
            close(pipeFds[0]);
            const std::string fd = std::to_string(pipeFds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-fp", "built-ins", "-nolisten", "tcp", "-screen",
                   "0", "1024x768x24", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(pipeFds[1]);
        // The server writes its display number and then a line feed, and
        // dies if the pipe is closed before it could write both.
        std::string number;
        char c = 0;
        while (read(pipeFds[0], &c, 1) == 1 && c != '\n') {
            number += c;
        }
        close(pipeFds[0]);
        if (!number.empty()) {
            display_ = ":" + number;
        }
    }
    ~FontlessServer()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    FontlessServer(const FontlessServer&) = delete;
    FontlessServer& operator=(const FontlessServer&) = delete;

    const std::string& Display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};

// Polls `done` until it holds; the limit only keeps a broken run from
// hanging the suite, nothing is measured.
bool Eventually(const std::function<bool()>& done)
{
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done()) {
        if (std::chrono::steady_clock::now() > limit) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// The window titled "Error" among the root's children, or 0. The title is
// compared as raw bytes, since SDL names its box in UTF-8.
Window FindBox(Display* connection)
{
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(connection, DefaultRootWindow(connection), &root, &parent, &children, &count) != 0) {
        for (unsigned int i = 0; i < count && found == 0; ++i) {
            XTextProperty name = {};
            if (XGetWMName(connection, children[i], &name) != 0) {
                const std::string title(reinterpret_cast<const char*>(name.value), name.nitems);
                found = title == "Error" ? children[i] : 0;
                XFree(name.value);
            }
        }
        XFree(children);
    }
    return found;
}

// Shows the box from a child process on `display`, checks it appears and
// holds the child until OK is pressed, then presses it. The test watches
// through one connection opened before the child starts, so the child's own
// connections never meet another client's (see with_display.sh).
void ExpectBoxBlocksUntilClosed(const std::string& display)
{
    Display* watcher = XOpenDisplay(display.c_str());
    ASSERT_NE(watcher, nullptr) << "cannot open " << display;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv("DISPLAY", display.c_str(), 1);
        unsetenv("KESTRUNE_NO_MESSAGE_BOX");
        ShowMessageBox("StaticModel_glsl.vertのコンパイルに失敗しました。\nエラーメッセージ：\n0:1(1): error");
        _exit(0);
    }
    Window box = 0;
    const bool shown = Eventually([&] { return (box = FindBox(watcher)) != 0; });
    int status = -1;
    EXPECT_TRUE(shown) << "no box titled Error on " << display;
    EXPECT_EQ(waitpid(child, &status, WNOHANG), 0) << "returned before anyone pressed OK";
    if (shown) {
        // Enter pressed and released, as a player would, sent to the box.
        for (const int type : {KeyPress, KeyRelease}) {
            XEvent key = {};
            key.xkey.type = type;
            key.xkey.display = watcher;
            key.xkey.window = box;
            key.xkey.root = DefaultRootWindow(watcher);
            key.xkey.same_screen = True;
            key.xkey.keycode = XKeysymToKeycode(watcher, XK_Return);
            XSendEvent(watcher, box, True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &key);
        }
        XFlush(watcher);
    }
    const bool closed = Eventually([&] { return waitpid(child, &status, WNOHANG) == child; });
    if (!closed) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
    }
    XCloseDisplay(watcher);
    EXPECT_TRUE(closed) << "OK did not close the box";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace

TEST(MessageBox, ShowsAndBlocksUntilClosedOnTheSuitesDisplay)
{
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || display[0] == '\0') {
        GTEST_SKIP() << "needs a display";
    }
    ExpectBoxBlocksUntilClosed(display);
}

TEST(MessageBox, ShowsAndBlocksUntilClosedWithoutTheServersCoreFonts)
{
    const FontlessServer server;
    ASSERT_FALSE(server.Display().empty()) << "Xvfb did not start";
    ExpectBoxBlocksUntilClosed(server.Display());
}
