// A real GL window for tests and benchmarks that draw (Xvfb with Mesa in
// CI): one 800 by 600 window per process, with the six programs built from
// the Library/ copy in the working directory. Header-only so the benchmarks
// can share it.
#pragma once

#include <GL/glew.h>
#include <GL/freeglut.h>

#include <csetjmp>
#include <cstdarg>
#include <cstdint>
#include <cstdlib>

#include "platform/window.h"
#include "render/shaders.h"
#include "render/sprite.h"

// Opens the window on first use. False when there is no display, so a test
// can skip instead of letting the toolkit end the process.
inline bool OpenTestWindow()
{
    static int state = 0;  // 0 untried, 1 open, -1 unavailable
    if (state != 0) {
        return state == 1;
    }
    // Some X servers refuse a connection now and then; the toolkit would end
    // the process on the first refusal, so its error is caught and the
    // initialisation tried again.
    int argc = 1;
    char name[] = "kestrune_tests";
    char* argv[] = {name, nullptr};
    static jmp_buf toolkitFailed;
    glutInitErrorFunc([](const char*, va_list) { longjmp(toolkitFailed, 1); });
    static int attempts = 0;  // static: it must survive the jumps back
    if (setjmp(toolkitFailed) != 0 && ++attempts >= 20) {
        state = -1;
        return false;
    }
    glutInit(&argc, argv);
    glutInitErrorFunc(nullptr);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(WindowWidth, WindowHeight);
    glutCreateWindow(name);
    if (!InitGlExtensions()) {
        state = -1;
        return false;
    }
    glEnable(GL_DEPTH_TEST);
    glViewport(0, 0, WindowWidth, WindowHeight);
    glReadBuffer(GL_BACK);
    glDrawBuffer(GL_BACK);
    InitScreenProjection();
    state = 1;
    return true;
}

// Builds the six programs and the sprite buffers (once per process).
inline bool BuildTestShaders()
{
    static int built = 0;
    if (built == 0) {
        built = InitSkinModelShaders() && InitStaticModelShaders() && Init2DShaders() ? 1 : -1;
    }
    return built == 1;
}

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

// Reads one back-buffer pixel; x right and y down from the window's top-left.
inline Rgb PixelAt(int x, int y)
{
    uint8_t rgb[3] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, WindowHeight - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return Rgb{rgb[0], rgb[1], rgb[2]};
}

// Clears colour to (r, g, b) and depth to 1.
inline void ClearWindow(float r, float g, float b)
{
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(r, g, b, 0.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

#define REQUIRE_TEST_WINDOW()                             \
    do {                                                  \
        if (!OpenTestWindow()) {                          \
            GTEST_SKIP() << "no display for a GL window"; \
        }                                                 \
        ASSERT_TRUE(BuildTestShaders());                  \
    } while (0)
