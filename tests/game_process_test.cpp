// The real program under Xvfb: its window, its exits, its options, and
// missing or broken content.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/game_runner.h"

namespace {

TEST(GameProcess, EscapeEndsTheGameWithStatusZeroBeforeThatFramesUpdate)
{
    const GameDir game;
    const GameRun run = game.Run("--screenshot 5:'" + game.File("frame5.png") + "'", "5 down Escape\n");
    EXPECT_EQ(run.status, 0) << run.errors;
    // Frame 5 never ran, so it was never drawn either.
    EXPECT_TRUE(ReadBytes(game.File("frame5.png")).empty());
}

TEST(GameProcess, BadOptionsAndScriptsStopBeforeTheGameStarts)
{
    const GameDir game;
    for (const char* options : {"--no-such-option", "--start nowhere", "--start", "--script /nonexistent/keys.txt"}) {
        const GameRun run = game.Run(options);
        EXPECT_EQ(run.status, 2) << options;
    }
    EXPECT_NE(game.Run("--no-such-option").errors.find("usage:"), std::string::npos);
    const GameRun run = game.Run("", "1 down W\n2 jump W\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errors.find("line 2"), std::string::npos) << run.errors;
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
    const std::string info = ReadText(log);
    EXPECT_NE(info.find("\"./kestrune\""), std::string::npos) << info;
    EXPECT_NE(info.find("Width: 800"), std::string::npos) << info;
    EXPECT_NE(info.find("Height: 600"), std::string::npos) << info;
    // A terminal's kill ends the game at once, long before its frame limit.
    EXPECT_NE(info.find("status 143"), std::string::npos) << info;
}

TEST(GameProcess, ContentCheckPassesOnOurContentAndNamesBrokenFiles)
{
    EXPECT_EQ(GameDir().Run("--check-content").status, 0);

    const GameDir game({}, "model");
    WriteText(game.File("model/lizaldy.x"), "xof 0303txt 0032\nFrame {");
    std::remove(game.File("model/sky.x").c_str());
    const GameRun run = game.Run("--check-content");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("model/lizaldy.x"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("model/sky.x"), std::string::npos) << run.errors;
    EXPECT_EQ(run.errors.find("model/Player.x"), std::string::npos) << run.errors;
}

// Without the fighter's body or his sword the stage still plays: walking and
// swinging draw nothing where the models would be, and the run ends cleanly.
TEST(GameProcess, MissingPlayerOrSwordModelRunsOn)
{
    for (const char* missing : {"Player.x", "3DWeapon.x"}) {
        const GameDir game({missing});
        const GameRun run = game.Run("--seed 3 --unpaced --frames 45 --screenshot 25:'" + game.File("f25.png") + "'",
                                     "2 down Enter\n3 up Enter\n5 down W\n6 down Ctrl\n7 up Ctrl\n"
                                     "20 down D\n28 down Ctrl\n29 up Ctrl\n");
        EXPECT_EQ(run.status, 0) << missing << ": " << run.errors;
        EXPECT_EQ(ReadPicture(game.File("f25.png")).width, 800) << missing;
    }
}

}  // namespace
