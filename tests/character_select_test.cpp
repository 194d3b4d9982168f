// The character select screen inside the test process: wrapping choice, the
// gliding camera, the looping preview clock, and the ways out.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>

#include "app/keyboard.h"
#include "app/save_data.h"
#include "app/scene.h"
#include "app/sound.h"
#include "objects/obj_camera.h"
#include "scenes/scene_character_select.h"
#include "scenes/scene_factory.h"
#include "scenes/scene_game_title.h"
#include "scenes/scene_stage1.h"
#include "tests/gl_test_window.h"
#include "tests/test_files.h"

namespace {

constexpr int VkB = 'B';

class CharacterSelectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_WINDOW();
        entered = true;
        oldDirectory = std::filesystem::current_path();
        std::filesystem::current_path(dir.Path());
        std::filesystem::create_directory("sound");
        WriteToneWav("sound/game_tunemoor_5_castle06.wav", 3000);
        WriteToneWav("sound/decision4.wav", 3000);
        SetSilentAudio(true);
        InitSound();
        PlatformReleaseAllKeys();
        KeyState = KeyTables();
        RequestScene(MakeCharacterSelectScene());
        Frame();
    }

    void TearDown() override
    {
        if (!entered) {
            return;
        }
        delete NextScene;
        NextScene = nullptr;
        delete CurrentScene;
        CurrentScene = nullptr;
        ClearObjectList();
        ShutdownSound();
        PlatformReleaseAllKeys();
        KeyState = KeyTables();
        SaveData = SaveRecord();
        std::filesystem::current_path(oldDirectory);
    }

    static void Frame(std::initializer_list<int> keysDown = {})
    {
        PlatformReleaseAllKeys();
        for (int key : keysDown) {
            PlatformKeyDown(key);
        }
        PlatformBeginFrameKeys();
        SwitchSceneIfRequested();
        CurrentScene->Update();
    }

    static const SceneCharacterSelect& Screen() { return dynamic_cast<const SceneCharacterSelect&>(*CurrentScene); }

    TempDir dir;
    std::filesystem::path oldDirectory;
    bool entered = false;
};

TEST_F(CharacterSelectTest, ChoiceWrapsBothWaysAndAHeldKeyMovesOnce)
{
    EXPECT_EQ(Screen().Selection(), 0);
    Frame({VkLeft});
    EXPECT_EQ(Screen().Selection(), 5);
    Frame();
    Frame({VkRight});
    EXPECT_EQ(Screen().Selection(), 0);
    Frame();
    for (int frame = 0; frame < 4; ++frame) {
        Frame({VkRight});
    }
    EXPECT_EQ(Screen().Selection(), 1);
    // Both arrows pressed in one frame cancel out.
    Frame();
    Frame({VkLeft, VkRight});
    EXPECT_EQ(Screen().Selection(), 1);
}

TEST_F(CharacterSelectTest, CameraCoversAFifthOfTheRemainingWayEachFrame)
{
    ASSERT_NE(ActiveCamera, nullptr);
    Frame({VkRight});
    EXPECT_NEAR(Screen().CameraX(), 0.4f, 1e-5f);
    Frame();
    EXPECT_NEAR(Screen().CameraX(), 0.72f, 1e-5f);
    Frame();
    EXPECT_NEAR(Screen().CameraX(), 0.976f, 1e-5f);
    // The camera looks straight down -z from its position along the row.
    EXPECT_NEAR(ActiveCamera->view.m[12], -0.976f, 1e-5f);
    EXPECT_NEAR(ActiveCamera->view.m[14], -5.0f, 1e-5f);
    for (int frame = 0; frame < 100; ++frame) {
        Frame();
    }
    EXPECT_NEAR(Screen().CameraX(), 2.0f, 1e-4f);
}

TEST_F(CharacterSelectTest, PreviewClockLoopsEvery121Frames)
{
    // SetUp ran the first frame.
    EXPECT_FLOAT_EQ(Screen().AnimationClock(), 0.5f);
    for (int frame = 2; frame <= 120; ++frame) {
        Frame();
    }
    EXPECT_FLOAT_EQ(Screen().AnimationClock(), 60.0f);
    Frame();
    EXPECT_FLOAT_EQ(Screen().AnimationClock(), 0.0f);
    Frame();
    EXPECT_FLOAT_EQ(Screen().AnimationClock(), 0.5f);
}

TEST_F(CharacterSelectTest, EnterConfirmsIntoTheStage)
{
    EXPECT_TRUE(SoundPlaying(0));
    Frame({VkRight});
    Frame({VkEnter});
    const auto* stage = dynamic_cast<const SceneStage1*>(NextScene);
    ASSERT_NE(stage, nullptr);
    EXPECT_EQ(stage->chosenCharacter, 1);
    EXPECT_FALSE(SoundPlaying(0));
    EXPECT_TRUE(SoundPlaying(1));

    // The preview camera goes with the screen; the stage brings its own.
    Frame();
    ASSERT_FALSE(ObjectList.empty());
    EXPECT_EQ(ActiveCamera, ObjectList.front());
    EXPECT_EQ(ObjectList.front()->objectType, TypeMainCameraLockOn);
}

TEST_F(CharacterSelectTest, BGoesBackToTheTitleAtOnce)
{
    Frame({VkRight});
    Frame({VkB});
    EXPECT_NE(dynamic_cast<SceneGameTitle*>(NextScene), nullptr);
    EXPECT_TRUE(SoundPlaying(0));  // no confirm: the music was not stopped
    Frame();
    EXPECT_EQ(dynamic_cast<SceneGameTitle&>(*CurrentScene).Selection(), 0);
}

}  // namespace
