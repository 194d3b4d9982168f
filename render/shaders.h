// The six GLSL programs every draw goes through, built once at start-up from
// the sources in Library/, plus the two buffers all sprite draws share.
#pragma once

#include <memory>
#include <string>

// Program name stored when linking failed.
inline constexpr unsigned int LinkFailed = 999;

// One record per program. Each program looks up only its own names; the
// others stay -1, which GL treats as "no such uniform" (setting it does nothing).
struct ShaderProgram {
    unsigned int vertexShader = 0;
    unsigned int fragmentShader = 0;
    unsigned int program = 0;
    // Uniforms.
    int wvpMat = -1;
    int diffuse = -1;
    int boneMat = -1;
    int wMat = -1;
    int toTexSpace = -1;
    int lightDir = -1;
    int texture = -1;
    int depthTex = -1;
    int useTex = -1;
    int proj = -1;
    // Attributes.
    int boneIndex = -1;
    int weight = -1;
};

extern ShaderProgram SkinModelProgram;
extern ShaderProgram SkinModelShadowProgram;
extern ShaderProgram StaticModelProgram;
extern ShaderProgram StaticModelShadowProgram;
extern ShaderProgram Draw2DProgram;
extern ShaderProgram Draw2DTo3DSpaceProgram;

// Sprite buffers: the vertex buffer is refilled by every sprite draw; the
// index buffer holds 2, 0, 1, 3 (a counter-clockwise walk of the quad).
extern unsigned int QuadVertexBuffer;
extern unsigned int QuadIndexBuffer;

// Compiles one source file (a missing file compiles as empty source). The new
// shader name is stored in `shader` in every case. Returns the compiler's log
// when compiling failed and the log holds at least two characters; otherwise
// null, and a silent failure then shows up at link time.
std::unique_ptr<char[]> CompileShaderFile(const char* path, unsigned int& shader, unsigned int type);

// The message shown when a source fails to compile: the file name, the fixed
// words and the compiler's log, cut to the 1024-byte message buffer (1023
// bytes and the terminating zero). A cut never ends inside a UTF-8
// character, so a long log in any language shows as whole characters.
std::string CompileFailureMessage(const char* fileName, const char* log);

// Returns the linked program's name, or LinkFailed. Nothing is deleted on failure.
unsigned int LinkShaderProgram(unsigned int vertexShader, unsigned int fragmentShader);

// Each builds its two programs in order and stops at the first failure,
// which it shows in a message box before returning false. Paths are relative
// to the working directory ("Library/...").
bool InitSkinModelShaders();
bool InitStaticModelShaders();
bool Init2DShaders();

// Program exit: deletes every program, shader and sprite buffer made above,
// so the driver can release what it holds for them before the context goes.
void DeleteShaderPrograms();
