// Building the six programs from our sources, and what the player sees when
// a source is broken: one message naming the file, or the link message.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "render/shaders.h"
#include "tests/gl_test_window.h"
#include "tests/test_files.h"
#include "tests/test_images.h"

namespace fs = std::filesystem;

namespace {

ShaderProgram* const AllPrograms[] = {&SkinModelProgram, &SkinModelShadowProgram, &StaticModelProgram,
                                      &StaticModelShadowProgram, &Draw2DProgram, &Draw2DTo3DSpaceProgram};

std::string ReadText(const fs::path& path)
{
    std::ifstream file(path);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteText(const fs::path& path, const std::string& text)
{
    std::ofstream(path) << text;
}

// A copy of Library/ in a temporary working directory, so a test can break
// one source and run the set-ups as start-up would. The real programs are
// restored afterwards for the tests that follow in the same process.
class BrokenLibrary {
public:
    BrokenLibrary() : oldDirectory_(fs::current_path())
    {
        for (int i = 0; i < 6; ++i) {
            saved_[i] = *AllPrograms[i];
            *AllPrograms[i] = ShaderProgram{};
        }
        fs::copy(oldDirectory_ / "Library", fs::path(dir_.Path()) / "Library");
        fs::current_path(dir_.Path());
        setenv("KESTRUNE_NO_MESSAGE_BOX", "1", 1);
    }
    ~BrokenLibrary()
    {
        fs::current_path(oldDirectory_);
        for (int i = 0; i < 6; ++i) {
            *AllPrograms[i] = saved_[i];
        }
    }
    BrokenLibrary(const BrokenLibrary&) = delete;
    BrokenLibrary& operator=(const BrokenLibrary&) = delete;

    fs::path Source(const char* name) const { return fs::path(dir_.Path()) / "Library" / name; }

    // Runs the three set-ups in start-up order and returns what reached stderr.
    std::string RunStartUpOrder(int& succeeded)
    {
        testing::internal::CaptureStderr();
        succeeded = 0;
        if (InitSkinModelShaders()) {
            ++succeeded;
            if (InitStaticModelShaders()) {
                ++succeeded;
                if (Init2DShaders()) {
                    ++succeeded;
                }
            }
        }
        return testing::internal::GetCapturedStderr();
    }

private:
    TempDir dir_;
    fs::path oldDirectory_;
    ShaderProgram saved_[6];
};

bool Built(const ShaderProgram& program)
{
    return program.program != 0 && program.program != LinkFailed;
}

int CountOccurrences(const std::string& text, const std::string& part)
{
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

const char* const LinkMessage = "シェーダをプログラムオブジェクトにセットできませんでした。";

}  // namespace

TEST(Shaders, OurSourcesBuildEveryProgramWithEveryLocation)
{
    REQUIRE_TEST_WINDOW();
    for (const ShaderProgram* program : AllPrograms) {
        EXPECT_TRUE(Built(*program));
    }
    // Every name a draw sets is live in our sources, so no set is lost.
    for (const ShaderProgram* p : {&SkinModelProgram, &SkinModelShadowProgram}) {
        EXPECT_NE(p->boneMat, -1);
        EXPECT_NE(p->boneIndex, -1);
        EXPECT_NE(p->weight, -1);
    }
    for (const ShaderProgram* p : {&SkinModelShadowProgram, &StaticModelShadowProgram}) {
        for (int location : {p->wvpMat, p->wMat, p->toTexSpace, p->lightDir, p->diffuse, p->texture,
                             p->depthTex, p->useTex}) {
            EXPECT_NE(location, -1);
        }
    }
    for (const ShaderProgram* p : {&SkinModelProgram, &StaticModelProgram, &Draw2DTo3DSpaceProgram}) {
        EXPECT_NE(p->wvpMat, -1);
    }
    EXPECT_NE(Draw2DProgram.proj, -1);
    EXPECT_EQ(Draw2DProgram.wvpMat, -1);  // not one of its names
    for (const ShaderProgram* p : AllPrograms) {
        EXPECT_NE(p->diffuse, -1);
        EXPECT_NE(p->texture, -1);
        EXPECT_NE(p->useTex, -1);
    }

    uint8_t indices[8] = {};
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, QuadIndexBuffer);
    glGetBufferSubData(GL_ELEMENT_ARRAY_BUFFER, 0, sizeof indices, indices);
    const uint8_t expected[8] = {2, 0, 0, 0, 1, 0, 3, 0};
    EXPECT_EQ(std::memcmp(indices, expected, sizeof indices), 0);
    EXPECT_NE(QuadVertexBuffer, 0u);
}

TEST(Shaders, SyntaxErrorShowsThatFilesMessageAndStopsLaterPrograms)
{
    REQUIRE_TEST_WINDOW();
    BrokenLibrary library;
    const fs::path broken = library.Source("StaticModel_Shadow_glsl.frag");
    WriteText(broken, ReadText(broken) + "\nthis is not glsl\n");
    int succeeded = 0;
    const std::string shown = library.RunStartUpOrder(succeeded);

    EXPECT_EQ(succeeded, 1);
    EXPECT_TRUE(Built(SkinModelProgram));
    EXPECT_TRUE(Built(SkinModelShadowProgram));
    EXPECT_TRUE(Built(StaticModelProgram));
    EXPECT_EQ(StaticModelShadowProgram.program, 0u);
    EXPECT_EQ(Draw2DProgram.program, 0u);
    EXPECT_EQ(Draw2DTo3DSpaceProgram.program, 0u);

    const std::string prefix = "StaticModel_Shadow_glsl.fragのコンパイルに失敗しました。\nエラーメッセージ：\n";
    ASSERT_EQ(shown.rfind(prefix, 0), 0u) << shown;
    EXPECT_GT(shown.size(), prefix.size() + 2) << "the compiler's log follows";
    EXPECT_EQ(CountOccurrences(shown, "のコンパイルに失敗しました"), 1);
    EXPECT_EQ(shown.find(LinkMessage), std::string::npos);
}

TEST(Shaders, CompileMessageOfALongLogIsCutToTheMessageBuffer)
{
    REQUIRE_TEST_WINDOW();
    BrokenLibrary library;
    std::string source = "#version 120\nvoid main()\n{\n";
    for (int i = 0; i < 200; ++i) {
        source += "    gl_Position = undeclared_" + std::to_string(i) + ";\n";
    }
    WriteText(library.Source("SkinModel_glsl.vert"), source + "}\n");
    int succeeded = 0;
    const std::string shown = library.RunStartUpOrder(succeeded);
    EXPECT_EQ(succeeded, 0);
    ASSERT_EQ(shown.rfind("SkinModel_glsl.vertのコンパイルに失敗しました。", 0), 0u);
    // The 1024-byte buffer holds the text and its terminating zero.
    EXPECT_LE(shown.size(), 1023u + 1u);
    EXPECT_GT(shown.size(), 900u) << "the log is long enough to need cutting";
}

TEST(Shaders, VaryingTheVertexShaderNeverWritesGivesTheLinkMessage)
{
    REQUIRE_TEST_WINDOW();
    BrokenLibrary library;
    const fs::path vertex = library.Source("2DDraw_glsl.vert");
    std::string text = ReadText(vertex);
    text = std::regex_replace(text, std::regex("varying vec2 uv;"), "");
    text = std::regex_replace(text, std::regex("uv = gl_MultiTexCoord0.xy;"), "");
    WriteText(vertex, text);
    int succeeded = 0;
    const std::string shown = library.RunStartUpOrder(succeeded);

    EXPECT_EQ(succeeded, 2);
    EXPECT_EQ(Draw2DProgram.program, LinkFailed);
    EXPECT_EQ(Draw2DTo3DSpaceProgram.program, 0u);
    EXPECT_EQ(shown, std::string(LinkMessage) + "\n");
}

// A missing file compiles as empty source; depending on the driver that
// fails at compile time (the file's own message) or at link time.
TEST(Shaders, MissingSourceShowsOneMessageAndStopsStartUp)
{
    REQUIRE_TEST_WINDOW();
    BrokenLibrary library;
    fs::remove(library.Source("SkinModel_glsl.vert"));
    int succeeded = 0;
    const std::string shown = library.RunStartUpOrder(succeeded);
    EXPECT_EQ(succeeded, 0);
    EXPECT_FALSE(Built(SkinModelProgram));
    EXPECT_EQ(SkinModelShadowProgram.program, 0u);
    const bool compileMessage = shown.rfind("SkinModel_glsl.vertのコンパイルに失敗しました。", 0) == 0;
    EXPECT_TRUE(compileMessage || shown == std::string(LinkMessage) + "\n") << shown;
    EXPECT_EQ(CountOccurrences(shown, "に失敗しました") + CountOccurrences(shown, LinkMessage), 1);
}
