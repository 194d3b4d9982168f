// Key rules: held, fresh press and the shared latch.
#include <gtest/gtest.h>

#include "app/keyboard.h"

namespace {

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PlatformReleaseAllKeys();
        PlatformBeginFrameKeys();
        KeyState = KeyTables();
    }
    static void NextFrame() { PlatformBeginFrameKeys(); }
};

TEST_F(KeyboardTest, FreshPressActsOncePerPress)
{
    PlatformKeyDown(VkEnter);
    NextFrame();
    EXPECT_TRUE(KeyFreshPress(VkEnter));
    EXPECT_FALSE(KeyFreshPress(VkEnter));  // same frame, second reader
    NextFrame();
    EXPECT_FALSE(KeyFreshPress(VkEnter));  // still held
    PlatformKeyUp(VkEnter);
    NextFrame();
    EXPECT_FALSE(KeyFreshPress(VkEnter));
    EXPECT_EQ(KeyState.latch[VkEnter], 0);
    PlatformKeyDown(VkEnter);
    NextFrame();
    EXPECT_TRUE(KeyFreshPress(VkEnter));
}

TEST_F(KeyboardTest, LatchIsSharedSoAKeyHeldIntoANewSceneIsNotFresh)
{
    PlatformKeyDown(VkEnter);
    NextFrame();
    ASSERT_TRUE(KeyFreshPress(VkEnter));  // the title confirms
    // A later scene sees Enter still held: the latch set by the title holds.
    NextFrame();
    EXPECT_FALSE(KeyFreshPress(VkEnter));
    PlatformKeyUp(VkEnter);
    NextFrame();
    EXPECT_FALSE(KeyFreshPress(VkEnter));
    PlatformKeyDown(VkEnter);
    NextFrame();
    EXPECT_TRUE(KeyFreshPress(VkEnter));
}

TEST_F(KeyboardTest, HeldFollowsTheKeyAndOppositeKeysBothApply)
{
    PlatformKeyDown(VkLeft);
    PlatformKeyDown(VkRight);
    NextFrame();
    EXPECT_TRUE(KeyHeld(VkLeft));
    EXPECT_TRUE(KeyHeld(VkRight));
    EXPECT_EQ(KeyState.latch[VkLeft], 1);
    PlatformKeyUp(VkLeft);
    NextFrame();
    EXPECT_FALSE(KeyHeld(VkLeft));
    EXPECT_EQ(KeyState.latch[VkLeft], 0);
    EXPECT_TRUE(KeyDown(VkRight));
}

TEST_F(KeyboardTest, TapBetweenFramesIsSeenForOneFrame)
{
    PlatformKeyDown(VkCtrl);
    PlatformKeyUp(VkCtrl);
    NextFrame();
    EXPECT_TRUE(KeyFreshPress(VkCtrl));
    NextFrame();
    EXPECT_FALSE(KeyDown(VkCtrl));
}

TEST_F(KeyboardTest, OutOfRangeKeysAreIgnored)
{
    PlatformKeyDown(-1);
    PlatformKeyDown(256);
    NextFrame();
    EXPECT_FALSE(KeyDown(-1));
    EXPECT_FALSE(KeyHeld(300));
    EXPECT_FALSE(KeyFreshPress(-5));
}

TEST_F(KeyboardTest, FocusLossReleasesEverything)
{
    PlatformKeyDown('W');
    PlatformKeyDown(VkCtrl);
    NextFrame();
    ASSERT_TRUE(KeyDown('W'));
    PlatformReleaseAllKeys();
    NextFrame();
    EXPECT_FALSE(KeyDown('W'));
    EXPECT_FALSE(KeyDown(VkCtrl));
}

}  // namespace
