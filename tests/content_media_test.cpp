// The generated pictures and sounds: every file the scenes load exists,
// decodes through the game's own readers at its size, holds art wherever the
// game draws from it (and stays clear wherever later sprites must show
// through), and every sound is 16-bit PCM of a sensible length that is
// neither silent nor clipped. The generator is also run again to prove it
// writes the same bytes.
#include "app/wav_info.h"
#include "platform/png_loader.h"
#include "render/bmp.h"
#include "render/model_slots.h"
#include "tests/test_files.h"
#include "tools/bmp_writer.h"
#include "tools/content.h"
#include "tools/image_atlas_table.h"
#include "tools/png_writer.h"
#include "tools/score.h"
#include "tools/wav_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path BinDir{KESTRUNE_BIN_DIR};

struct ExpectedSound {
    const char* name = "";
    bool music = false;
};

// Every sound file the scenes load.
const std::vector<ExpectedSound> ExpectedSounds{
    {"game_tunemoor_4_field09.wav", true}, {"game_tunemoor_5_castle06.wav", true},
    {"game_tunemoor_4_field11.wav", true}, {"game_tunemoor_4_field05.wav", true},
    {"game_tunemoor_7_event38.wav", true}, {"decision4.wav", false},
    {"sword-slash4.wav", false},           {"sword-slash3.wav", false},
    {"katana-slash1.wav", false},          {"magic-poison1.wav", false},
    {"shot1.wav", false},                  {"katana-gesture2.wav", false},
    {"beamgun1.wav", false},               {"sword-slash1.wav", false},
    {"katana-slash4.wav", false},          {"ricochets1.wav", false},
    {"attack2.wav", false},                {"setup1.wav", false},
};

std::vector<std::uint8_t> ReadFile(const fs::path& path)
{
    return ReadBytes(path.string());
}

// Through the game's own readers, as RGBA with the top row first.
PngImage Decode(const ImageFile& file)
{
    const fs::path path = BinDir / std::string(file.path);
    PngImage picture;
    if (file.format == ImageFormat::Png) {
        ReadPngFile(path.c_str(), picture);
        return picture;
    }
    const std::vector<std::uint8_t> bytes = ReadFile(path);
    const std::unique_ptr<std::uint8_t[]> rgb = DecodeBmp(bytes.data(), bytes.size(), picture.width, picture.height);
    for (int i = 0; rgb != nullptr && i < picture.width * picture.height; ++i) {
        picture.rgba.insert(picture.rgba.end(), {rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2], 255});
    }
    return picture;
}

const std::uint8_t* At(const PngImage& picture, int x, int y)
{
    return &picture.rgba[(static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) + x) * 4];
}

// Many rectangles share a picture; decode each one once.
const PngImage& DecodeOnce(const ImageFile& file)
{
    static std::map<std::string_view, PngImage> decoded;
    auto found = decoded.find(file.path);
    if (found == decoded.end()) {
        found = decoded.emplace(file.path, Decode(file)).first;
    }
    return found->second;
}

// The format through the game's own reader; our writer puts the samples
// right after the 44 bytes of a canonical header.
struct WavData {
    bool ok = false;
    WavInfo info;
    std::vector<std::int16_t> samples;
};

WavData ParseWav(const fs::path& path)
{
    WavData wav;
    const std::vector<std::uint8_t> b = ReadFile(path);
    wav.ok = ReadWavInfo(path.string(), wav.info) && b.size() >= 44 && std::string(b.begin() + 36, b.begin() + 40) == "data";
    for (std::size_t i = 44; wav.ok && i + 1 < b.size(); i += 2) {
        wav.samples.push_back(static_cast<std::int16_t>(b[i] | b[i + 1] << 8));
    }
    return wav;
}

} // namespace

// The build ran the generator into the bin folder; running it again here
// (into a folder it makes on the way) writes every file byte for byte alike.
TEST(ContentMedia, GeneratorWritesEveryFileAndTheSameBytesEachRun)
{
    const TempDir temp;
    const fs::path fresh = fs::path(temp.Path()) / "nested" / "data";
    ASSERT_TRUE(WriteModels(fresh.string()));
    ASSERT_TRUE(WriteImages(fresh.string()));
    ASSERT_TRUE(WriteSounds(fresh.string()));
    std::vector<std::string> files(std::begin(SkinModelFiles), std::end(SkinModelFiles));
    files.insert(files.end(), std::begin(StaticModelFiles), std::end(StaticModelFiles));
    for (const ImageFile& file : ImageFiles) {
        files.emplace_back(file.path);
    }
    for (const ExpectedSound& sound : ExpectedSounds) {
        files.push_back(std::string("sound/") + sound.name);
    }
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        ASSERT_TRUE(fs::is_regular_file(BinDir / file));
        ASSERT_TRUE(fs::is_regular_file(fresh / file));
        const std::vector<std::uint8_t> bytes = ReadFile(fresh / file);
        EXPECT_TRUE(ReadFile(BinDir / file) == bytes);
        if (file.rfind("model/", 0) == 0) {
            EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + std::min<size_t>(17, bytes.size())),
                      "xof 0303txt 0032\n");
        }
    }
}

TEST(ContentMedia, EveryPictureDecodesAtItsListedSize)
{
    for (const ImageFile& file : ImageFiles) {
        SCOPED_TRACE(std::string(file.path));
        // The game picks its reader by the path's spelling.
        EXPECT_EQ(IsBmpPath(std::string(file.path).c_str()), file.format == ImageFormat::Bmp);
        const PngImage picture = Decode(file);
        EXPECT_EQ(picture.width, file.width);
        EXPECT_EQ(picture.height, file.height);
    }
}

TEST(ContentMedia, DrawnRectanglesHoldArtAndClearOnesLetLaterSpritesThrough)
{
    for (const AtlasRect& rect : AtlasRects) {
        SCOPED_TRACE(std::string(rect.path) + " " + std::string(rect.name));
        const ImageFile* file = nullptr;
        for (const ImageFile& candidate : ImageFiles) {
            if (candidate.path == rect.path) {
                file = &candidate;
            }
        }
        ASSERT_NE(file, nullptr);
        ASSERT_GT(rect.right, rect.left);
        ASSERT_GT(rect.bottom, rect.top);
        ASSERT_LE(rect.right, file->width);
        ASSERT_LE(rect.bottom, file->height);
        const PngImage& picture = DecodeOnce(*file);
        ASSERT_EQ(picture.width, file->width);

        int opaque = 0;
        int visible = 0;
        int darkest = 255 * 3;
        int lightest = 0;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                const std::uint8_t* p = At(picture, x, y);
                visible += p[3] > 0 ? 1 : 0;
                // The sprite shaders drop texels below half alpha.
                if (p[3] >= 128) {
                    ++opaque;
                    darkest = std::min(darkest, p[0] + p[1] + p[2]);
                    lightest = std::max(lightest, p[0] + p[1] + p[2]);
                }
            }
        }
        const int area = (rect.right - rect.left) * (rect.bottom - rect.top);
        if (rect.use == AtlasUse::Drawn) {
            EXPECT_GE(opaque, area / 20) << "too little art";
            // Art shows either through its colours or, for a shape the game
            // tints in one colour, through its outline against the clear.
            const bool shaded = lightest - darkest >= 90;
            const bool silhouette = opaque < area * 9 / 10;
            EXPECT_TRUE(shaded || silhouette) << "a flat patch, not a picture";
        } else {
            EXPECT_EQ(visible, 0) << "would hide what the game draws there later";
        }
    }
}

TEST(ContentMedia, EverySoundIsMono16BitPcmOfTheRightLengthNeitherSilentNorClipped)
{
    for (const ExpectedSound& expected : ExpectedSounds) {
        SCOPED_TRACE(expected.name);
        const WavData wav = ParseWav(BinDir / "sound" / expected.name);
        ASSERT_TRUE(wav.ok);
        EXPECT_EQ(wav.info.channels, 1);
        EXPECT_EQ(wav.info.bitsPerSample, 16);
        ASSERT_EQ(wav.info.sampleRate, 44100);
        const double seconds = static_cast<double>(wav.samples.size()) / wav.info.sampleRate;
        if (expected.music) {
            EXPECT_GE(seconds, 20.0);
            EXPECT_LE(seconds, 60.0);
        } else {
            EXPECT_GT(seconds, 0.1);
            EXPECT_LT(seconds, 1.5);
        }
        double energy = 0.0;
        int extreme = 0;
        int peak = 0;
        for (const std::int16_t s : wav.samples) {
            energy += static_cast<double>(s) * s;
            peak = std::max(peak, std::abs(static_cast<int>(s)));
            extreme += (s >= 32767 || s <= -32767) ? 1 : 0;
        }
        const double rms = std::sqrt(energy / static_cast<double>(wav.samples.size())) / 32768.0;
        EXPECT_GT(rms, 0.05) << "too quiet to hear in the game";
        EXPECT_EQ(extreme, 0) << "clipped";
        EXPECT_GT(peak, 16000);
    }
}

TEST(ContentMedia, MusicLoopsWithoutAStepAtTheSeam)
{
    for (const ExpectedSound& expected : ExpectedSounds) {
        if (!expected.music) {
            continue;
        }
        SCOPED_TRACE(expected.name);
        const WavData wav = ParseWav(BinDir / "sound" / expected.name);
        ASSERT_TRUE(wav.ok);
        ASSERT_GT(wav.samples.size(), 2u);
        // The jump from the last sample to the first is no larger than the
        // biggest step inside the piece: the loop does not click.
        int largestStep = 0;
        for (std::size_t i = 1; i < wav.samples.size(); ++i) {
            largestStep = std::max(largestStep, std::abs(wav.samples[i] - wav.samples[i - 1]));
        }
        EXPECT_LE(std::abs(wav.samples.front() - wav.samples.back()), largestStep / 2);
    }
}

// What the writer encodes, the game's reader (tested on hand-made files)
// gives back: rows, channel order, padding and header all agree.
TEST(ContentWriters, BmpRoundTripsThroughTheGamesReader)
{
    for (const int width : {3, 4}) {
        std::vector<std::uint8_t> rgb;
        for (int i = 0; i < width * 2 * 3; ++i) {
            rgb.push_back(static_cast<std::uint8_t>(10 + 7 * i));
        }
        const std::vector<std::uint8_t> bytes = EncodeBmp(width, 2, rgb);
        EXPECT_EQ(bytes.size(), 54u + 2u * ((3u * width + 3u) & ~3u));
        int w = 0;
        int h = 0;
        const std::unique_ptr<std::uint8_t[]> back = DecodeBmp(bytes.data(), bytes.size(), w, h);
        ASSERT_TRUE(back != nullptr && w == width && h == 2);
        EXPECT_EQ(std::vector<std::uint8_t>(back.get(), back.get() + rgb.size()), rgb);
    }
}

TEST(ContentWriters, WritersRefuseBuffersThatDoNotMatchTheSize)
{
    const TempDir temp;
    const fs::path folder{temp.Path()};
    EXPECT_FALSE(WritePng((folder / "short.png").string(), 4, 4, std::vector<std::uint8_t>(10, 0)));
    EXPECT_FALSE(WritePng((folder / "empty.png").string(), 0, 4, {}));
    EXPECT_FALSE(WriteBmp((folder / "short.bmp").string(), 4, 4, std::vector<std::uint8_t>(47, 0)));
    EXPECT_FALSE(WritePng((folder / "missing" / "x.png").string(), 1, 1, std::vector<std::uint8_t>(4, 0)));
    // An output folder that cannot be made (a file stands in its way) fails
    // cleanly instead of writing half a data set.
    WriteBytes((folder / "blocker").string(), {1});
    EXPECT_FALSE(WriteImages((folder / "blocker" / "data").string()));
    EXPECT_FALSE(WriteSounds((folder / "blocker" / "data").string()));
    const std::string generator = "'" KESTRUNE_BIN_DIR "/kestrune_content'";
    EXPECT_NE(std::system((generator + " '" + (folder / "blocker").string() + "' > /dev/null 2>&1").c_str()), 0);
    EXPECT_NE(std::system((generator + " > /dev/null 2>&1").c_str()), 0) << "no folder given";

    ASSERT_TRUE(WritePng((folder / "ok.png").string(), 2, 1, {255, 0, 0, 255, 0, 0, 255, 0}));
    PngImage back;
    ASSERT_TRUE(ReadPngFile((folder / "ok.png").c_str(), back));
    EXPECT_EQ(back.rgba, (std::vector<std::uint8_t>{255, 0, 0, 255, 0, 0, 255, 0}));
}

TEST(ContentWriters, WavIsScaledToItsPeakAndBrokenSamplesBecomeSilence)
{
    const TempDir temp;
    const fs::path folder{temp.Path()};
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    ASSERT_TRUE(WriteWav((folder / "loud.wav").string(), {0.0f, 2.0f, -1.0f, nan, inf}, 0.5f));
    const WavData loud = ParseWav(folder / "loud.wav");
    ASSERT_TRUE(loud.ok);
    ASSERT_EQ(loud.samples.size(), 5u);
    EXPECT_EQ(loud.samples[1], 16384); // 2.0 scaled to half of full scale
    EXPECT_EQ(loud.samples[2], -8192);
    EXPECT_EQ(loud.samples[3], 0);
    EXPECT_EQ(loud.samples[4], 0);

    ASSERT_TRUE(WriteWav((folder / "quiet.wav").string(), std::vector<float>(8, 0.0f), 0.9f));
    const WavData quiet = ParseWav(folder / "quiet.wav");
    ASSERT_TRUE(quiet.ok);
    EXPECT_EQ(quiet.samples, std::vector<std::int16_t>(8, 0));
}

TEST(ContentScore, PitchNamesFollowScientificNotationAndNonsenseIsRejected)
{
    EXPECT_EQ(ParsePitch("C4"), 60);
    EXPECT_EQ(ParsePitch("A4"), 69);
    EXPECT_EQ(ParsePitch("F#5"), 78);
    EXPECT_EQ(ParsePitch("Bb3"), 58);
    EXPECT_EQ(ParsePitch("Cb4"), 59);
    EXPECT_EQ(ParsePitch("B#3"), 60);
    EXPECT_EQ(ParsePitch("C0"), 12);
    for (const char* bad : {"", "C", "H4", "c4", "C#", "C45", "4C", "Cx4", "r"}) {
        EXPECT_EQ(ParsePitch(bad), -1) << bad;
    }
}
