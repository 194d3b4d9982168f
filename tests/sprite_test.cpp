// Sprites and numbers on the screen, read back from the window: placement,
// the depth rule between overlapping sprites, cut-out alpha, texture slots.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cstring>

#include "app/scene.h"
#include "render/sprite.h"
#include "render/texture.h"
#include "tests/gl_test_window.h"
#include "tests/test_files.h"
#include "tests/test_images.h"

using namespace test_images;

namespace {

const float White[4] = {1.0f, 1.0f, 1.0f, 1.0f};

// Digit d's cell of a 4-texel font is filled with a colour of its own.
void DigitColour(int x, int, uint8_t& r, uint8_t& g, uint8_t& b)
{
    const int digit = x / 4;
    r = static_cast<uint8_t>(20 + 20 * digit);
    g = static_cast<uint8_t>(250 - 20 * digit);
    b = 100;
}

void ExpectColour(int x, int y, uint8_t r, uint8_t g, uint8_t b)
{
    const Rgb pixel = PixelAt(x, y);
    EXPECT_NEAR(pixel.r, r, 2) << "at " << x << "," << y;
    EXPECT_NEAR(pixel.g, g, 2) << "at " << x << "," << y;
    EXPECT_NEAR(pixel.b, b, 2) << "at " << x << "," << y;
}

void ExpectBackground(int x, int y)
{
    ExpectColour(x, y, 0, 0, 0);
}

class SpriteTest : public testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_WINDOW();
        ClearWindow(0.0f, 0.0f, 0.0f);
    }
    TempDir dir_;
};

class EmptyScene : public Scene {
public:
    void Init() override {}
    void Update() override {}
    void DrawShadow() override {}
    void Draw() override {}
};

}  // namespace

TEST_F(SpriteTest, TexelsLandOnTheirPixelsAndTheQuadIsLeftAsItWas)
{
    WriteFile(dir_.File("four.bmp"), MakeBmp(4, 4));
    LoadTexture(3, dir_.File("four.bmp").c_str());
    ASSERT_NE(TextureTable.name[3], 0u);
    EXPECT_EQ(TextureTable.width[3], 4);

    // Each texel becomes a 10 by 10 block starting at (100, 50).
    const SpriteQuad quad = MakeSpriteQuad(0.0f, 0.0f, 4.0f, 4.0f, 100.0f, 50.0f, 140.0f, 90.0f, 0.0f);
    SpriteQuad copy = quad;
    DrawSprite(copy, White, 3);
    EXPECT_EQ(std::memcmp(&copy, &quad, sizeof quad), 0);

    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    for (int ty = 0; ty < 4; ++ty) {
        for (int tx = 0; tx < 4; ++tx) {
            PixelColour(tx, ty, r, g, b);
            ExpectColour(100 + 10 * tx, 50 + 10 * ty, r, g, b);
            ExpectColour(109 + 10 * tx, 59 + 10 * ty, r, g, b);
        }
    }
    ExpectBackground(99, 50);
    ExpectBackground(140, 50);
    ExpectBackground(100, 49);
    ExpectBackground(100, 90);
}

TEST_F(SpriteTest, FirstSpriteDrawnStaysInFrontAtEqualDepthAndNearerZWins)
{
    const float red[4] = {1.0f, 0.0f, 0.0f, 1.0f};
    const float blue[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    WriteFile(dir_.File("white.bmp"), MakeBmp(1, 1, [](int, int, uint8_t& r, uint8_t& g, uint8_t& b) {
                  r = g = b = 255;
              }));
    LoadTexture(0, dir_.File("white.bmp").c_str());
    DrawSprite(MakeSpriteQuad(0, 0, 1, 1, 10, 10, 60, 60, 0.0f), red, 0);
    DrawSprite(MakeSpriteQuad(0, 0, 1, 1, 30, 30, 80, 80, 0.0f), blue, 0);
    ExpectColour(40, 40, 255, 0, 0);
    ExpectColour(70, 70, 0, 0, 255);
    // z is depth in clip space: a smaller z is nearer and wins the test.
    DrawSprite(MakeSpriteQuad(0, 0, 1, 1, 30, 30, 80, 80, -0.5f), blue, 0);
    ExpectColour(40, 40, 0, 0, 255);
}

TEST_F(SpriteTest, LowAlphaTexelsAreCutOutAndLeaveNoDepth)
{
    // The first column of this PNG has alpha 0.
    WriteFile(dir_.File("cut.png"), MakePng(PngKind::Rgba8, 3, 2));
    LoadTexture(1, dir_.File("cut.png").c_str());
    ASSERT_NE(TextureTable.name[1], 0u);
    EXPECT_EQ(TextureTable.width[1], 3);
    EXPECT_EQ(TextureTable.height[1], 2);
    DrawSprite(MakeSpriteQuad(0, 0, 3, 2, 200, 200, 230, 220, 0.0f), White, 1);
    ExpectBackground(205, 205);
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    PixelColour(1, 0, r, g, b);
    ExpectColour(215, 205, r, g, b);
    // A later sprite behind it still shows through the cut-out.
    const float green[4] = {0.0f, 1.0f, 0.0f, 1.0f};
    WriteFile(dir_.File("white.bmp"), MakeBmp(1, 1, [](int, int, uint8_t& r, uint8_t& g, uint8_t& b) {
                  r = g = b = 255;
              }));
    LoadTexture(2, dir_.File("white.bmp").c_str());
    DrawSprite(MakeSpriteQuad(0, 0, 1, 1, 190, 190, 240, 230, 0.5f), green, 2);
    ExpectColour(205, 205, 0, 255, 0);
    ExpectColour(215, 205, r, g, b);
}

TEST_F(SpriteTest, NumbersDrawOneSquarePerCharacter)
{
    WriteFile(dir_.File("digits.bmp"), MakeBmp(40, 4, DigitColour));
    LoadTexture(4, dir_.File("digits.bmp").c_str());
    const NumberFont font{4, 0, 0, 4};
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;

    DrawNumber(font, White, 0, 10, 10, 20);
    DigitColour(0, 0, r, g, b);
    ExpectColour(15, 15, r, g, b);
    ExpectBackground(35, 15);

    DrawNumber(font, White, 1234, 10, 100, 20);
    for (int i = 0; i < 4; ++i) {
        DigitColour(4 * (i + 1), 0, r, g, b);
        ExpectColour(10 + 20 * i, 100, r, g, b);
        ExpectColour(29 + 20 * i, 119, r, g, b);
    }
    ExpectBackground(90, 110);

    // A minus sign takes the cell of digit 0.
    DrawNumber(font, White, -7, 10, 200, 20);
    DigitColour(0, 0, r, g, b);
    ExpectColour(15, 205, r, g, b);
    DigitColour(28, 0, r, g, b);
    ExpectColour(35, 205, r, g, b);
}

TEST_F(SpriteTest, SpriteInSpaceUsesProjectionViewWorld)
{
    WriteFile(dir_.File("four.bmp"), MakeBmp(4, 4));
    LoadTexture(3, dir_.File("four.bmp").c_str());
    // With identity view and projection, world scale 0.5 maps the unit
    // square (-1..1) onto the middle half of the window.
    Matrix4 world = MatScale(0.5f, MatIdentity());
    world.m[15] = 1.0f;
    DrawSpriteInSpace(MakeSpriteQuad(0, 0, 4, 4, -1, 1, 1, -1, 0), White, 3, MatIdentity(), world,
                      MatIdentity());
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    PixelColour(0, 0, r, g, b);
    ExpectColour(202, 152, r, g, b);
    PixelColour(3, 3, r, g, b);
    ExpectColour(597, 447, r, g, b);
    ExpectBackground(197, 152);
}

TEST_F(SpriteTest, NumberInSpaceCentresTheFirstDigitOnTheWorldOrigin)
{
    WriteFile(dir_.File("digits.bmp"), MakeBmp(40, 4, DigitColour));
    LoadTexture(4, dir_.File("digits.bmp").c_str());
    const NumberFont font{4, 0, 0, 4};
    // Scale 0.1: digit i covers x from 0.2 i - 0.1 to 0.2 i + 0.1 in clip
    // space, 80 pixels wide, the first one centred on the window.
    Matrix4 world = MatScale(0.1f, MatIdentity());
    world.m[15] = 1.0f;
    DrawNumberInSpace(font, White, 27, MatIdentity(), world, MatIdentity());
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    DigitColour(8, 0, r, g, b);
    ExpectColour(362, 300, r, g, b);
    ExpectColour(438, 300, r, g, b);
    DigitColour(28, 0, r, g, b);
    ExpectColour(442, 300, r, g, b);
    ExpectColour(518, 300, r, g, b);
    ExpectBackground(357, 300);
    ExpectBackground(523, 300);
    ExpectBackground(400, 265);
}

TEST_F(SpriteTest, UpperCaseBmpGoesToThePngLoaderAndFailuresLeaveNameZero)
{
    WriteFile(dir_.File("real_png.BMP"), MakePng(PngKind::Grey, 5, 3));
    LoadTexture(6, dir_.File("real_png.BMP").c_str());
    EXPECT_NE(TextureTable.name[6], 0u);
    EXPECT_EQ(TextureTable.width[6], 5);
    EXPECT_EQ(TextureTable.height[6], 3);

    WriteFile(dir_.File("real_bmp.BMP"), MakeBmp(2, 2));
    LoadTexture(7, dir_.File("real_bmp.BMP").c_str());
    EXPECT_EQ(TextureTable.name[7], 0u);
    LoadTexture(7, dir_.File("missing.bmp").c_str());
    EXPECT_EQ(TextureTable.name[7], 0u);
    std::vector<uint8_t> truncated = MakePng(PngKind::Rgba8, 8, 8);
    truncated.resize(truncated.size() / 2);
    WriteFile(dir_.File("short.png"), truncated);
    LoadTexture(7, dir_.File("short.png").c_str());
    EXPECT_EQ(TextureTable.name[7], 0u);
    EXPECT_EQ(TextureTable.perScene[7], 1);
    // An out-of-range slot is ignored rather than written past the table.
    LoadTexture(32, dir_.File("real_png.BMP").c_str());
    LoadTexture(-1, dir_.File("real_png.BMP").c_str());
    DrawSprite(MakeSpriteQuad(0, 0, 1, 1, 0, 0, 10, 10, 0), White, 40);
    // Drawing from an empty slot draws with texture 0 and does not crash.
    DrawSprite(MakeSpriteQuad(0, 0, 1, 1, 0, 0, 10, 10, 0), White, 20);
}

TEST_F(SpriteTest, SceneSwitchReleasesOnlyTexturesLoadedByScenes)
{
    WriteFile(dir_.File("four.bmp"), MakeBmp(4, 4));
    LoadTexture(9, dir_.File("four.bmp").c_str());
    ASSERT_NE(TextureTable.name[9], 0u);
    const unsigned int released = TextureTable.name[9];
    RequestScene(new EmptyScene);
    SwitchSceneIfRequested();
    EXPECT_EQ(TextureTable.name[9], 0u);
    EXPECT_EQ(TextureTable.width[9], 4);
    EXPECT_FALSE(glIsTexture(released));
    // A live texture in a slot no scene marked is left alone.
    LoadTexture(10, dir_.File("four.bmp").c_str());
    TextureTable.perScene[10] = 0;
    const unsigned int kept = TextureTable.name[10];
    ASSERT_NE(kept, 0u);
    RequestScene(new EmptyScene);
    SwitchSceneIfRequested();
    EXPECT_EQ(TextureTable.name[10], kept);
    EXPECT_TRUE(glIsTexture(kept));
    DeleteAllTextures();
    EXPECT_FALSE(glIsTexture(kept));
    delete CurrentScene;
    CurrentScene = nullptr;
}
