// The title screen in the real game under Xvfb: scripted keys, screenshots,
// and artwork of our own whose colours tell every sprite apart.
#include <gtest/gtest.h>

#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/game_runner.h"
#include "tests/test_files.h"

namespace {

struct Colour {
    int r = 0;
    int g = 0;
    int b = 0;
};

struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    Colour colour;
};

// An RGBA PNG, transparent except for the boxes.
void WritePng(const std::string& path, int width, int height, const std::vector<Box>& boxes)
{
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4, 0);
    for (const Box& box : boxes) {
        for (int y = box.top; y < box.bottom; ++y) {
            for (int x = box.left; x < box.right; ++x) {
                uint8_t* pixel = &pixels[(static_cast<size_t>(y) * width + x) * 4];
                pixel[0] = static_cast<uint8_t>(box.colour.r);
                pixel[1] = static_cast<uint8_t>(box.colour.g);
                pixel[2] = static_cast<uint8_t>(box.colour.b);
                pixel[3] = 255;
            }
        }
    }
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    ASSERT_NE(png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr), 0);
}

// A bottom-up 24-bit BMP of one colour.
void WriteSolidBmp(const std::string& path, int width, int height, Colour colour)
{
    const uint32_t rowBytes = static_cast<uint32_t>(width * 3 + width % 4);
    std::vector<uint8_t> bytes(54 + static_cast<size_t>(rowBytes) * height, 0);
    auto put32 = [&bytes](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
        }
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, static_cast<uint32_t>(bytes.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    bytes[26] = 1;
    bytes[28] = 24;
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = &bytes[54 + static_cast<size_t>(row) * rowBytes + static_cast<size_t>(x) * 3];
            pixel[0] = static_cast<uint8_t>(colour.b);
            pixel[1] = static_cast<uint8_t>(colour.g);
            pixel[2] = static_cast<uint8_t>(colour.r);
        }
    }
    WriteBytes(path, bytes);
}

const Colour Background = {40, 80, 120};
const Colour ClearCyan = {0, 230, 230};
// Sprite colours times white artwork; the second menu item's artwork is grey.
const Colour LogoBlue = {61, 71, 204};
const Colour MenuRed = {235, 26, 36};
const Colour SecondItemRed = {118, 13, 18};
const Colour CursorWhite = {255, 255, 255};
const Colour PanelGreen = {0, 200, 0};
Colour DigitColour(int digit)
{
    return Colour{10 + 20 * digit, 250 - 20 * digit, 128};
}

// A working directory holding our test artwork, the game's sounds and shaders,
// and optionally a save file.
class TitleGameDir {
public:
    TitleGameDir()
    {
        for (const char* folder : {"Library", "model", "sound"}) {
            const std::filesystem::path source = std::filesystem::path(KESTRUNE_BIN_DIR) / folder;
            if (std::filesystem::exists(source)) {
                std::filesystem::create_directory_symlink(source, dir.File(folder));
            }
        }
        std::filesystem::create_directory(dir.File("image"));
        WriteSolidBmp(dir.File("image/Title.bmp"), 800, 600, Background);
        const Colour white = {255, 255, 255};
        WritePng(dir.File("image/GameTitleUI.png"), 640, 640,
                 {{0, 0, 588, 100, white},      // logo
                  {0, 100, 374, 155, white},    // first menu item
                  {0, 155, 374, 210, {128, 128, 128}},  // second menu item
                  {0, 210, 64, 264, white},     // cursor
                  {0, 271, 391, 614, white}});  // locked prompt
        std::vector<Box> digits;
        for (int digit = 0; digit < 10; ++digit) {
            digits.push_back({192 + 35 * digit, 0, 227 + 35 * digit, 35, DigitColour(digit)});
        }
        WritePng(dir.File("image/UI.png"), 600, 40, digits);
        WritePng(dir.File("image/TitleMessage.png"), 800, 600, {{0, 0, 300, 40, PanelGreen}});
    }

    void Save(std::vector<uint8_t> bytes) const { WriteBytes(dir.File("Kestrune.savedata"), bytes); }

    GameRun Run(const std::string& script, int frames, const std::vector<int>& shotFrames) const
    {
        const std::string scriptPath = dir.File("keys.txt");
        WriteBytes(scriptPath, std::vector<uint8_t>(script.begin(), script.end()));
        std::string arguments = "--unpaced --frames " + std::to_string(frames) + " --script '" + scriptPath + "'";
        for (int frame : shotFrames) {
            arguments += " --screenshot " + std::to_string(frame) + ":'" + Shot(frame) + "'";
        }
        return RunGame(arguments, 120, dir.Path());
    }

    std::string Shot(int frame) const { return dir.File("frame" + std::to_string(frame) + ".png"); }

private:
    TempDir dir;
};

class Screenshot {
public:
    explicit Screenshot(const std::string& path)
    {
        png_image image = {};
        image.version = PNG_IMAGE_VERSION;
        if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
            return;
        }
        image.format = PNG_FORMAT_RGB;
        pixels_.resize(PNG_IMAGE_SIZE(image));
        if (png_image_finish_read(&image, nullptr, pixels_.data(), 0, nullptr) == 0 || image.width != 800 ||
            image.height != 600) {
            pixels_.clear();
        }
    }

    bool Valid() const { return !pixels_.empty(); }

    ::testing::AssertionResult Shows(int x, int y, Colour expected) const
    {
        if (!Valid()) {
            return ::testing::AssertionFailure() << "no screenshot";
        }
        const size_t at = (static_cast<size_t>(y) * 800 + x) * 3;
        const Colour actual = {pixels_[at], pixels_[at + 1], pixels_[at + 2]};
        if (std::abs(actual.r - expected.r) <= 2 && std::abs(actual.g - expected.g) <= 2 &&
            std::abs(actual.b - expected.b) <= 2) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is (" << actual.r << ", "
                                             << actual.g << ", " << actual.b << "), expected (" << expected.r
                                             << ", " << expected.g << ", " << expected.b << ")";
    }

private:
    std::vector<uint8_t> pixels_;
};

// Inside and just outside the edges of the sprites the menu may draw.
void ExpectCursorOnRow(const Screenshot& shot, int row)
{
    const int top = 380 + 55 * row;
    EXPECT_TRUE(shot.Shows(188, top + 2, CursorWhite));
    EXPECT_TRUE(shot.Shows(248, top + 52, CursorWhite));
    EXPECT_TRUE(shot.Shows(184, top + 27, Background));
    const int otherTop = 380 + 55 * (1 - row);
    EXPECT_TRUE(shot.Shows(218, otherTop + 27, Background));
}

void ExpectLogo(const Screenshot& shot)
{
    EXPECT_TRUE(shot.Shows(112, 202, LogoBlue));
    EXPECT_TRUE(shot.Shows(696, 298, LogoBlue));
    EXPECT_TRUE(shot.Shows(108, 250, Background));
    EXPECT_TRUE(shot.Shows(404, 302, Background));
}

void ExpectNoRecord(const Screenshot& shot)
{
    EXPECT_TRUE(shot.Shows(150, 20, Background));
    EXPECT_TRUE(shot.Shows(35, 75, Background));
}

TEST(TitleScreen, LockedMenuShowsThePromptAndEnterLeaves)
{
    TitleGameDir game;
    const GameRun run = game.Run("4 down Up\n5 up Up\n6 down Down\n7 up Down\n9 down Enter\n10 up Enter\n", 10,
                                 {3, 8, 10});
    ASSERT_EQ(run.status, 0) << run.errors;

    for (int frame : {3, 8}) {
        SCOPED_TRACE("frame " + std::to_string(frame));
        const Screenshot shot(game.Shot(frame));
        ASSERT_TRUE(shot.Valid());
        ExpectLogo(shot);
        // The prompt runs from (204, 380) down past the bottom of the window.
        EXPECT_TRUE(shot.Shows(206, 382, MenuRed));
        EXPECT_TRUE(shot.Shows(593, 599, MenuRed));
        EXPECT_TRUE(shot.Shows(202, 400, Background));
        EXPECT_TRUE(shot.Shows(597, 400, Background));
        EXPECT_TRUE(shot.Shows(400, 378, Background));
        EXPECT_TRUE(shot.Shows(190, 400, Background));  // no cursor
        ExpectNoRecord(shot);
    }
    // The stage has replaced the title picture.
    const Screenshot next(game.Shot(10));
    EXPECT_FALSE(next.Shows(202, 400, Background));
}

TEST(TitleScreen, UnlockedMenuShowsItemsAndTheCursorFollowsTheKeys)
{
    TitleGameDir game;
    game.Save({37, 0, 0, 0, 1, 0, 0, 0});
    // Up wraps to the second item, Down wraps back, Down moves on, Down wraps.
    const GameRun run = game.Run("4 down Up\n5 up Up\n7 down Down\n8 up Down\n10 down Down\n11 up Down\n"
                                 "13 down Down\n14 up Down\n",
                                 15, {3, 6, 9, 12, 15});
    ASSERT_EQ(run.status, 0) << run.errors;

    const int expectedRows[] = {0, 1, 0, 1, 0};
    const int frames[] = {3, 6, 9, 12, 15};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE("frame " + std::to_string(frames[i]));
        const Screenshot shot(game.Shot(frames[i]));
        ASSERT_TRUE(shot.Valid());
        ExpectLogo(shot);
        ExpectCursorOnRow(shot, expectedRows[i]);
        EXPECT_TRUE(shot.Shows(252, 382, MenuRed));
        EXPECT_TRUE(shot.Shows(622, 432, MenuRed));
        EXPECT_TRUE(shot.Shows(252, 437, SecondItemRed));
        EXPECT_TRUE(shot.Shows(622, 487, SecondItemRed));
        EXPECT_TRUE(shot.Shows(626, 400, Background));
        EXPECT_TRUE(shot.Shows(400, 491, Background));  // no prompt below the items
        // A count without a stage clear stays hidden.
        ExpectNoRecord(shot);
    }
}

TEST(TitleScreen, RecordPanelAndCountShowOnceTheStageWasCleared)
{
    TitleGameDir game;
    // 5000 defeats in a damaged file show as the most there can be.
    game.Save({0x88, 0x13, 0, 0, 0, 1, 0, 0});
    const GameRun run = game.Run("", 3, {3});
    ASSERT_EQ(run.status, 0) << run.errors;

    const Screenshot shot(game.Shot(3));
    ASSERT_TRUE(shot.Valid());
    ExpectLogo(shot);
    EXPECT_TRUE(shot.Shows(206, 382, MenuRed));  // still locked
    EXPECT_TRUE(shot.Shows(2, 2, PanelGreen));
    EXPECT_TRUE(shot.Shows(298, 38, PanelGreen));
    EXPECT_TRUE(shot.Shows(302, 20, Background));  // the panel's clear part
    // "1000": four 40-pixel digits from (15, 55).
    EXPECT_TRUE(shot.Shows(17, 57, DigitColour(1)));
    EXPECT_TRUE(shot.Shows(53, 93, DigitColour(1)));
    EXPECT_TRUE(shot.Shows(57, 57, DigitColour(0)));
    EXPECT_TRUE(shot.Shows(173, 93, DigitColour(0)));
    EXPECT_TRUE(shot.Shows(13, 75, Background));
    EXPECT_TRUE(shot.Shows(177, 75, Background));
    EXPECT_TRUE(shot.Shows(35, 97, Background));
}

}  // namespace
