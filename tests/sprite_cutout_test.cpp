// Sprites cut out texels whose alpha, times the colour's, is below one half,
// through the alpha test; pictures without such texels are marked opaque and
// draw without it. Either way the picture must come out as a cut in the
// shader would make it, and no model draw may inherit the alpha test.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <string>
#include <vector>

#include "render/sprite.h"
#include "render/texture.h"
#include "tests/gl_test_window.h"
#include "tests/test_files.h"
#include "tests/test_images.h"
#include "tools/png_writer.h"

namespace {

// A strip one texel high whose texel x has alpha alphas[x], in one colour.
std::string AlphaStrip(const TempDir& dir, const std::string& name, const std::vector<uint8_t>& alphas)
{
    std::vector<uint8_t> rgba;
    for (uint8_t alpha : alphas) {
        rgba.insert(rgba.end(), {200, 100, 50, alpha});
    }
    const std::string path = dir.File(name);
    WritePng(path, static_cast<int>(alphas.size()), 1, rgba);
    return path;
}

TEST(SpriteCutout, CutsBelowHalfAlphaAndOnlyArtWithoutSuchTexelsIsOpaque)
{
    REQUIRE_TEST_WINDOW();
    TempDir dir;
    std::vector<uint8_t> ramp(256);
    for (int i = 0; i < 256; ++i) {
        ramp[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    }
    test_images::WriteFile(dir.File("solid.bmp"), test_images::MakeBmp(2, 2));
    const struct {
        std::string path;
        uint8_t opaque;
    } pictures[] = {{AlphaStrip(dir, "ramp.png", ramp), 0},
                    {AlphaStrip(dir, "half.png", {128, 255}), 1},
                    {AlphaStrip(dir, "below.png", {127, 255}), 0},
                    {dir.File("solid.bmp"), 1},
                    {dir.File("missing.png"), 0}};
    for (const auto& picture : pictures) {
        LoadTexture(5, picture.path.c_str());
        EXPECT_EQ(TextureTable.opaque[5], picture.opaque) << picture.path;
    }

    // The ramp one texel a pixel: alpha 127 is cut and 128 kept; at three
    // quarters colour alpha, 160 (0.47) is cut and 180 (0.53) kept.
    LoadTexture(5, pictures[0].path.c_str());
    const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const float threeQuarters[4] = {1.0f, 1.0f, 1.0f, 0.75f};
    const struct {
        const float* colour;
        int lastCut;
        int firstKept;
    } cuts[] = {{white, 127, 128}, {threeQuarters, 160, 180}};
    for (const auto& cut : cuts) {
        ClearWindow(0.0f, 0.0f, 0.0f);
        DrawSprite(MakeSpriteQuad(0, 0, 256, 1, 0, 100, 256, 110, 0.0f), cut.colour, 5);
        EXPECT_EQ(PixelAt(cut.lastCut, 105).r, 0) << cut.lastCut;
        EXPECT_GT(PixelAt(cut.firstKept, 105).r, 100) << cut.firstKept;
        EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    }
}

}  // namespace
