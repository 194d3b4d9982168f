// The content check's WAV reader: lengths of good files, refusal of bad ones.
#include <gtest/gtest.h>

#include "app/wav_info.h"
#include "tests/test_files.h"

namespace {

TEST(WavInfo, ReadsTheLengthOfAGoodFileAndRefusesBrokenOnes)
{
    TempDir dir;
    WriteToneWav(dir.File("tone.wav"), 1500);
    WavInfo info;
    ASSERT_TRUE(ReadWavInfo(dir.File("tone.wav"), info));
    EXPECT_EQ(info.bitsPerSample, 16);
    EXPECT_NEAR(info.seconds, 1.5, 0.01);

    std::vector<uint8_t> bytes = ReadBytes(dir.File("tone.wav"));
    ASSERT_GT(bytes.size(), 44u);
    // Cut in the middle of the samples: the data chunk claims more than is there.
    WriteBytes(dir.File("short.wav"), std::vector<uint8_t>(bytes.begin(), bytes.begin() + 60));
    EXPECT_FALSE(ReadWavInfo(dir.File("short.wav"), info));
    // Not a WAV at all, empty, and missing.
    WriteBytes(dir.File("text.wav"), {'h', 'e', 'l', 'l', 'o'});
    EXPECT_FALSE(ReadWavInfo(dir.File("text.wav"), info));
    WriteBytes(dir.File("empty.wav"), {});
    EXPECT_FALSE(ReadWavInfo(dir.File("empty.wav"), info));
    EXPECT_FALSE(ReadWavInfo(dir.File("missing.wav"), info));
    // A chunk size near 4 GiB must not wrap the walk around.
    std::vector<uint8_t> huge(bytes.begin(), bytes.begin() + 44);
    huge[16] = huge[17] = huge[18] = huge[19] = 0xFF;
    WriteBytes(dir.File("huge.wav"), huge);
    EXPECT_FALSE(ReadWavInfo(dir.File("huge.wav"), info));
}

}  // namespace
