#include "platform/preview_window.h"

#include <GL/glew.h>     // Required for: GL entry points
#include <GL/freeglut.h> // Required for: the window and its context

#include "platform/window.h"

#include <algorithm>

bool OpenPreviewWindow(int width, int height, const char* title)
{
    int argc = 1;
    char name[] = "preview";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(width, height);
    if (glutCreateWindow(title) <= 0) {
        return false;
    }
    return InitGlExtensions();
}

void BeginPreviewPicture(int width, int height, float red, float green, float blue)
{
    glViewport(0, 0, width, height);
    glEnable(GL_DEPTH_TEST);
    glClearColor(red, green, blue, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

std::vector<std::uint8_t> ReadPreviewPicture(int width, int height)
{
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    std::vector<std::uint8_t> bottomUp(static_cast<size_t>(width) * height * 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<std::uint8_t> topDown(bottomUp.size());
    const size_t row = static_cast<size_t>(width) * 4;
    for (int y = 0; y < height; ++y) {
        std::copy_n(bottomUp.begin() + static_cast<long>(row * (height - 1 - y)), row,
                    topDown.begin() + static_cast<long>(row * y));
    }
    return topDown;
}
