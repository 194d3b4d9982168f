#include "bench/floor_frame.h"

#include <chrono>
#include <cstdint>
#include <vector>

#include "platform/window.h"
#include "tests/gl_test_window.h"

namespace {

constexpr const char* VertexSource =
    "#version 120\n"
    "varying vec2 uv;\n"
    "void main() { gl_Position = gl_Vertex; uv = gl_MultiTexCoord0.xy; }\n";
constexpr const char* FragmentSource =
    "#version 120\n"
    "uniform sampler2D picture;\n"
    "varying vec2 uv;\n"
    "void main() { gl_FragColor = texture2D(picture, uv); }\n";

struct Floor {
    GLuint program = 0;
    GLuint picture = 0;
    GLuint depth = 0;
    GLuint quad = 0;
};

Floor reference;

GLuint Compile(GLenum type, const char* source)
{
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

// A window-sized picture with some variety in it, like the title's
// background, sampled nearest as every picture of ours is.
GLuint MakePicture()
{
    std::vector<uint8_t> texels(static_cast<size_t>(WindowWidth) * WindowHeight * 3);
    for (size_t i = 0; i < texels.size(); ++i) {
        texels[i] = static_cast<uint8_t>((i * 7) ^ (i >> 9));
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, WindowWidth, WindowHeight, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    return texture;
}

}  // namespace

bool PrepareFloorFrame()
{
    if (!OpenTestWindow()) {
        return false;
    }
    if (reference.program != 0) {
        return true;
    }
    EnableVerticalSync();
    reference.program = glCreateProgram();
    glAttachShader(reference.program, Compile(GL_VERTEX_SHADER, VertexSource));
    glAttachShader(reference.program, Compile(GL_FRAGMENT_SHADER, FragmentSource));
    glLinkProgram(reference.program);
    glUseProgram(reference.program);
    glUniform1i(glGetUniformLocation(reference.program, "picture"), 1);
    glActiveTexture(GL_TEXTURE1);
    reference.picture = MakePicture();
    glGenTextures(1, &reference.depth);
    glBindTexture(GL_TEXTURE_2D, reference.depth);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    // s, t, x, y, z of a strip over the whole clip square, counter-clockwise.
    const float strip[] = {0, 0, -1, -1, 0, 1, 0, 1, -1, 0, 0, 1, -1, 1, 0, 1, 1, 1, 1, 0};
    glGenBuffers(1, &reference.quad);
    glBindBuffer(GL_ARRAY_BUFFER, reference.quad);
    glBufferData(GL_ARRAY_BUFFER, sizeof strip, strip, GL_STATIC_DRAW);
    return true;
}

// One frame: the light pass that draws nothing and its depth copy, then the
// visible pass with the one quad, then the swap.
void DrawFloorFrame()
{
    glViewport(0, 0, WindowWidth, WindowHeight);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glClear(GL_DEPTH_BUFFER_BIT);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, reference.depth);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, WindowWidth, WindowHeight, 0, GL_DEPTH_COMPONENT,
                 GL_FLOAT, nullptr);
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, WindowWidth, WindowHeight);

    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glUseProgram(reference.program);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, reference.picture);
    glBindBuffer(GL_ARRAY_BUFFER, reference.quad);
    glInterleavedArrays(GL_T2F_V3F, 0, nullptr);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glutSwapBuffers();
}

std::vector<double> MeasureFloorFramesMs(int frames)
{
    using Clock = std::chrono::steady_clock;
    constexpr int WarmUpFrames = 10;
    for (int i = 0; i < WarmUpFrames; ++i) {
        DrawFloorFrame();
    }
    glFinish();
    std::vector<double> times;
    Clock::time_point last = Clock::now();
    for (int i = 0; i < frames; ++i) {
        DrawFloorFrame();
        const Clock::time_point now = Clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
    }
    return times;
}
