// Program entry: the window, start-up, then the toolkit's main loop.
#include <GL/freeglut.h>

#include <cstdio>
#include <string>

#include "app/check_content.h"
#include "app/dev_options.h"
#include "app/frame_loop.h"
#include "platform/key_input.h"
#include "platform/window.h"
#include "platform/x_keyboard.h"
#include "render/frame_profile.h"
#include "scenes/scene_factory.h"
#include "scenes/scene_game_title.h"

namespace {

// A scripted run takes its keys from the file alone.
void InstallKeyboard()
{
    if (!Dev.scriptPath.empty()) {
        return;
    }
    if (OpenPhysicalKeyboard()) {
        AddKeySource(PollPhysicalKeyboard);
    } else {
        std::fprintf(stderr, "kestrune: cannot reach the keyboard; only a pad will work\n");
    }
}

}  // namespace

int main(int argc, char** argv)
{
    std::string error;
    if (!ParseDevOptions(argc, argv, Dev, error)) {
        std::fprintf(stderr, "kestrune: %s\n%s", error.c_str(), DevUsage);
        return 2;
    }
    if (Dev.checkContent) {
        return RunContentCheck();  // no window needed: the readers are GL-free
    }
    SetFrameProfile(Dev.profile);
    NoteStartUpStep("options");
    // The title's pictures are read on a second core while the toolkit
    // loads the GL driver, the longest step before the first frame.
    if (StartsOnTitle(Dev.startScreen)) {
        PrefetchTitleImages();
    }
    int toolkitArgc = 1;
    glutInit(&toolkitArgc, argv);
    NoteStartUpStep("toolkit");
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);  // 18
    glutInitWindowPosition(100, 100);
    glutInitWindowSize(WindowWidth, WindowHeight);
    glutCreateWindow(argv[0]);
    NoteStartUpStep("window");
    glutDisplayFunc(OnDisplay);
    glutReshapeFunc(OnReshape);
    glutIdleFunc(OnIdle);
    InstallKeyboard();
    StartUp();
    glutMainLoop();
    return 0;
}
