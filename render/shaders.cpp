#include "render/shaders.h"

#include <GL/glew.h>  // Required for: shader, program and buffer entry points

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/message_box.h"

ShaderProgram SkinModelProgram;
ShaderProgram SkinModelShadowProgram;
ShaderProgram StaticModelProgram;
ShaderProgram StaticModelShadowProgram;
ShaderProgram Draw2DProgram;
ShaderProgram Draw2DTo3DSpaceProgram;
unsigned int QuadVertexBuffer = 0;
unsigned int QuadIndexBuffer = 0;

namespace {

// The message texts are the ones our players have always seen; they are
// stored as UTF-8 and shown as they stand.
constexpr const char* CompileFailedFormat =
    "%sのコンパイルに失敗しました。\nエラーメッセージ：\n%s";
constexpr const char* LinkFailedText = "シェーダをプログラムオブジェクトにセットできませんでした。";
constexpr size_t MessageBufferSize = 1024;
constexpr GLint MinUsefulLogLength = 2;

struct Location {
    const char* name;
    int ShaderProgram::*field;
};

constexpr int MaxLocations = 9;

// One program to build: its sources and the names it looks up, in order.
struct ProgramRecipe {
    ShaderProgram* record;
    const char* vertexFile;    // file name inside Library/
    const char* fragmentFile;
    Location uniforms[MaxLocations];
    Location attributes[2];
};

const ProgramRecipe SkinRecipes[] = {
    {&SkinModelProgram,
     "SkinModel_glsl.vert",
     "SkinModel_glsl.frag",
     {{"wvp_mat", &ShaderProgram::wvpMat},
      {"diffuse", &ShaderProgram::diffuse},
      {"bone_mat", &ShaderProgram::boneMat},
      {"texture", &ShaderProgram::texture},
      {"use_tex", &ShaderProgram::useTex}},
     {{"bone_index", &ShaderProgram::boneIndex}, {"weight", &ShaderProgram::weight}}},
    {&SkinModelShadowProgram,
     "SkinModel_Shadow_glsl.vert",
     "SkinModel_Shadow_glsl.frag",
     {{"wvp_mat", &ShaderProgram::wvpMat},
      {"diffuse", &ShaderProgram::diffuse},
      {"bone_mat", &ShaderProgram::boneMat},
      {"w_mat", &ShaderProgram::wMat},
      {"to_tex_space", &ShaderProgram::toTexSpace},
      {"light_dir", &ShaderProgram::lightDir},
      {"texture", &ShaderProgram::texture},
      {"depth_tex", &ShaderProgram::depthTex},
      {"use_tex", &ShaderProgram::useTex}},
     {{"bone_index", &ShaderProgram::boneIndex}, {"weight", &ShaderProgram::weight}}},
};

const ProgramRecipe StaticRecipes[] = {
    {&StaticModelProgram,
     "StaticModel_glsl.vert",
     "StaticModel_glsl.frag",
     {{"wvp_mat", &ShaderProgram::wvpMat},
      {"diffuse", &ShaderProgram::diffuse},
      {"texture", &ShaderProgram::texture},
      {"use_tex", &ShaderProgram::useTex}},
     {}},
    {&StaticModelShadowProgram,
     "StaticModel_Shadow_glsl.vert",
     "StaticModel_Shadow_glsl.frag",
     {{"wvp_mat", &ShaderProgram::wvpMat},
      {"w_mat", &ShaderProgram::wMat},
      {"to_tex_space", &ShaderProgram::toTexSpace},
      {"light_dir", &ShaderProgram::lightDir},
      {"diffuse", &ShaderProgram::diffuse},
      {"texture", &ShaderProgram::texture},
      {"depth_tex", &ShaderProgram::depthTex},
      {"use_tex", &ShaderProgram::useTex}},
     {}},
};

const ProgramRecipe Recipes2D[] = {
    {&Draw2DProgram,
     "2DDraw_glsl.vert",
     "2DDraw_glsl.frag",
     {{"diffuse", &ShaderProgram::diffuse},
      {"texture", &ShaderProgram::texture},
      {"use_tex", &ShaderProgram::useTex},
      {"proj", &ShaderProgram::proj}},
     {}},
    {&Draw2DTo3DSpaceProgram,
     "2DDrawTo3DSpace_glsl.vert",
     "2DDrawTo3DSpace_glsl.frag",
     {{"diffuse", &ShaderProgram::diffuse},
      {"texture", &ShaderProgram::texture},
      {"use_tex", &ShaderProgram::useTex},
      {"wvp_mat", &ShaderProgram::wvpMat}},
     {}},
};

// Shows "<file> failed to compile" with the log. A log too long for the
// message buffer is cut at a character boundary rather than mid-sequence.
void ShowCompileFailure(const char* fileName, const char* log)
{
    char message[MessageBufferSize] = {};
    const int written = std::snprintf(message, sizeof message, CompileFailedFormat, fileName, log);
    if (written >= static_cast<int>(sizeof message)) {
        size_t end = sizeof message - 1;
        while (end > 0 && (static_cast<uint8_t>(message[end]) & 0xC0u) == 0x80u) {
            --end;
        }
        message[end] = '\0';
    }
    ShowMessageBox(message);
}

bool CompileOne(const char* fileName, unsigned int& shader, unsigned int type)
{
    const std::string path = std::string("Library/") + fileName;
    std::unique_ptr<char[]> log = CompileShaderFile(path.c_str(), shader, type);
    if (log != nullptr) {
        ShowCompileFailure(fileName, log.get());
        return false;
    }
    return true;
}

bool BuildProgram(const ProgramRecipe& recipe)
{
    ShaderProgram& record = *recipe.record;
    if (!CompileOne(recipe.vertexFile, record.vertexShader, GL_VERTEX_SHADER) ||
        !CompileOne(recipe.fragmentFile, record.fragmentShader, GL_FRAGMENT_SHADER)) {
        return false;
    }
    record.program = LinkShaderProgram(record.vertexShader, record.fragmentShader);
    if (record.program == LinkFailed) {
        ShowMessageBox(LinkFailedText);
        return false;
    }
    for (const Location& uniform : recipe.uniforms) {
        if (uniform.name != nullptr) {
            record.*uniform.field = glGetUniformLocation(record.program, uniform.name);
        }
    }
    for (const Location& attribute : recipe.attributes) {
        if (attribute.name != nullptr) {
            record.*attribute.field = glGetAttribLocation(record.program, attribute.name);
        }
    }
    return true;
}

template <size_t N>
bool BuildAll(const ProgramRecipe (&recipes)[N])
{
    for (const ProgramRecipe& recipe : recipes) {
        if (!BuildProgram(recipe)) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::unique_ptr<char[]> CompileShaderFile(const char* path, unsigned int& shader, unsigned int type)
{
    shader = glCreateShader(type);
    std::string source;
    std::ifstream file(path);
    if (file) {
        source.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint status = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status == GL_TRUE) {
        return nullptr;
    }
    GLint logLength = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &logLength);
    if (logLength < MinUsefulLogLength) {
        return nullptr;
    }
    auto log = std::make_unique<char[]>(static_cast<size_t>(logLength));
    glGetShaderInfoLog(shader, logLength, nullptr, log.get());
    return log;
}

unsigned int LinkShaderProgram(unsigned int vertexShader, unsigned int fragmentShader)
{
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertexShader);
    glAttachShader(program, fragmentShader);
    glLinkProgram(program);
    GLint status = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    return status == GL_TRUE ? program : LinkFailed;
}

bool InitSkinModelShaders()
{
    return BuildAll(SkinRecipes);
}

bool InitStaticModelShaders()
{
    return BuildAll(StaticRecipes);
}

bool Init2DShaders()
{
    if (!BuildAll(Recipes2D)) {
        return false;
    }
    static const uint16_t quadIndices[4] = {2, 0, 1, 3};
    glGenBuffers(1, &QuadVertexBuffer);
    glGenBuffers(1, &QuadIndexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, QuadIndexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof quadIndices, quadIndices, GL_STATIC_DRAW);
    return true;
}

void DeleteShaderPrograms()
{
    // Only objects that start-up really made are deleted. When extension
    // loading failed, every name is still 0 and the entry points that would
    // delete them were never loaded.
    const auto deleteShader = [](unsigned int& shader) {
        if (shader != 0) {
            glDeleteShader(shader);
        }
    };
    const auto deleteBuffer = [](unsigned int& buffer) {
        if (buffer != 0) {
            glDeleteBuffers(1, &buffer);
            buffer = 0;
        }
    };
    for (const ProgramRecipe* recipes : {SkinRecipes, StaticRecipes, Recipes2D}) {
        for (int i = 0; i < 2; ++i) {
            ShaderProgram& record = *recipes[i].record;
            if (record.program != 0 && record.program != LinkFailed) {
                glDeleteProgram(record.program);
            }
            deleteShader(record.vertexShader);
            deleteShader(record.fragmentShader);
            record = ShaderProgram{};
        }
    }
    deleteBuffer(QuadVertexBuffer);
    deleteBuffer(QuadIndexBuffer);
}
