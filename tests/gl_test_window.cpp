#include "tests/gl_test_window.h"

#include <GL/glew.h>
#include <GL/freeglut.h>

#include <algorithm>
#include <cstdlib>

#include "platform/window.h"
#include "render/shaders.h"
#include "render/sprite.h"

namespace {

constexpr int Width = 800;
constexpr int Height = 600;

}  // namespace

bool OpenTestWindow()
{
    static int state = 0;  // 0 untried, 1 open, -1 unavailable
    if (state != 0) {
        return state == 1;
    }
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || display[0] == '\0') {
        state = -1;
        return false;
    }
    int argc = 1;
    char name[] = "kestrune_tests";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(Width, Height);
    glutCreateWindow("kestrune test");
    if (!InitGlExtensions()) {
        state = -1;
        return false;
    }
    glEnable(GL_DEPTH_TEST);
    glViewport(0, 0, Width, Height);
    glReadBuffer(GL_BACK);
    glDrawBuffer(GL_BACK);
    InitScreenProjection();
    state = 1;
    return true;
}

bool BuildTestShaders()
{
    static int built = 0;
    if (built == 0) {
        built = InitSkinModelShaders() && InitStaticModelShaders() && Init2DShaders() ? 1 : -1;
    }
    return built == 1;
}

Rgb PixelAt(int x, int y)
{
    uint8_t rgb[3] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, Height - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return Rgb{rgb[0], rgb[1], rgb[2]};
}

std::vector<uint8_t> ReadWindowRgb()
{
    std::vector<uint8_t> bottomUp(static_cast<size_t>(Width) * Height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, Width, Height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<uint8_t> topDown(bottomUp.size());
    const size_t row = static_cast<size_t>(Width) * 3;
    for (int y = 0; y < Height; ++y) {
        std::copy_n(bottomUp.begin() + static_cast<long>(row * (Height - 1 - y)), row,
                    topDown.begin() + static_cast<long>(row * y));
    }
    return topDown;
}

void ClearWindow(float r, float g, float b)
{
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(r, g, b, 0.0f);
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
