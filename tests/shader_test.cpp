// Building the six programs from our sources, and what the player sees when
// a source is broken: one message naming the file, or the link message.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "render/shaders.h"
#include "tests/gl_test_window.h"
#include "tests/test_files.h"

namespace fs = std::filesystem;

namespace {

ShaderProgram* const AllPrograms[] = {&SkinModelProgram, &SkinModelShadowProgram, &StaticModelProgram,
                                      &StaticModelShadowProgram, &Draw2DProgram, &Draw2DTo3DSpaceProgram};

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

// A source with two hundred errors: the message names the file, and its
// long log is cut to fit the 1024-byte message buffer with its ending zero.
TEST(Shaders, BrokenSourceShowsThatFilesMessageAndStopsLaterPrograms)
{
    REQUIRE_TEST_WINDOW();
    BrokenLibrary library;
    const fs::path broken = library.Source("StaticModel_Shadow_glsl.frag");
    std::string errors = "\nvoid broken()\n{\n";
    for (int i = 0; i < 200; ++i) {
        errors += "    gl_FragColor = undeclared_" + std::to_string(i) + ";\n";
    }
    WriteText(broken.string(), ReadText(broken.string()) + errors + "}\n");
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
    EXPECT_LE(shown.size(), 1023u + 1u);
    EXPECT_GT(shown.size(), 900u) << "the compiler's log follows, long enough to need cutting";
    EXPECT_EQ(CountOccurrences(shown, "のコンパイルに失敗しました"), 1);
    EXPECT_EQ(shown.find(LinkMessage), std::string::npos);
}

// A long log of three-byte characters, shifted by zero to two bytes so the
// buffer's end falls at every place within a character.
TEST(Shaders, LongJapaneseLogIsCutBetweenCharacters)
{
    std::string japanese;
    for (int i = 0; i < 400; ++i) {
        japanese += "エ";
    }
    for (const std::string& shift : {std::string(), std::string("x"), std::string("xy")}) {
        const std::string log = shift + japanese;
        const std::string message = CompileFailureMessage("SkinModel_glsl.vert", log.c_str());
        SCOPED_TRACE("shifted by " + std::to_string(shift.size()));
        EXPECT_LE(message.size(), 1023u);
        EXPECT_GT(message.size(), 1023u - 3u);
        // A start of the whole text that ends where a character ends.
        const std::string whole = "SkinModel_glsl.vertのコンパイルに失敗しました。\nエラーメッセージ：\n" + log;
        EXPECT_EQ(whole.compare(0, message.size(), message), 0);
        EXPECT_NE(static_cast<uint8_t>(whole[message.size()]) & 0xC0u, 0x80u) << "cut inside a character";
    }
    EXPECT_EQ(CompileFailureMessage("2DDraw_glsl.frag", "short"),
              "2DDraw_glsl.fragのコンパイルに失敗しました。\nエラーメッセージ：\nshort");
}
