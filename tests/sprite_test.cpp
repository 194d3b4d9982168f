// Sprites and numbers on the screen and in the world, read back from the
// window: placement, the minus sign, texture slots and their release at a
// scene switch. The depth rule between sprites and cut-out alpha show in
// every reference picture of the screens.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cstring>
#include <string>

#include "app/scene.h"
#include "render/sprite.h"
#include "render/texture.h"
#include "tests/empty_scene.h"
#include "tests/gl_test_window.h"
#include "tests/test_files.h"
#include "tests/test_images.h"

using namespace test_images;

namespace {

const float White[4] = {1.0f, 1.0f, 1.0f, 1.0f};

// Digit d's cell of a 4-texel font is filled with a colour of its own.
void DigitColour(int x, int, uint8_t& r, uint8_t& g, uint8_t& b)
{
    r = static_cast<uint8_t>(20 + 20 * (x / 4));
    g = static_cast<uint8_t>(250 - 20 * (x / 4));
    b = 100;
}

// The pixel shows the colour `colour` gives texel (s, t); a negative s means
// the black background.
::testing::AssertionResult Shows(int x, int y, const ColourFunction& colour, int s, int t = 0)
{
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    if (s >= 0) {
        colour(s, t, r, g, b);
    }
    const Rgb pixel = PixelAt(x, y);
    if (std::abs(pixel.r - r) <= 2 && std::abs(pixel.g - g) <= 2 && std::abs(pixel.b - b) <= 2) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "(" << x << ", " << y << ") is " << pixel.r << ", " << pixel.g << ", "
                                         << pixel.b << " instead of " << int{r} << ", " << int{g} << ", " << int{b};
}

class SpriteTest : public testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_WINDOW();
        ClearWindow(0.0f, 0.0f, 0.0f);
    }
    void TearDown() override { DeleteAllTextures(); }

    // Loads the picture into a texture slot.
    void Load(int slot, const std::string& name, const std::vector<uint8_t>& bytes)
    {
        WriteFile(dir.File(name), bytes);
        LoadTexture(slot, dir.File(name).c_str());
    }
    TempDir dir;
};

}  // namespace

TEST_F(SpriteTest, TexelsLandOnTheirPixelsAndTheQuadIsLeftAsItWas)
{
    Load(3, "four.bmp", MakeBmp(4, 4));
    ASSERT_NE(TextureTable.name[3], 0u);
    EXPECT_EQ(TextureTable.width[3], 4);
    // Each texel becomes a 10 by 10 block starting at (100, 50).
    const SpriteQuad quad = MakeSpriteQuad(0.0f, 0.0f, 4.0f, 4.0f, 100.0f, 50.0f, 140.0f, 90.0f, 0.0f);
    SpriteQuad copy = quad;
    DrawSprite(copy, White, 3);
    EXPECT_EQ(std::memcmp(&copy, &quad, sizeof quad), 0);
    for (int ty = 0; ty < 4; ++ty) {
        for (int tx = 0; tx < 4; ++tx) {
            EXPECT_TRUE(Shows(100 + 10 * tx, 50 + 10 * ty, PixelColour, tx, ty));
            EXPECT_TRUE(Shows(109 + 10 * tx, 59 + 10 * ty, PixelColour, tx, ty));
        }
    }
    for (const auto& [x, y] : {std::pair{99, 50}, std::pair{140, 50}, std::pair{100, 49}, std::pair{100, 90}}) {
        EXPECT_TRUE(Shows(x, y, PixelColour, -1));
    }
}

TEST_F(SpriteTest, NumbersDrawOneSquarePerCharacterOnTheScreenAndInTheWorld)
{
    Load(4, "digits.bmp", MakeBmp(40, 4, DigitColour));
    const NumberFont font{4, 0, 0, 4};
    DrawNumber(font, White, 0, 10, 10, 20);
    EXPECT_TRUE(Shows(15, 15, DigitColour, 0));
    EXPECT_TRUE(Shows(35, 15, DigitColour, -1));
    DrawNumber(font, White, 1234, 10, 100, 20);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(Shows(10 + 20 * i, 100, DigitColour, 4 * (i + 1)));
        EXPECT_TRUE(Shows(29 + 20 * i, 119, DigitColour, 4 * (i + 1)));
    }
    EXPECT_TRUE(Shows(90, 110, DigitColour, -1));
    // A minus sign takes the cell of digit 0.
    DrawNumber(font, White, -7, 10, 200, 20);
    EXPECT_TRUE(Shows(15, 205, DigitColour, 0));
    EXPECT_TRUE(Shows(35, 205, DigitColour, 28));

    // In the world, scale 0.1: digit i covers x from 0.2 i - 0.1 to 0.2 i + 0.1
    // in clip space, 80 pixels wide, the first one centred on the window.
    ClearWindow(0.0f, 0.0f, 0.0f);
    Matrix4 world = MatScale(0.1f, MatIdentity());
    world.m[15] = 1.0f;
    DrawNumberInSpace(font, White, 27, MatIdentity(), world, MatIdentity());
    for (const auto& [x, digit] : {std::pair{362, 8}, std::pair{438, 8}, std::pair{442, 28}, std::pair{518, 28},
                                   std::pair{357, -1}, std::pair{523, -1}}) {
        EXPECT_TRUE(Shows(x, 300, DigitColour, digit));
    }
    EXPECT_TRUE(Shows(400, 265, DigitColour, -1));
}

// Only a lower-case ".bmp" goes to the BMP reader; a failed load leaves
// name 0 but marks the slot; slots outside the table are ignored, and an
// empty slot draws with texture 0.
TEST_F(SpriteTest, LoadsChooseTheirReaderAndFailuresLeaveNameZero)
{
    Load(6, "real_png.BMP", MakePng(PngKind::Grey, 5, 3));
    EXPECT_NE(TextureTable.name[6], 0u);
    EXPECT_EQ(TextureTable.width[6], 5);
    EXPECT_EQ(TextureTable.height[6], 3);
    std::vector<uint8_t> truncated = MakePng(PngKind::Rgba8, 8, 8);
    truncated.resize(truncated.size() / 2);
    for (const auto& [name, bytes] : {std::pair{std::string("real_bmp.BMP"), MakeBmp(2, 2)},
                                      std::pair{std::string("short.png"), truncated}}) {
        Load(7, name, bytes);
        EXPECT_EQ(TextureTable.name[7], 0u) << name;
    }
    LoadTexture(7, dir.File("missing.bmp").c_str());
    EXPECT_EQ(TextureTable.name[7], 0u);
    EXPECT_EQ(TextureTable.perScene[7], 1);
    LoadTexture(32, dir.File("real_png.BMP").c_str());
    LoadTexture(-1, dir.File("real_png.BMP").c_str());
    DrawSprite(MakeSpriteQuad(0, 0, 1, 1, 0, 0, 10, 10, 0), White, 40);
    DrawSprite(MakeSpriteQuad(0, 0, 1, 1, 0, 0, 10, 10, 0), White, 20);
}

TEST_F(SpriteTest, SceneSwitchReleasesOnlyTexturesLoadedByScenes)
{
    Load(9, "four.bmp", MakeBmp(4, 4));
    const unsigned int released = TextureTable.name[9];
    ASSERT_NE(released, 0u);
    // A live texture in a slot no scene marked is left alone.
    LoadTexture(10, dir.File("four.bmp").c_str());
    TextureTable.perScene[10] = 0;
    const unsigned int kept = TextureTable.name[10];
    ASSERT_NE(kept, 0u);
    RequestScene(new EmptyScene);
    SwitchSceneIfRequested();
    EXPECT_EQ(TextureTable.name[9], 0u);
    EXPECT_EQ(TextureTable.width[9], 4);
    EXPECT_FALSE(glIsTexture(released));
    EXPECT_EQ(TextureTable.name[10], kept);
    EXPECT_TRUE(glIsTexture(kept));
    DeleteAllTextures();
    EXPECT_FALSE(glIsTexture(kept));
    delete CurrentScene;
    CurrentScene = nullptr;
}
