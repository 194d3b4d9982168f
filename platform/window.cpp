#include "platform/window.h"

#include <GL/glew.h>   // Required for: glewInit, GL entry points
#include <GL/glxew.h>  // Required for: the GLX swap-control extensions
#include <GL/freeglut.h>
#include <png.h>       // Required for: png_image_write_to_file

#include <dlfcn.h>     // Required for: dlopen to pin the GL driver
#include <link.h>      // Required for: dl_iterate_phdr

#include <cstring>
#include <vector>

namespace {

// The GL driver modules are unloaded before a sanitizer's leak check runs,
// which leaves their (not our) leaks without a module name to suppress.
// Marking every loaded driver module "never unload" keeps them named.
int PinDriverModule(struct dl_phdr_info* info, size_t, void*)
{
    const char* name = info->dlpi_name;
    if (name != nullptr && (std::strstr(name, "_dri.so") != nullptr ||
                            std::strstr(name, "libGLX_mesa") != nullptr ||
                            std::strstr(name, "libgallium") != nullptr ||
                            std::strstr(name, "libLLVM") != nullptr)) {
        dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
    return 0;
}

}  // namespace

bool InitGlExtensions()
{
    const bool ok = glewInit() == GLEW_OK;
    dl_iterate_phdr(PinDriverModule, nullptr);
    return ok;
}

void EnableVerticalSync()
{
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable drawable = glXGetCurrentDrawable();
    if (GLXEW_EXT_swap_control && display != nullptr) {
        glXSwapIntervalEXT(display, drawable, 1);
    } else if (GLXEW_MESA_swap_control) {
        glXSwapIntervalMESA(1);
    } else if (GLXEW_SGI_swap_control) {
        glXSwapIntervalSGI(1);
    }
}

void SwapWindowBuffers()
{
    glutSwapBuffers();
}

void SnapWindowSize(int width, int height)
{
    glutReshapeWindow(width, height);
}

bool SaveBackBufferPng(const std::string& path)
{
    std::vector<unsigned char> pixels(static_cast<size_t>(WindowWidth) * WindowHeight * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, WindowWidth, WindowHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());

    // The clear colour's alpha is 0; a screenshot should look like the window.
    for (size_t i = 3; i < pixels.size(); i += 4) {
        pixels[i] = 255;
    }

    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = WindowWidth;
    image.height = WindowHeight;
    image.format = PNG_FORMAT_RGBA;
    // GL rows run bottom to top; a negative stride writes them top first.
    const png_int_32 stride = -static_cast<png_int_32>(WindowWidth * 4);
    const int ok = png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), stride, nullptr);
    png_image_free(&image);
    return ok != 0;
}

void ClearFrame()
{
    glViewport(0, 0, WindowWidth, WindowHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void InitDrawState()
{
    glClearColor(0.0f, 0.9f, 0.9f, 0.0f);
    glEnable(GL_DEPTH_TEST);
}

void SetClearColour(float red, float green, float blue, float alpha)
{
    glClearColor(red, green, blue, alpha);
}

void RequestRedisplay()
{
    glutPostRedisplay();
}

void DestroyGameWindow()
{
    const int window = glutGetWindow();
    if (window != 0) {
        glutDestroyWindow(window);
    }
}
