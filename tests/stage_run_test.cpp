// Scripted runs of the real game with a fixed seed: into the stage from the
// title, with screenshots checked from outside the process.
#include <gtest/gtest.h>
#include <png.h>  // Required for: reading the screenshots back

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "tests/game_runner.h"

namespace {

namespace fs = std::filesystem;

// A working directory of its own for one run: the game's data folders are
// linked in, except for the model files named in `leaveOut`, and the save
// file starts absent.
fs::path MakeGameDir(const std::string& name, const std::set<std::string>& leaveOut = {})
{
    const fs::path bin = KESTRUNE_BIN_DIR;
    const fs::path dir = fs::path(::testing::TempDir()) / ("run_" + name);
    fs::remove_all(dir);
    fs::create_directories(dir / "model");
    for (const char* folder : {"Library", "image", "sound"}) {
        fs::create_directory_symlink(bin / folder, dir / folder);
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(bin / "model")) {
        if (leaveOut.count(entry.path().filename().string()) == 0) {
            fs::create_symlink(entry.path(), dir / "model" / entry.path().filename());
        }
    }
    return dir;
}

std::string Script(const fs::path& dir, const std::string& text)
{
    const fs::path path = dir / "keys.txt";
    std::ofstream(path) << text;
    return path.string();
}

std::string Shot(const fs::path& dir, int frame)
{
    return " --screenshot " + std::to_string(frame) + ":" + (dir / ("f" + std::to_string(frame) + ".png")).string();
}

std::string Picture(const fs::path& dir, int frame)
{
    return ReadWholeFile((dir / ("f" + std::to_string(frame) + ".png")).string());
}

// A screenshot as rows of RGB bytes, top row first; empty when unreadable.
struct Screen {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    const unsigned char* At(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }

    // Pixels in the box (inclusive) darker than a digit's outline would be.
    int DarkPixels(int left, int top, int right, int bottom) const
    {
        int count = 0;
        for (int y = top; y <= bottom; ++y) {
            for (int x = left; x <= right; ++x) {
                const unsigned char* p = At(x, y);
                count += p[0] < 60 && p[1] < 60 && p[2] < 60 ? 1 : 0;
            }
        }
        return count;
    }
};

Screen ReadScreen(const fs::path& path)
{
    Screen screen;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        return screen;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) {
        png_image_free(&image);
        return screen;
    }
    screen.width = static_cast<int>(image.width);
    screen.height = static_cast<int>(image.height);
    screen.rgb = std::move(pixels);
    return screen;
}

// At the start the counter shows 20 right of its label, and the full HP
// gauge fills its frame from x 5 to 197 and stops there.
TEST(StageRun, CounterAndFullGaugeOnScreen)
{
    const fs::path dir = MakeGameDir("hud");
    const GameRun run =
        RunGame("--seed 9 --unpaced --frames 22 --script " + Script(dir, "2 down Enter\n3 up Enter\n") + Shot(dir, 20),
                120, dir.string());
    ASSERT_EQ(run.status, 0) << run.errors;
    const Screen screen = ReadScreen(dir / "f20.png");
    ASSERT_EQ(screen.width, 800);
    ASSERT_EQ(screen.height, 600);
    EXPECT_GT(screen.DarkPixels(704, 12, 726, 38), 40) << "no first digit where the count belongs";
    EXPECT_GT(screen.DarkPixels(734, 12, 756, 38), 40) << "no second digit for a count of 20";
    // The fill is red with a pulse of white: red clearly above green inside
    // the frame, and the gauge's colour gone just right of the frame.
    for (int x : {12, 100, 190}) {
        const unsigned char* p = screen.At(x, 18);
        EXPECT_GT(p[0], p[1] + 40) << "gauge not filled at x " << x;
    }
    const unsigned char* outside = screen.At(205, 18);
    EXPECT_LT(outside[0], outside[1]) << "gauge runs past its frame";
    fs::remove_all(dir);
}

// Without the fighter's body or his sword the stage still plays: walking and
// swinging draw nothing where the models would be, and the run ends cleanly.
TEST(StageRun, MissingPlayerAndSwordModelsRunOn)
{
    for (const char* missing : {"Player.x", "3DWeapon.x"}) {
        const fs::path dir = MakeGameDir(std::string("missing_") + missing, {missing});
        const std::string keys =
            "2 down Enter\n3 up Enter\n5 down W\n6 down Ctrl\n7 up Ctrl\n20 down D\n28 down Ctrl\n29 up Ctrl\n";
        const GameRun run =
            RunGame("--seed 3 --unpaced --frames 45 --script " + Script(dir, keys) + Shot(dir, 25), 120, dir.string());
        EXPECT_EQ(run.status, 0) << missing << ": " << run.errors;
        EXPECT_FALSE(Picture(dir, 25).empty()) << missing;
        fs::remove_all(dir);
    }
}

}  // namespace
