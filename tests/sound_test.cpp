// The sound table against the real mixer on SDL's silent driver: retriggering,
// music looping, scene switches, bad files and bad slot numbers.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "app/scene.h"
#include "app/sound.h"
#include "platform/clock.h"
#include "tests/test_files.h"

namespace {

constexpr int FrameMs = 33;

class EmptyScene : public Scene {
public:
    void Init() override {}
    void Update() override {}
    void DrawShadow() override {}
    void Draw() override {}
};

void SleepFor(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    for (int waited = 0; waited < timeoutMs; waited += 5) {
        if (condition()) {
            return true;
        }
        SleepFor(5);
    }
    return condition();
}

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetSilentAudio(true);
        InitSound();
        ASSERT_TRUE(AudioDeviceIsOpen());
        shortWav = dir.File("short.wav");
        longWav = dir.File("long.wav");
        WriteToneWav(shortWav, 100);
        WriteToneWav(longWav, 3000);
    }

    void TearDown() override
    {
        delete CurrentScene;
        CurrentScene = nullptr;
        ShutdownSound();
    }

    TempDir dir;
    std::string shortWav;
    std::string longWav;
};

TEST_F(SoundTest, EffectTriggeredAgainWhilePlayingIsNotRestarted)
{
    LoadSound(6, shortWav.c_str());
    PlaySound(6);
    ASSERT_TRUE(SoundPlaying(6));
    PlaySound(6);
    PlaySound(6);
    EXPECT_EQ(ChannelStartCount(6), 1u);
    EXPECT_EQ(PlayingChannelCount(), 1);

    // Once finished, the next trigger plays it again from the start.
    ASSERT_TRUE(WaitUntil([] { return !SoundPlaying(6); }, 2000));
    PlaySound(6);
    EXPECT_TRUE(SoundPlaying(6));
    EXPECT_EQ(ChannelStartCount(6), 2u);
}

TEST_F(SoundTest, MusicRestartsInTheFrameAfterItEnds)
{
    LoadSound(0, shortWav.c_str());
    // Half a second of frames as a scene's Update runs them: the music must be
    // playing after every call, so no frame goes silent.
    constexpr int Frames = 15;
    for (int frame = 0; frame < Frames; ++frame) {
        PlaySound(0);
        EXPECT_TRUE(SoundPlaying(0)) << "silent in frame " << frame;
        SleepFor(FrameMs);
    }
    // A 100 ms tune over 500 ms of frames ends and restarts several times.
    EXPECT_GE(ChannelStartCount(0), 3u);
}

TEST_F(SoundTest, SceneSwitchStopsEverySoundAndEmptiesTheSlots)
{
    LoadSound(0, longWav.c_str());
    LoadSound(1, longWav.c_str());
    LoadSound(12, longWav.c_str());
    PlaySound(0);
    PlaySound(1);
    PlaySound(12);
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
    LoadSound(3, longWav.c_str());
    SoundTable[3].perScene = 0;  // as if loaded for the whole run
    LoadSound(4, longWav.c_str());
    CloseSceneSounds();
    EXPECT_NE(SoundTable[3].clip, nullptr);
    EXPECT_EQ(SoundTable[4].clip, nullptr);
    CloseAllSounds();
    EXPECT_EQ(SoundTable[3].clip, nullptr);
}

TEST_F(SoundTest, SameFileInSlotOneOfTwoScenesIsOpenedAnew)
{
    const std::string confirm = dir.File("confirm.wav");
    WriteToneWav(confirm, 100);
    LoadSound(1, confirm.c_str());
    ASSERT_NE(SoundTable[1].clip, nullptr);
    CloseSceneSounds();
    ASSERT_EQ(SoundTable[1].clip, nullptr);

    // The second scene's load reads the file again: a changed file is seen.
    WriteToneWav(confirm, 2000);
    LoadSound(1, confirm.c_str());
    ASSERT_NE(SoundTable[1].clip, nullptr);
    PlaySound(1);
    SleepFor(400);
    EXPECT_TRUE(SoundPlaying(1));
}

TEST_F(SoundTest, LoadingOverAPlayingSlotStopsAndReplacesIt)
{
    LoadSound(2, longWav.c_str());
    PlaySound(2);
    ASSERT_TRUE(SoundPlaying(2));
    LoadSound(2, shortWav.c_str());
    EXPECT_FALSE(SoundPlaying(2));
    PlaySound(2);
    EXPECT_TRUE(WaitUntil([] { return !SoundPlaying(2); }, 2000));
}

TEST_F(SoundTest, MissingOrBrokenFilesLeaveTheSlotEmptyAndSilent)
{
    const std::string garbage = dir.File("garbage.wav");
    WriteBytes(garbage, {'R', 'I', 'F', 'F', 0xff, 0xff, 0xff, 0x7f, 'W', 'A', 'V', 'E', 1, 2, 3});
    const std::string empty = dir.File("empty.wav");
    WriteBytes(empty, {});
    const std::string truncated = dir.File("truncated.wav");
    std::vector<uint8_t> tone = (WriteToneWav(truncated, 100), ReadBytes(truncated));
    tone.resize(30);
    WriteBytes(truncated, tone);

    const std::string missing = dir.File("no-such-file.wav");
    const char* names[] = {missing.c_str(), garbage.c_str(), empty.c_str(), truncated.c_str(), nullptr,
                           dir.Path().c_str()};
    for (const char* name : names) {
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
    LoadSound(7, longWav.c_str());
    for (int slot : {-1, -32, INT_MIN, SoundSlotCount, SoundSlotCount + 1, INT_MAX}) {
        LoadSound(slot, longWav.c_str());
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
    LoadSound(0, longWav.c_str());
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
    LoadSound(0, longWav.c_str());
    PlaySound(0);
    EXPECT_FALSE(SoundPlaying(0));
}

TEST_F(SoundTest, ConfirmStopsTheMusicPlaysTheConfirmAndHoldsTheGame)
{
    LoadSound(0, longWav.c_str());
    LoadSound(1, longWav.c_str());
    PlaySound(0);
    const uint32_t start = NowMs();
    PlayConfirmAndPause();
    EXPECT_GE(NowMs() - start, ConfirmPauseMs);
    EXPECT_FALSE(SoundPlaying(0));
    EXPECT_TRUE(SoundPlaying(1));

    // With no confirm sound the pause still happens and nothing plays.
    CloseSceneSounds();
    const uint32_t quietStart = NowMs();
    PlayConfirmAndPause();
    EXPECT_GE(NowMs() - quietStart, ConfirmPauseMs);
    EXPECT_EQ(PlayingChannelCount(), 0);
}

}  // namespace
