// The real program under Xvfb: its window, its exits and its options.
#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

#include "render/bmp.h"
#include "tests/game_runner.h"

namespace {

// Reads one pixel of a PNG screenshot as RGB; false when unreadable.
bool PixelAt(const std::string& path, int x, int y, unsigned char rgb[3])
{
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) {
        return false;
    }
    const size_t at = (static_cast<size_t>(y) * image.width + x) * 3;
    rgb[0] = pixels[at];
    rgb[1] = pixels[at + 1];
    rgb[2] = pixels[at + 2];
    return image.width == 800 && image.height == 600;
}

TEST(GameProcess, EscapeEndsTheGameWithStatusZeroBeforeThatFramesUpdate)
{
    const std::string script = WriteTempFile("escape.txt", "5 down Escape\n");
    const std::string shot = std::string(::testing::TempDir()) + "escape_frame5.png";
    std::remove(shot.c_str());
    const GameRun run = RunGame("--script '" + script + "' --screenshot 5:'" + shot + "'");
    EXPECT_EQ(run.status, 0) << run.errors;
    // Frame 5 never ran, so it was never drawn either.
    std::FILE* file = std::fopen(shot.c_str(), "rb");
    EXPECT_EQ(file, nullptr);
    if (file != nullptr) {
        std::fclose(file);
    }
}

TEST(GameProcess, FrameLimitEndsCleanlyAndScreenshotShowsTheTitle)
{
    const std::string shot = std::string(::testing::TempDir()) + "title.png";
    const GameRun run = RunGame("--frames 3 --unpaced --screenshot 2:'" + shot + "'");
    ASSERT_EQ(run.status, 0) << run.errors;
    unsigned char rgb[3] = {};
    ASSERT_TRUE(PixelAt(shot, 2, 2, rgb));
    // The first screen is the title, whose background fills the window's corner.
    int width = 0;
    int height = 0;
    const auto background = ReadBmp(KESTRUNE_BIN_DIR "/image/Title.bmp", width, height);
    ASSERT_NE(background, nullptr);
    const size_t at = (2 * static_cast<size_t>(width) + 2) * 3;
    EXPECT_NEAR(rgb[0], background[at], 1);
    EXPECT_NEAR(rgb[1], background[at + 1], 1);
    EXPECT_NEAR(rgb[2], background[at + 2], 1);
}

TEST(GameProcess, BadOptionsAndScriptsStopBeforeTheGameStarts)
{
    GameRun run = RunGame("--no-such-option");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errors.find("usage:"), std::string::npos);

    const std::string script = WriteTempFile("bad_script.txt", "1 down W\n2 jump W\n");
    run = RunGame("--script '" + script + "'");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errors.find("line 2"), std::string::npos) << run.errors;

    run = RunGame("--script /nonexistent/keys.txt");
    EXPECT_EQ(run.status, 2);
}

TEST(GameProcess, WindowIsTitledWithItsPathAndSnapsBackWhenResized)
{
    const std::string log = std::string(::testing::TempDir()) + "window.txt";
    // Start the game, find its window by title, resize it by hand, and read
    // its geometry back once the game has answered. Without a window manager
    // the server applies the resize before any later query, so the polls see
    // 400 by 300 until the game snaps back; the limit only ends a broken run.
    const std::string command =
        "cd '" KESTRUNE_BIN_DIR "' && (./kestrune --silent --frames 3000 & game=$!; "
        "id=$(timeout 60 xdotool search --sync --name '^\\./kestrune$' | head -n1); "
        "xdotool windowsize \"$id\" 400 300; "
        "for i in $(seq 600); do xwininfo -id \"$id\" > '" + log + "'; "
        "grep -q 'Width: 800' '" + log + "' && grep -q 'Height: 600' '" + log + "' && break; sleep 0.1; done; "
        "kill $game; wait $game; echo \"status $?\" >> '" + log + "') >/dev/null 2>&1";
    std::system(command.c_str());
    const std::string info = ReadWholeFile(log);
    EXPECT_NE(info.find("\"./kestrune\""), std::string::npos) << info;
    EXPECT_NE(info.find("Width: 800"), std::string::npos) << info;
    EXPECT_NE(info.find("Height: 600"), std::string::npos) << info;
    // A terminal's kill ends the game at once, long before its frame limit.
    EXPECT_NE(info.find("status 143"), std::string::npos) << info;
}

}  // namespace

namespace {

// A working directory that shares the built data but holds its own copy of
// one folder, so a test can damage a file without touching the build.
std::string DataDirWithOwnCopyOf(const std::string& folder)
{
    const std::string dir = std::string(::testing::TempDir()) + "content_check_" + folder;
    const std::string command = "rm -rf '" + dir + "' && mkdir -p '" + dir + "' && cd '" + dir +
                                "' && for f in Library model image sound; do ln -s '" KESTRUNE_BIN_DIR
                                "'/$f $f; done && rm " + folder + " && cp -r '" KESTRUNE_BIN_DIR "/" +
                                folder + "' " + folder;
    EXPECT_EQ(std::system(command.c_str()), 0);
    return dir;
}

TEST(GameProcess, ContentCheckPassesOnOurContentAndNamesBrokenFiles)
{
    GameRun run = RunGame("--check-content");
    EXPECT_EQ(run.status, 0) << run.errors;

    const std::string dir = DataDirWithOwnCopyOf("model");
    std::ofstream(dir + "/model/lizaldy.x", std::ios::binary | std::ios::trunc) << "xof 0303txt 0032\nFrame {";
    std::remove((dir + "/model/sky.x").c_str());
    run = RunGame("--check-content", 120, dir);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("model/lizaldy.x"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("model/sky.x"), std::string::npos) << run.errors;
    EXPECT_EQ(run.errors.find("model/Player.x"), std::string::npos) << run.errors;
}

}  // namespace
