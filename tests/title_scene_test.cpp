// The title screen inside the test process: the menu rules, the save record
// it reads on every entry, the shared Enter latch, and its sounds. Keys go
// through the platform key table exactly as the window's callbacks feed it.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>

#include "app/keyboard.h"
#include "app/save_data.h"
#include "app/scene.h"
#include "app/sound.h"
#include "scenes/scene_character_select.h"
#include "scenes/scene_factory.h"
#include "scenes/scene_game_title.h"
#include "scenes/scene_stage1.h"
#include "tests/gl_test_window.h"
#include "tests/test_files.h"

namespace {

class TitleSceneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_TEST_WINDOW();
        entered = true;
        oldDirectory = std::filesystem::current_path();
        std::filesystem::current_path(dir.Path());
        std::filesystem::create_directory("sound");
        WriteToneWav("sound/game_tunemoor_4_field09.wav", 3000);
        WriteToneWav("sound/decision4.wav", 3000);
        SetSilentAudio(true);
        InitSound();
        PlatformReleaseAllKeys();
        KeyState = KeyTables();
        SaveData = SaveRecord();
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

    // One frame as the game runs it: the keys listed are down, everything
    // else up; a pending switch happens first, then the scene's update.
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

    static void EnterTitle(std::initializer_list<int> keysDown = {})
    {
        RequestScene(MakeTitleScene());
        Frame(keysDown);
    }

    static int Selection() { return dynamic_cast<SceneGameTitle&>(*CurrentScene).Selection(); }

    static std::string PendingScreen()
    {
        if (dynamic_cast<const SceneCharacterSelect*>(NextScene) != nullptr) {
            return "character select";
        }
        if (const auto* stage = dynamic_cast<const SceneStage1*>(NextScene); stage != nullptr) {
            return stage->chosenCharacter == DefaultCharacter ? "stage" : "stage with a chosen character";
        }
        return "";
    }

    static void WriteSave(uint8_t unlocked, uint8_t cleared)
    {
        SaveRecord record;
        record.menuUnlocked = unlocked;
        record.stageCleared = cleared;
        ASSERT_TRUE(WriteSaveRecordTo(SaveFileName, record));
    }

    TempDir dir;
    std::filesystem::path oldDirectory;
    bool entered = false;
};

TEST_F(TitleSceneTest, LockedMenuIgnoresArrowsAndEnterStartsTheStage)
{
    EnterTitle();
    Frame({VkUp});
    Frame();
    EXPECT_EQ(Selection(), 0);
    Frame({VkDown});
    Frame();
    EXPECT_EQ(Selection(), 0);
    EXPECT_EQ(NextScene, nullptr);

    Frame({VkEnter});
    EXPECT_EQ(PendingScreen(), "stage");
    // Only defeats and stage clears write the record.
    EXPECT_FALSE(std::filesystem::exists(SaveFileName));
}

TEST_F(TitleSceneTest, UnlockedMenuWrapsBothWaysAndAHeldKeyMovesOnce)
{
    WriteSave(1, 0);
    EnterTitle();
    EXPECT_EQ(Selection(), 0);
    Frame({VkUp});
    EXPECT_EQ(Selection(), 1);
    Frame();
    Frame({VkDown});
    EXPECT_EQ(Selection(), 0);
    Frame();
    Frame({VkDown});
    EXPECT_EQ(Selection(), 1);
    Frame();
    Frame({VkDown});
    EXPECT_EQ(Selection(), 0);
    for (int frame = 0; frame < 5; ++frame) {
        Frame({VkUp});
    }
    EXPECT_EQ(Selection(), 1);
    EXPECT_EQ(NextScene, nullptr);

    Frame({VkUp, VkEnter});
    EXPECT_EQ(PendingScreen(), "character select");
}

TEST_F(TitleSceneTest, EveryEntryRereadsTheSaveAndStartsAtTheFirstItem)
{
    // First run: no file, so the menu is locked.
    EnterTitle();
    Frame({VkDown});
    EXPECT_EQ(Selection(), 0);

    // A stage clear elsewhere unlocked the menu and saved it.
    WriteSave(1, 1);
    EnterTitle();
    Frame({VkDown});
    EXPECT_EQ(Selection(), 1);
    EXPECT_EQ(SaveData.stageCleared, 1);

    EnterTitle();
    EXPECT_EQ(Selection(), 0);

    // A flag other than 1 in a hand-edited file still counts as set.
    SaveRecord record;
    record.menuUnlocked = 2;
    ASSERT_TRUE(WriteSaveRecordTo(SaveFileName, record));
    EnterTitle();
    Frame({VkDown});
    EXPECT_EQ(Selection(), 1);
}

TEST_F(TitleSceneTest, EnterHeldFromTheLastScreenDoesNotConfirm)
{
    EnterTitle();
    Frame({VkEnter});
    ASSERT_EQ(PendingScreen(), "stage");
    Frame({VkEnter});

    // Back at the title with Enter still held down from the confirm.
    EnterTitle({VkEnter});
    ASSERT_EQ(NextScene, nullptr);
    for (int frame = 0; frame < 5; ++frame) {
        Frame({VkEnter});
        ASSERT_EQ(NextScene, nullptr) << "confirmed in frame " << frame;
    }
    Frame();
    Frame({VkEnter});
    EXPECT_EQ(PendingScreen(), "stage");
}

TEST_F(TitleSceneTest, MusicPlaysUntilConfirmAndEverySoundStopsAtTheSwitch)
{
    EnterTitle();
    EXPECT_TRUE(SoundPlaying(0));
    EXPECT_FALSE(SoundPlaying(1));

    Frame({VkEnter});
    EXPECT_FALSE(SoundPlaying(0));
    EXPECT_TRUE(SoundPlaying(1));

    Frame();
    EXPECT_EQ(PlayingChannelCount(), 0);
}

}  // namespace
