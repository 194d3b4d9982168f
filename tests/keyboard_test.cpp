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

// Once per press: not again for a second reader in the same frame, nor
// while held, and the latch is shared, so a key still held when a new
// screen starts is not fresh there either; a release clears the latch.
TEST_F(KeyboardTest, FreshPressActsOncePerPressAcrossEveryReader)
{
    PlatformKeyDown(VkEnter);
    NextFrame();
    EXPECT_TRUE(KeyFreshPress(VkEnter));
    EXPECT_FALSE(KeyFreshPress(VkEnter));
    NextFrame();
    EXPECT_FALSE(KeyFreshPress(VkEnter));
    PlatformKeyUp(VkEnter);
    NextFrame();
    EXPECT_FALSE(KeyFreshPress(VkEnter));
    EXPECT_EQ(KeyState.latch[VkEnter], 0);
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
