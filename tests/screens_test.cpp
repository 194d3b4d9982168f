// The title, character select and end screens inside the test process,
// frame by frame with keys as the window's callbacks feed them: the menu
// rules, the save record read on every entry, the shared Enter latch, the
// gliding camera and preview clock, and where each screen leads. What they
// draw is checked against the reference pictures.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>

#include "app/keyboard.h"
#include "app/save_data.h"
#include "app/scene.h"
#include "app/sound.h"
#include "objects/obj_camera.h"
#include "scenes/scene_character_select.h"
#include "scenes/scene_factory.h"
#include "scenes/scene_game_clear.h"
#include "scenes/scene_game_over.h"
#include "scenes/scene_game_title.h"
#include "scenes/scene_stage1.h"
#include "tests/gl_test_window.h"
#include "tests/test_files.h"

namespace {

constexpr int VkB = 'B';

// A working directory with the screens' sounds (long tones on channels where
// time stands still) and no save file until a test writes one.
class ScreensTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        {
            InDirectory game(KESTRUNE_BIN_DIR);
            REQUIRE_TEST_WINDOW();
        }
        entered = true;
        std::filesystem::create_directory("sound");
        for (const char* music : {"game_tunemoor_4_field09", "game_tunemoor_5_castle06", "decision4"}) {
            WriteToneWav(std::string("sound/") + music + ".wav", 100);
        }
        SetSilentAudio(true);
        SetHeldAudio(true);
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
        SetHeldAudio(false);
        PlatformReleaseAllKeys();
        KeyState = KeyTables();
        SaveData = SaveRecord();
    }

    // One frame as the game runs it: the keys listed are down, everything
    // else up; a pending switch happens first, then the screen's update.
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
    static void Enter(Scene* screen, std::initializer_list<int> keysDown = {})
    {
        RequestScene(screen);
        Frame(keysDown);
    }
    static int Selection() { return dynamic_cast<SceneGameTitle&>(*CurrentScene).Selection(); }
    static const SceneCharacterSelect& Select() { return dynamic_cast<const SceneCharacterSelect&>(*CurrentScene); }

    static std::string Pending()
    {
        if (dynamic_cast<const SceneCharacterSelect*>(NextScene) != nullptr) {
            return "character select";
        }
        if (dynamic_cast<const SceneGameTitle*>(NextScene) != nullptr) {
            return "title";
        }
        if (const auto* stage = dynamic_cast<const SceneStage1*>(NextScene); stage != nullptr) {
            return "stage " + std::to_string(stage->chosenCharacter);
        }
        return NextScene == nullptr ? "" : "other";
    }

    static void WriteSave(uint8_t unlocked, uint8_t cleared)
    {
        WriteBytes(SaveFileName, {0, 0, 0, 0, unlocked, cleared, 0, 0});
    }

    TempDir dir;
    InDirectory inDir{dir.Path()};
    bool entered = false;
};

TEST_F(ScreensTest, LockedTitleIgnoresArrowsAndEnterStartsTheStage)
{
    Enter(MakeTitleScene());
    for (int key : {VkUp, VkDown}) {
        Frame({key});
        Frame();
        EXPECT_EQ(Selection(), 0);
    }
    EXPECT_EQ(NextScene, nullptr);
    EXPECT_TRUE(SoundPlaying(0));
    EXPECT_FALSE(SoundPlaying(1));
    Frame({VkEnter});
    EXPECT_EQ(Pending(), "stage -1");
    // The confirm stops the music and plays its own sound; the switch
    // silences everything.
    EXPECT_FALSE(SoundPlaying(0));
    EXPECT_TRUE(SoundPlaying(1));
    Frame();
    EXPECT_EQ(PlayingChannelCount(), 0);
    // Only defeats and stage clears write the record.
    EXPECT_FALSE(std::filesystem::exists(SaveFileName));
}

TEST_F(ScreensTest, UnlockedTitleWrapsBothWaysAndAHeldKeyMovesOnce)
{
    WriteSave(1, 0);
    Enter(MakeTitleScene());
    EXPECT_EQ(Selection(), 0);
    const struct {
        int key;
        int selection;
    } presses[] = {{VkUp, 1}, {VkDown, 0}, {VkDown, 1}, {VkDown, 0}};
    for (const auto& press : presses) {
        Frame({press.key});
        EXPECT_EQ(Selection(), press.selection);
        Frame();
    }
    for (int frame = 0; frame < 5; ++frame) {
        Frame({VkUp});
    }
    EXPECT_EQ(Selection(), 1);
    EXPECT_EQ(NextScene, nullptr);
    Frame({VkUp, VkEnter});
    EXPECT_EQ(Pending(), "character select");
}

TEST_F(ScreensTest, EveryTitleEntryRereadsTheSaveAndStartsAtTheFirstItem)
{
    Enter(MakeTitleScene());  // no file: locked
    Frame({VkDown});
    EXPECT_EQ(Selection(), 0);
    WriteSave(1, 1);  // a stage clear elsewhere unlocked the menu
    Enter(MakeTitleScene());
    Frame({VkDown});
    EXPECT_EQ(Selection(), 1);
    EXPECT_EQ(SaveData.stageCleared, 1);
    Enter(MakeTitleScene());
    EXPECT_EQ(Selection(), 0);
    WriteSave(2, 0);  // any flag other than 0 in a hand-edited file counts as set
    Enter(MakeTitleScene());
    Frame({VkDown});
    EXPECT_EQ(Selection(), 1);
}

// Enter went down on one screen and is still held when the next one starts:
// only a new press confirms there. The same for every screen Enter leaves.
TEST_F(ScreensTest, EnterHeldFromTheLastScreenDoesNotConfirm)
{
    const struct {
        const char* screen;
        Scene* (*make)();
        const char* leadsTo;
    } screens[] = {
        {"title", [] { return MakeTitleScene(); }, "stage -1"},
        {"character select", [] { return MakeCharacterSelectScene(); }, "stage 0"},
        {"game clear", []() -> Scene* { return new SceneGameClear(); }, "title"},
        {"game over", []() -> Scene* { return new SceneGameOver(); }, "title"},
    };
    for (const auto& s : screens) {
        SCOPED_TRACE(s.screen);
        KeyState = KeyTables();
        PlatformKeyDown(VkEnter);
        PlatformBeginFrameKeys();
        ASSERT_TRUE(KeyFreshPress(VkEnter));  // the screen before confirmed
        Enter(s.make(), {VkEnter});
        for (int frame = 0; frame < 40; ++frame) {
            Frame({VkEnter});
            ASSERT_EQ(NextScene, nullptr) << "confirmed in frame " << frame;
        }
        Frame();
        Frame({VkEnter});
        EXPECT_EQ(Pending(), s.leadsTo);
        delete NextScene;
        NextScene = nullptr;
    }
}

// The camera covers a fifth of the remaining way to the chosen character
// each frame, looking straight down -z from its place along the row.
TEST_F(ScreensTest, CharacterChoiceWrapsAndTheCameraGlidesToItAsThePreviewClockLoops)
{
    Enter(MakeCharacterSelectScene());
    EXPECT_FLOAT_EQ(Select().AnimationClock(), 0.5f);
    Frame({VkRight});
    EXPECT_NEAR(Select().CameraX(), 0.4f, 1e-5f);
    Frame();
    EXPECT_NEAR(Select().CameraX(), 0.72f, 1e-5f);
    Frame();
    EXPECT_NEAR(Select().CameraX(), 0.976f, 1e-5f);
    EXPECT_NEAR(ActiveCamera->view.m[12], -0.976f, 1e-5f);
    EXPECT_NEAR(ActiveCamera->view.m[14], -5.0f, 1e-5f);
    for (int frame = 5; frame <= 120; ++frame) {
        Frame();
    }
    EXPECT_FLOAT_EQ(Select().AnimationClock(), 60.0f);
    Frame();
    EXPECT_FLOAT_EQ(Select().AnimationClock(), 0.0f);
    Frame();
    EXPECT_FLOAT_EQ(Select().AnimationClock(), 0.5f);
    EXPECT_NEAR(Select().CameraX(), 2.0f, 1e-4f);
    // The choice wraps both ways, a held key moves it once, and both arrows
    // in one frame cancel out.
    const struct {
        std::initializer_list<int> keys;
        int selection;
    } presses[] = {{{VkLeft}, 0}, {{VkLeft}, 5}, {{VkRight}, 0}, {{VkRight, VkLeft}, 0}};
    for (const auto& press : presses) {
        Frame();
        for (int frame = 0; frame < 3; ++frame) {
            Frame(press.keys);
        }
        EXPECT_EQ(Select().Selection(), press.selection);
    }
}

TEST_F(ScreensTest, CharacterSelectLeadsIntoTheStageOrBackToTheTitle)
{
    Enter(MakeCharacterSelectScene());
    EXPECT_TRUE(SoundPlaying(0));
    Frame({VkRight});
    Frame({VkEnter});
    EXPECT_EQ(Pending(), "stage 1");
    EXPECT_FALSE(SoundPlaying(0));
    EXPECT_TRUE(SoundPlaying(1));
    // The preview camera goes with the screen; the stage brings its own.
    Frame();
    ASSERT_FALSE(ObjectList.empty());
    EXPECT_EQ(ActiveCamera, ObjectList.front());
    EXPECT_EQ(ObjectList.front()->objectType, TypeMainCameraLockOn);

    // B goes back at once, without the confirm: the music plays on.
    Enter(MakeCharacterSelectScene());
    Frame({VkRight});
    Frame({VkB});
    EXPECT_EQ(Pending(), "title");
    EXPECT_TRUE(SoundPlaying(0));
    Frame();
    EXPECT_EQ(Selection(), 0);
    EXPECT_EQ(ActiveCamera, nullptr);
}

TEST_F(ScreensTest, GameOverSwordTurnsThreeHundredthsOfARadianPerFrame)
{
    Enter(new SceneGameOver());
    auto& screen = dynamic_cast<SceneGameOver&>(*CurrentScene);
    for (int i = 1; i < 100; ++i) {
        Frame();
    }
    EXPECT_NEAR(screen.spinAngle, 3.0f, 1e-4f);
    screen.spinAngle = 359.99f;
    Frame();
    EXPECT_FLOAT_EQ(screen.spinAngle, 0.0f);
}

}  // namespace
