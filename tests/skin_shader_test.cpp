// The skinning shaders: each vertex blends the bone matrices its indices
// name; an index of -1 (an unused slot) or past the array moves nothing.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <vector>

#include "render/shaders.h"
#include "tests/gl_test_window.h"

namespace {

constexpr int MaxBones = 64;

// Draws a small square (in clip space, around the origin) through the
// skinning program, every vertex with the same four indices and weights.
void DrawSkinnedSquare(const ShaderProgram& program, const float indices[4], const float weights[4],
                       const std::vector<Matrix4>& bones)
{
    // GL_T2F_N3F_V3F: s, t, normal, position.
    const float vertices[4][8] = {{0, 0, 0, 0, 1, -0.1f, -0.1f, 0}, {1, 0, 0, 0, 1, 0.1f, -0.1f, 0},
                                  {1, 1, 0, 0, 1, 0.1f, 0.1f, 0},   {0, 1, 0, 0, 1, -0.1f, 0.1f, 0}};
    std::vector<float> indexData;
    std::vector<float> weightData;
    for (int v = 0; v < 4; ++v) {
        indexData.insert(indexData.end(), indices, indices + 4);
        weightData.insert(weightData.end(), weights, weights + 4);
    }
    GLuint buffers[3] = {};
    glGenBuffers(3, buffers);
    glUseProgram(program.program);
    const Matrix4 identity;
    glUniformMatrix4fv(program.wvpMat, 1, GL_FALSE, identity.m);
    glUniformMatrix4fv(program.wMat, 1, GL_FALSE, identity.m);
    glUniformMatrix4fv(program.boneMat, static_cast<GLsizei>(bones.size()), GL_FALSE, bones[0].m);
    const float white[4] = {1, 1, 1, 1};
    glUniform4fv(program.diffuse, 1, white);
    glUniform1i(program.useTex, -1);
    const float up[3] = {0, 0, 1};
    glUniform3fv(program.lightDir, 1, up);

    glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
    glBufferData(GL_ARRAY_BUFFER, sizeof vertices, vertices, GL_STATIC_DRAW);
    glInterleavedArrays(GL_T2F_N3F_V3F, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, buffers[1]);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(indexData.size() * 4), indexData.data(), GL_STATIC_DRAW);
    glEnableVertexAttribArray(static_cast<GLuint>(program.boneIndex));
    glVertexAttribPointer(static_cast<GLuint>(program.boneIndex), 4, GL_FLOAT, GL_FALSE, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, buffers[2]);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(weightData.size() * 4), weightData.data(), GL_STATIC_DRAW);
    glEnableVertexAttribArray(static_cast<GLuint>(program.weight));
    glVertexAttribPointer(static_cast<GLuint>(program.weight), 4, GL_FLOAT, GL_FALSE, 0, nullptr);
    glDrawArrays(GL_QUADS, 0, 4);
    glDisableVertexAttribArray(static_cast<GLuint>(program.boneIndex));
    glDisableVertexAttribArray(static_cast<GLuint>(program.weight));
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDeleteBuffers(3, buffers);
}

bool Drawn(int x, int y)
{
    const Rgb pixel = PixelAt(x, y);
    return pixel.r + pixel.g + pixel.b > 100;
}

}  // namespace

TEST(SkinShaders, IndicesPickBonesAndUnusedSlotsMoveNothing)
{
    REQUIRE_TEST_WINDOW();
    glDisable(GL_CULL_FACE);
    // Bone 0 moves right by a quarter of the window, bone 1 left; the last
    // bone would throw the square off screen if anything read past it.
    std::vector<Matrix4> bones(MaxBones);
    bones[0] = MatTranslation(0.5f, 0.0f, 0.0f);
    bones[1] = MatTranslation(-0.5f, 0.0f, 0.0f);
    bones[MaxBones - 1] = MatTranslation(0.0f, 0.5f, 0.0f);
    for (const ShaderProgram* program : {&SkinModelProgram, &SkinModelShadowProgram}) {
        if (program == &SkinModelShadowProgram) {
            // No shadow map in this test: the lookup must fall back to lit.
            glMatrixMode(GL_TEXTURE);
            glLoadIdentity();
            glMatrixMode(GL_MODELVIEW);
        }
        struct Case {
            float indices[4];
            float weights[4];
            int expectedX;  // window column of the square's centre
        };
        const Case cases[] = {
            {{0, -1, -1, -1}, {1, 0, 0, 0}, 600},
            {{-1, 1, -1, -1}, {0, 1, 0, 0}, 200},
            {{0, 1, -1, -1}, {0.5f, 0.5f, 0, 0}, 400},  // blended halfway: back in the middle
            {{-1, -1, -1, -1}, {0, 0, 0, 0}, 400},      // held by no bone: left as modelled
            {{64, 0, -1, 1000}, {0.5f, 1, 0, 0.5f}, 600},  // out-of-range indices are skipped
        };
        for (const Case& c : cases) {
            ClearWindow(0, 0, 0);
            DrawSkinnedSquare(*program, c.indices, c.weights, bones);
            EXPECT_TRUE(Drawn(c.expectedX, 300)) << c.indices[0] << " " << c.indices[1];
            for (int x : {200, 400, 600}) {
                if (x != c.expectedX) {
                    EXPECT_FALSE(Drawn(x, 300)) << x;
                }
            }
            EXPECT_FALSE(Drawn(400, 150));  // bone 63 never used
        }
    }
    glUseProgram(0);
}
