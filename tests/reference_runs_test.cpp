// Scripted runs of the real game with a fixed seed, checked against values
// stored beside the tests: every screen as it is drawn at a fixed frame, and
// a hash of the whole world every hundred frames of a run from the title
// through a fight to the game over screen. Any unintended change to what the
// game draws or does shows here; an intended one regenerates the stored
// values (see the README) and says why in its commit.
//
// With KESTRUNE_UPDATE_REFERENCES=1 the tests write what they see over the
// stored values instead of comparing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "tests/game_runner.h"

namespace {

namespace fs = std::filesystem;

const fs::path ReferenceDir = fs::path(KESTRUNE_SOURCE_DIR) / "tests" / "reference";

bool Updating()
{
    const char* update = std::getenv("KESTRUNE_UPDATE_REFERENCES");
    return update != nullptr && std::string(update) == "1";
}

// The stored pictures are the window at half size, each pixel the mean of a
// two by two block: a quarter of the bytes, and still every sprite, model
// and colour in its place.
Picture HalfSize(const Picture& full)
{
    Picture half;
    half.width = full.width / 2;
    half.height = full.height / 2;
    half.rgb.resize(static_cast<size_t>(half.width) * half.height * 3);
    for (int y = 0; y < half.height; ++y) {
        for (int x = 0; x < half.width; ++x) {
            for (int c = 0; c < 3; ++c) {
                const int sum = full.At(2 * x, 2 * y)[c] + full.At(2 * x + 1, 2 * y)[c] +
                                full.At(2 * x, 2 * y + 1)[c] + full.At(2 * x + 1, 2 * y + 1)[c];
                half.rgb[(static_cast<size_t>(y) * half.width + x) * 3 + c] = static_cast<uint8_t>((sum + 2) / 4);
            }
        }
    }
    return half;
}

// The driver may round an edge or a blend differently from one build or
// machine to the next, which moves a few pixels a little. A wrong texture,
// model, rectangle, colour or billboard changes far more: a small sprite
// covers hundreds of stored pixels, and a colour off by a few steps over
// any area changes thousands.
constexpr int SlightChange = 4;
constexpr int MaxSlightlyChanged = 300;
constexpr int PlainChange = 48;
constexpr int MaxPlainlyChanged = 24;

::testing::AssertionResult MatchesReference(const Picture& actual, const fs::path& reference)
{
    const Picture expected = ReadPicture(reference.string());
    if (expected.width != actual.width || expected.height != actual.height) {
        return ::testing::AssertionFailure() << reference << " is missing or of another size";
    }
    int slight = 0;
    int plain = 0;
    for (size_t i = 0; i < actual.rgb.size(); i += 3) {
        int worst = 0;
        for (size_t c = 0; c < 3; ++c) {
            worst = std::max(worst, std::abs(actual.rgb[i + c] - expected.rgb[i + c]));
        }
        slight += worst > SlightChange ? 1 : 0;
        plain += worst > PlainChange ? 1 : 0;
    }
    if (slight <= MaxSlightlyChanged && plain <= MaxPlainlyChanged) {
        return ::testing::AssertionSuccess();
    }
    const std::string seen = (fs::path(::testing::TempDir()) / reference.filename()).string();
    WritePicture(seen, actual);
    return ::testing::AssertionFailure() << reference.filename() << ": " << slight << " pixels changed, " << plain
                                         << " of them plainly; the run drew " << seen;
}

std::vector<uint8_t> SaveFile(uint32_t defeats, uint8_t menuUnlocked, uint8_t stageCleared)
{
    return {static_cast<uint8_t>(defeats), static_cast<uint8_t>(defeats >> 8), static_cast<uint8_t>(defeats >> 16),
            static_cast<uint8_t>(defeats >> 24), menuUnlocked, stageCleared, 0, 0};
}

struct Shot {
    std::string name;  // the stored picture is tests/reference/NAME.png
    int frame = 0;
};

struct ScreenRun {
    std::string name;
    std::vector<uint8_t> save;  // empty: no save file
    std::string options;
    std::string script;
    std::vector<Shot> shots;  // in frame order
};

// Test names show the run's name rather than its bytes.
void PrintTo(const ScreenRun& screens, std::ostream* out)
{
    *out << screens.name;
}

// Six character select shots, one per character, each after the camera
// has had 20 frames to glide to it.
std::string SelectScript()
{
    std::string script = "4 down Down\n5 up Down\n8 down Enter\n9 up Enter\n";
    for (int character = 1; character < 6; ++character) {
        const int frame = 20 + 25 * character;
        script += std::to_string(frame - 20) + " down Right\n" + std::to_string(frame - 19) + " up Right\n";
    }
    return script;
}

const ScreenRun ScreenRuns[] = {
    {"TitleLocked", {}, "", "", {{"title_locked", 3}}},
    // 5000 defeats in a damaged file show as the most there can be; Down
    // puts the cursor on the second item, Enter leads to character select.
    {"TitleUnlockedThenEveryCharacter",
     SaveFile(5000, 1, 1),
     "",
     SelectScript(),
     {{"title_unlocked", 6},
      {"select_0", 20},
      {"select_1", 45},
      {"select_2", 70},
      {"select_3", 95},
      {"select_4", 120},
      {"select_5", 145}}},
    {"Stage",
     {},
     "--seed 5",
     "2 down Enter\n3 up Enter\n10 down W\n20 down R\n21 up R\n",
     {{"stage_start", 12}, {"stage_locked", 100}, {"stage_hit", 160}}},
    {"ClearResult1", {}, "--start clear:1", "", {{"clear_1", 2}}},
    {"ClearResult2", {}, "--start clear:2", "", {{"clear_2", 2}}},
    {"ClearResult3", {}, "--start clear:3", "", {{"clear_3", 2}}},
    {"GameOver", {}, "--start over", "", {{"game_over", 40}}},
};

class ReferencePictures : public ::testing::TestWithParam<ScreenRun> {};

TEST_P(ReferencePictures, ScreensLookAsStored)
{
    const ScreenRun& screens = GetParam();
    const GameDir game;
    if (!screens.save.empty()) {
        game.Save(screens.save);
    }
    std::string options = screens.options + " --unpaced --frames " + std::to_string(screens.shots.back().frame);
    for (const Shot& shot : screens.shots) {
        options += " --screenshot " + std::to_string(shot.frame) + ":'" + game.File(shot.name + ".png") + "'";
    }
    const GameRun run = game.Run(options, screens.script);
    ASSERT_EQ(run.status, 0) << run.errors;
    for (const Shot& shot : screens.shots) {
        const Picture full = ReadPicture(game.File(shot.name + ".png"));
        ASSERT_EQ(full.width, 800) << shot.name;
        const Picture half = HalfSize(full);
        const fs::path reference = ReferenceDir / (shot.name + ".png");
        if (Updating()) {
            EXPECT_TRUE(WritePicture(reference.string(), half)) << reference;
        } else {
            EXPECT_TRUE(MatchesReference(half, reference));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, ReferencePictures, ::testing::ValuesIn(ScreenRuns),
                         [](const ::testing::TestParamInfo<ScreenRun>& info) { return info.param.name; });

// The title, then the sword fighter walks into the green slimes with the
// camera locked on, swinging now and then, until he falls; the run ends on
// the game over screen.
std::string ReplayScript()
{
    std::string script = "2 down Enter\n3 up Enter\n10 down W\n20 down R\n21 up R\n";
    for (int frame = 60; frame < 900; frame += 25) {
        script += std::to_string(frame) + " down Ctrl\n" + std::to_string(frame + 1) + " up Ctrl\n";
    }
    return script;
}

TEST(Replay, ScriptedRunKeepsItsWorldHashes)
{
    const GameDir game;
    const GameRun run =
        game.Run("--seed 5 --unpaced --frames 1000 --state-hashes '" + game.File("hashes.txt") + "'", ReplayScript());
    ASSERT_EQ(run.status, 0) << run.errors;
    const std::string hashes = ReadText(game.File("hashes.txt"));
    const fs::path stored = ReferenceDir / "replay_hashes.txt";
    if (Updating()) {
        WriteText(stored.string(), hashes);
        return;
    }
    // Each line: frame, number of objects, hash.
    EXPECT_EQ(hashes, ReadText(stored.string()));
}

}  // namespace
