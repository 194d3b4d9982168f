// Program entry: the window, start-up, then the toolkit's main loop.
#include <GL/freeglut.h>

#include <cstdio>
#include <string>

#include "app/check_content.h"
#include "app/dev_options.h"
#include "app/frame_loop.h"
#include "platform/key_input.h"
#include "platform/window.h"
#include "render/frame_profile.h"

namespace {

void OnKeyboard(unsigned char key, int, int)
{
    PlatformKeyDown(VirtualKeyFromAscii(key, (glutGetModifiers() & GLUT_ACTIVE_CTRL) != 0));
}

void OnKeyboardUp(unsigned char key, int, int)
{
    PlatformKeyUp(VirtualKeyFromAscii(key, (glutGetModifiers() & GLUT_ACTIVE_CTRL) != 0));
}

void OnSpecial(int key, int, int)
{
    PlatformKeyDown(VirtualKeyFromSpecial(key));
}

void OnSpecialUp(int key, int, int)
{
    PlatformKeyUp(VirtualKeyFromSpecial(key));
}

// Key-up events are not delivered to a window that lost the keyboard, so
// everything is released when the pointer leaves or the window is hidden.
void OnEntry(int state)
{
    if (state == GLUT_LEFT) {
        PlatformReleaseAllKeys();
    }
}

void OnWindowStatus(int state)
{
    if (state == GLUT_HIDDEN || state == GLUT_FULLY_COVERED) {
        PlatformReleaseAllKeys();
    }
}

void InstallKeyboard()
{
    glutIgnoreKeyRepeat(1);
    if (!Dev.scriptPath.empty()) {
        return;  // a scripted run takes its keys from the file alone
    }
    glutKeyboardFunc(OnKeyboard);
    glutKeyboardUpFunc(OnKeyboardUp);
    glutSpecialFunc(OnSpecial);
    glutSpecialUpFunc(OnSpecialUp);
    glutEntryFunc(OnEntry);
    glutWindowStatusFunc(OnWindowStatus);
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
