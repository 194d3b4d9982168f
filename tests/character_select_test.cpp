// The character select screen: its rules driven frame by frame without a
// window, and the whole flow title -> select -> stage or back to the title
// through the real game under Xvfb with artwork of our own.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/keyboard.h"
#include "app/scene.h"
#include "objects/obj_camera.h"
#include "scenes/scene_character_select.h"
#include "scenes/scene_game_title.h"
#include "tests/game_runner.h"
#include "tests/screenshot_probe.h"
#include "tests/test_files.h"

namespace {

class CharacterSelectRules : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearObjectList();
        PlatformReleaseAllKeys();
        PlatformBeginFrameKeys();
        KeyState = KeyTables{};
        scene.Prepare();
    }
    void TearDown() override
    {
        ClearObjectList();
        delete NextScene;
        NextScene = nullptr;
        PlatformReleaseAllKeys();
        PlatformBeginFrameKeys();
    }
    void Frame()
    {
        PlatformBeginFrameKeys();
        UpdateObjects();
        scene.Update();
    }
    void Tap(int key)
    {
        PlatformKeyDown(key);
        Frame();
        PlatformKeyUp(key);
        Frame();
    }

    SceneCharacterSelect scene;
};

TEST_F(CharacterSelectRules, SelectionWrapsAtBothEnds)
{
    EXPECT_EQ(StepSelection(0, -1), 5);
    EXPECT_EQ(StepSelection(5, 1), 0);
    EXPECT_EQ(StepSelection(2, 1), 3);

    Tap(VkLeft);
    EXPECT_EQ(scene.selection, 5);
    Tap(VkRight);
    EXPECT_EQ(scene.selection, 0);
    // Held down over many frames it still moves once.
    PlatformKeyDown(VkRight);
    for (int i = 0; i < 10; ++i) {
        Frame();
    }
    PlatformKeyUp(VkRight);
    EXPECT_EQ(scene.selection, 1);
    EXPECT_EQ(NextScene, nullptr);
}

TEST_F(CharacterSelectRules, CameraEasesAlongTheRowAndTheClockLoops)
{
    ASSERT_EQ(ActiveCamera, scene.camera.Get());
    PlatformKeyDown(VkRight);
    Frame();
    PlatformKeyUp(VkRight);
    EXPECT_NEAR(scene.cameraX, 0.4f, 1e-5f);
    Frame();
    EXPECT_NEAR(scene.cameraX, 0.72f, 1e-5f);
    Frame();
    EXPECT_NEAR(scene.cameraX, 0.976f, 1e-5f);
    // The view looks straight down -Z from 5 in front of the camera's place.
    const Vec4 eye = MatTransform(ActiveCamera->view, Vec4{scene.cameraX, 0.0f, 5.0f, 1.0f});
    EXPECT_NEAR(eye.x, 0.0f, 1e-4f);
    EXPECT_NEAR(eye.z, 0.0f, 1e-4f);

    // 0.5 per frame: 60 is reached in frame 120 and kept; frame 121 wraps.
    int frames = 3;
    while (scene.animClock != 0.0f && frames < 500) {
        Frame();
        ++frames;
    }
    EXPECT_EQ(frames, 121);
}

TEST_F(CharacterSelectRules, BackGoesToTheTitleWithoutAPause)
{
    PlatformKeyDown('B');
    Frame();
    PlatformKeyUp('B');
    EXPECT_NE(dynamic_cast<SceneGameTitle*>(NextScene), nullptr);
}

// The colours of our CharaSelectUI.png: a solid card per selection, the
// banner and the card frame.
ProbeColour CardColour(int selection)
{
    return ProbeColour{30 + 40 * selection, 200 - 30 * selection, 90};
}
const ProbeColour BannerColour = {250, 160, 20};
const ProbeColour FrameColour = {20, 20, 250};

// A working directory with the game's models, sounds and shaders, our own
// select screen picture, an unlocked save file and a title of one colour.
class SelectGameDir {
public:
    SelectGameDir()
    {
        for (const char* folder : {"Library", "model", "sound"}) {
            const std::filesystem::path source = std::filesystem::path(KESTRUNE_BIN_DIR) / folder;
            if (std::filesystem::exists(source)) {
                std::filesystem::create_directory_symlink(source, dir.File(folder));
            }
        }
        std::filesystem::create_directory(dir.File("image"));
        std::vector<ProbeBox> art;
        for (int selection = 0; selection < 6; ++selection) {
            const int left = 512 * (selection / 4);
            const int top = 250 * (selection % 4);
            art.push_back({left, top, left + 512, top + 250, CardColour(selection)});
        }
        art.push_back({512, 500, 1024, 750, BannerColour});
        art.push_back({512, 750, 1024, 1000, FrameColour});
        WriteProbePng(dir.File("image/CharaSelectUI.png"), 1024, 1000, art);
        WriteProbePng(dir.File("image/GameTitleUI.png"), 64, 64, {});
        WriteProbePng(dir.File("image/TitleMessage.png"), 64, 64, {});
        WriteProbePng(dir.File("image/UI.png"), 256, 256, {{0, 0, 256, 256, {255, 255, 255}}});
        const std::vector<uint8_t> unlocked = {0, 0, 0, 0, 1, 0, 0, 0};
        WriteBytes(dir.File("Kestrune.savedata"), unlocked);
    }

    GameRun Run(const std::string& script, int frames, const std::vector<int>& shotFrames) const
    {
        const std::string scriptPath = dir.File("keys.txt");
        WriteBytes(scriptPath, std::vector<uint8_t>(script.begin(), script.end()));
        std::string arguments =
            "--unpaced --seed 5 --frames " + std::to_string(frames) + " --script '" + scriptPath + "'";
        for (int frame : shotFrames) {
            arguments += " --screenshot " + std::to_string(frame) + ":'" + Shot(frame) + "'";
        }
        return RunGame(arguments, 120, dir.Path());
    }

    std::string Shot(int frame) const { return dir.File("frame" + std::to_string(frame) + ".png"); }

private:
    TempDir dir;
};

// From the unlocked title: Down to the second item, Enter into the select screen.
const std::string IntoSelect = "3 down Down\n4 up Down\n5 down Enter\n6 up Enter\n";

void ExpectCard(const ProbeScreenshot& shot, int selection)
{
    EXPECT_TRUE(shot.Shows(146, 342, CardColour(selection)));
    EXPECT_TRUE(shot.Shows(654, 588, CardColour(selection)));
    EXPECT_TRUE(shot.Shows(400, 500, CardColour(selection)));
    EXPECT_TRUE(shot.Shows(2, 2, BannerColour));
    EXPECT_TRUE(shot.Shows(100, 248, BannerColour));
}

TEST(CharacterSelectScreen, LeftAndRightWrapAndBReturnsToTheTitle)
{
    SelectGameDir game;
    const GameRun run = game.Run(IntoSelect +
                                     "10 down Left\n11 up Left\n"
                                     "14 down Right\n15 up Right\n"
                                     "18 down Left\n19 up Left\n20 down Left\n21 up Left\n"
                                     "24 down B\n25 up B\n",
                                 28, {9, 13, 17, 23, 28});
    ASSERT_EQ(run.status, 0) << run.errors;
    const int frames[] = {9, 13, 17, 23};
    const int cards[] = {0, 5, 0, 4};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE("frame " + std::to_string(frames[i]));
        const ProbeScreenshot shot(game.Shot(frames[i]));
        ASSERT_TRUE(shot.Valid());
        ExpectCard(shot, cards[i]);
    }
    // Back on the title: no card and no banner any more.
    const ProbeScreenshot title(game.Shot(28));
    ASSERT_TRUE(title.Valid());
    EXPECT_FALSE(title.Shows(400, 500, CardColour(4)));
    EXPECT_FALSE(title.Shows(2, 2, BannerColour));
}

TEST(CharacterSelectScreen, EnterStartsTheStageAfterTheConfirmPause)
{
    SelectGameDir game;
    const GameRun run = game.Run(IntoSelect + "10 down Right\n11 up Right\n14 down Enter\n15 up Enter\n", 20,
                                 {13, 20});
    ASSERT_EQ(run.status, 0) << run.errors;
    const ProbeScreenshot select(game.Shot(13));
    ASSERT_TRUE(select.Valid());
    ExpectCard(select, 1);
    const ProbeScreenshot stage(game.Shot(20));
    ASSERT_TRUE(stage.Valid());
    EXPECT_FALSE(stage.Shows(400, 500, CardColour(1)));
    EXPECT_FALSE(stage.Shows(2, 2, BannerColour));
}

}  // namespace
