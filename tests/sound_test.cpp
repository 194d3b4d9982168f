// The sound table on channels where time stands still (a sound ends exactly
// when the test says so): retriggering, music looping, scene switches, bad
// files and bad slot numbers; and the real mixer on SDL's silent driver.
#include <gtest/gtest.h>

#include <SDL_mixer.h>  // Required for: the length of a loaded clip

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/scene.h"
#include "app/sound.h"
#include "tests/empty_scene.h"
#include "tests/test_files.h"

namespace {

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetSilentAudio(true);
        SetHeldAudio(true);
        InitSound();
        ASSERT_TRUE(AudioDeviceIsOpen());
        WriteToneWav(tone, 100);
    }
    void TearDown() override
    {
        delete CurrentScene;
        CurrentScene = nullptr;
        ShutdownSound();
        SetHeldAudio(false);
    }

    TempDir dir;
    const std::string tone = dir.File("tone.wav");
};

TEST_F(SoundTest, MusicRestartsInTheFrameAfterItEnds)
{
    LoadSound(0, tone.c_str());
    // Every screen's Update asks for its music: while it plays nothing
    // happens (so an effect triggered again is not restarted either), and
    // the frame after it has ended starts it again.
    for (int frame = 1; frame <= 5; ++frame) {
        PlaySound(0);
        EXPECT_TRUE(SoundPlaying(0)) << "frame " << frame;
    }
    EXPECT_EQ(ChannelStartCount(0), 1u);
    EXPECT_EQ(PlayingChannelCount(), 1);
    StopSound(0);  // the tune reaches its end between two frames
    PlaySound(0);
    EXPECT_TRUE(SoundPlaying(0));
    EXPECT_EQ(ChannelStartCount(0), 2u);
}

TEST_F(SoundTest, SceneSwitchStopsEverySoundAndEmptiesTheSlots)
{
    for (int slot : {0, 1, 12}) {
        LoadSound(slot, tone.c_str());
        PlaySound(slot);
    }
    ASSERT_EQ(PlayingChannelCount(), 3);
    RequestScene(new EmptyScene());
    SwitchSceneIfRequested();
    EXPECT_EQ(PlayingChannelCount(), 0);
    for (const SoundSlot& slot : SoundTable) {
        EXPECT_EQ(slot.clip, nullptr);
    }
    PlaySound(1);
    EXPECT_FALSE(SoundPlaying(1));
}

TEST_F(SoundTest, OnlyPerSceneSlotsCloseAtASwitchButAllCloseAtExit)
{
    LoadSound(3, tone.c_str());
    SoundTable[3].perScene = 0;  // as if loaded for the whole run
    LoadSound(4, tone.c_str());
    CloseSceneSounds();
    EXPECT_NE(SoundTable[3].clip, nullptr);
    EXPECT_EQ(SoundTable[4].clip, nullptr);
    CloseAllSounds();
    EXPECT_EQ(SoundTable[3].clip, nullptr);
}

// The second scene's load reads the file again, so a changed file is heard;
// a load over a playing slot stops what it played.
TEST_F(SoundTest, EveryLoadReadsTheFileAnewAndStopsTheSlot)
{
    LoadSound(1, tone.c_str());
    ASSERT_NE(SoundTable[1].clip, nullptr);
    const Uint32 shortLength = SoundTable[1].clip->alen;
    PlaySound(1);
    CloseSceneSounds();
    ASSERT_EQ(SoundTable[1].clip, nullptr);
    EXPECT_FALSE(SoundPlaying(1));
    WriteToneWav(tone, 2000);
    LoadSound(1, tone.c_str());
    ASSERT_NE(SoundTable[1].clip, nullptr);
    EXPECT_GT(SoundTable[1].clip->alen, 10 * shortLength);

    PlaySound(1);
    LoadSound(1, tone.c_str());
    EXPECT_FALSE(SoundPlaying(1));
    PlaySound(1);
    EXPECT_TRUE(SoundPlaying(1));
}

TEST_F(SoundTest, MissingOrBrokenFilesLeaveTheSlotEmptyAndSilent)
{
    const std::string garbage = dir.File("garbage.wav");
    WriteBytes(garbage, {'R', 'I', 'F', 'F', 0xff, 0xff, 0xff, 0x7f, 'W', 'A', 'V', 'E', 1, 2, 3});
    const std::string empty = dir.File("empty.wav");
    WriteBytes(empty, {});
    const std::string truncated = dir.File("truncated.wav");
    std::vector<uint8_t> bytes = ReadBytes(tone);
    bytes.resize(30);
    WriteBytes(truncated, bytes);
    const std::string missing = dir.File("no-such-file.wav");
    for (const char* name : {missing.c_str(), garbage.c_str(), empty.c_str(), truncated.c_str(),
                             static_cast<const char*>(nullptr), dir.Path().c_str()}) {
        LoadSound(5, name);
        EXPECT_EQ(SoundTable[5].clip, nullptr) << (name != nullptr ? name : "(null)");
        PlaySound(5);
        EXPECT_FALSE(SoundPlaying(5));
        StopSound(5);
    }
    EXPECT_EQ(ChannelStartCount(5), 0u);
}

TEST_F(SoundTest, SlotNumbersOutsideTheTableAreIgnored)
{
    LoadSound(7, tone.c_str());
    for (int slot : {-1, -32, INT_MIN, SoundSlotCount, SoundSlotCount + 1, INT_MAX}) {
        LoadSound(slot, tone.c_str());
        PlaySound(slot);
        StopSound(slot);
        EXPECT_FALSE(SoundPlaying(slot));
        EXPECT_EQ(ChannelStartCount(slot), 0u);
    }
    EXPECT_EQ(PlayingChannelCount(), 0);
    EXPECT_NE(SoundTable[7].clip, nullptr);
}

TEST_F(SoundTest, WithoutADeviceEverythingIsQuietlyIgnored)
{
    ShutdownSound();
    ASSERT_FALSE(AudioDeviceIsOpen());
    LoadSound(0, tone.c_str());
    EXPECT_EQ(SoundTable[0].clip, nullptr);
    PlaySound(0);
    StopSound(0);
    EXPECT_FALSE(SoundPlaying(0));
    CloseSceneSounds();

    // A machine whose audio system cannot be opened at all.
    SetSilentAudio(false);
    setenv("SDL_AUDIODRIVER", "kestrune-no-such-driver", 1);
    EXPECT_FALSE(OpenAudioDevice());
    unsetenv("SDL_AUDIODRIVER");
    LoadSound(0, tone.c_str());
    PlaySound(0);
    EXPECT_FALSE(SoundPlaying(0));
}

TEST_F(SoundTest, ConfirmStopsTheMusicPlaysTheConfirmAndHoldsTheGame)
{
    LoadSound(0, tone.c_str());
    LoadSound(1, tone.c_str());
    PlaySound(0);
    static std::vector<uint32_t> holds;
    static bool confirmHeardDuringTheHold = false;
    const auto hold = [](uint32_t milliseconds) {
        holds.push_back(milliseconds);
        confirmHeardDuringTheHold = SoundPlaying(1) && !SoundPlaying(0);
    };
    PlayConfirmAndPause(hold);
    EXPECT_EQ(holds, std::vector<uint32_t>{ConfirmPauseMs});
    EXPECT_TRUE(confirmHeardDuringTheHold);
    EXPECT_FALSE(SoundPlaying(0));
    EXPECT_TRUE(SoundPlaying(1));
    // With no confirm sound nothing plays.
    CloseSceneSounds();
    PlayConfirmAndPause(hold);
    EXPECT_EQ(PlayingChannelCount(), 0);
}

// The mixer itself on SDL's silent driver: a start is counted and heard
// until it is stopped.
TEST(SoundOnTheMixer, PlaysCountsAndStops)
{
    TempDir dir;
    WriteToneWav(dir.File("long.wav"), 10000);
    SetSilentAudio(true);
    InitSound();
    LoadSound(2, dir.File("long.wav").c_str());
    PlaySound(2);
    EXPECT_TRUE(SoundPlaying(2));
    EXPECT_EQ(ChannelStartCount(2), 1u);
    EXPECT_EQ(PlayingChannelCount(), 1);
    StopSound(2);
    EXPECT_FALSE(SoundPlaying(2));
    ShutdownSound();
}

}  // namespace
