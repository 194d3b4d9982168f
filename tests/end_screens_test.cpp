// The game clear and game over screens without a window: Enter still held
// from the stage does not leave them, a new press returns to the title, and
// the sword spins at its fixed rate.
#include <gtest/gtest.h>


#include "app/keyboard.h"
#include "app/scene.h"
#include "scenes/scene_game_clear.h"
#include "scenes/scene_game_over.h"
#include "scenes/scene_game_title.h"

namespace {

class EndScreensTest : public ::testing::Test {
protected:
    void SetUp() override { ResetKeys(); }
    void TearDown() override
    {
        delete NextScene;
        NextScene = nullptr;
        ResetKeys();
    }
    static void ResetKeys()
    {
        PlatformReleaseAllKeys();
        PlatformBeginFrameKeys();
        KeyState = KeyTables{};
    }
    static void Frame(Scene& scene)
    {
        PlatformBeginFrameKeys();
        scene.Update();
    }

    // Enter went down on the title and was held through the stage, so its
    // latch is already set when the end screen starts.
    static void HoldEnterFromTheTitle()
    {
        PlatformKeyDown(VkEnter);
        PlatformBeginFrameKeys();
        ASSERT_TRUE(KeyFreshPress(VkEnter));
    }

    void ExpectLeavesOnlyOnANewPress(Scene& screen)
    {
        HoldEnterFromTheTitle();
        for (int i = 0; i < 40; ++i) {
            Frame(screen);
            ASSERT_EQ(NextScene, nullptr) << "frame " << i + 1 << " with Enter still held";
        }
        PlatformKeyUp(VkEnter);
        Frame(screen);
        EXPECT_EQ(NextScene, nullptr);
        PlatformKeyDown(VkEnter);
        Frame(screen);
        EXPECT_NE(dynamic_cast<SceneGameTitle*>(NextScene), nullptr);
    }
};

TEST_F(EndScreensTest, GameClearIgnoresEnterHeldFromTheStage)
{
    SceneGameClear screen;
    ExpectLeavesOnlyOnANewPress(screen);
}

TEST_F(EndScreensTest, GameOverIgnoresEnterHeldFromTheStage)
{
    SceneGameOver screen;
    ExpectLeavesOnlyOnANewPress(screen);
}

TEST_F(EndScreensTest, GameOverSwordTurnsThreeHundredthsOfARadianPerFrame)
{
    SceneGameOver screen;
    for (int i = 0; i < 100; ++i) {
        Frame(screen);
    }
    EXPECT_NEAR(screen.spinAngle, 3.0f, 1e-4f);
    screen.spinAngle = 359.99f;
    Frame(screen);
    EXPECT_FLOAT_EQ(screen.spinAngle, 0.0f);
    // The view and projection stay identity, so the model is drawn straight
    // into clip space.
    for (int i = 0; i < 16; ++i) {
        EXPECT_FLOAT_EQ(screen.view.m[i], MatIdentity().m[i]);
        EXPECT_FLOAT_EQ(screen.projection.m[i], MatIdentity().m[i]);
    }
}

}  // namespace
