// The generator's synthesizer and painter building blocks: oscillators hit
// their pitch, filters filter and stay stable at their limits, envelopes
// never jump, scores place notes where the beat says, loops keep their
// length, and text never spills out of the box it is fitted into.
#include "tools/canvas.h"
#include "tools/score.h"
#include "tools/synth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

double Rms(const std::vector<float>& samples, std::size_t from, std::size_t to)
{
    double energy = 0.0;
    for (std::size_t i = from; i < to; ++i) {
        energy += static_cast<double>(samples[i]) * samples[i];
    }
    return std::sqrt(energy / static_cast<double>(to - from));
}

int RisingZeroCrossings(const std::vector<float>& samples)
{
    int count = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        count += (samples[i - 1] < 0.0f && samples[i] >= 0.0f) ? 1 : 0;
    }
    return count;
}

std::vector<float> OneSecondOf(Wave wave, float hz)
{
    Oscillator osc(wave);
    std::vector<float> out(SampleRate);
    for (float& s : out) {
        s = osc.Next(hz);
    }
    return out;
}

} // namespace

TEST(Synth, OscillatorsPlayTheirPitchWithinBounds)
{
    EXPECT_FLOAT_EQ(NoteToHz(69.0f), 440.0f);
    EXPECT_NEAR(NoteToHz(60.0f), 261.63f, 0.01f);
    for (const Wave wave : {Wave::Sine, Wave::Saw, Wave::Square, Wave::Pulse25}) {
        const std::vector<float> tone = OneSecondOf(wave, 440.0f);
        EXPECT_NEAR(RisingZeroCrossings(tone), 440, 2) << static_cast<int>(wave);
        for (const float s : tone) {
            ASSERT_TRUE(std::isfinite(s));
            ASSERT_LT(std::fabs(s), 1.3f);
        }
    }
    // A note far above what the sample rate can hold stays finite.
    for (const float s : OneSecondOf(Wave::Saw, 40000.0f)) {
        ASSERT_TRUE(std::isfinite(s));
    }
}

TEST(Synth, FilterCutsAboveItsCutoffAndStaysStableAtItsLimits)
{
    const std::vector<float> high = OneSecondOf(Wave::Sine, 8000.0f);
    const std::vector<float> low = OneSecondOf(Wave::Sine, 100.0f);
    Filter a;
    Filter b;
    std::vector<float> highOut(high.size());
    std::vector<float> lowOut(low.size());
    for (std::size_t i = 0; i < high.size(); ++i) {
        highOut[i] = a.Process(high[i], 500.0f, 0.1f).low;
        lowOut[i] = b.Process(low[i], 500.0f, 0.1f).low;
    }
    EXPECT_LT(Rms(highOut, 4410, highOut.size()), 0.02 * Rms(high, 4410, high.size()));
    EXPECT_GT(Rms(lowOut, 4410, lowOut.size()), 0.8 * Rms(low, 4410, low.size()));

    // The highest cutoff with the most resonance, fed loud noise, for a
    // second: the output must neither blow up nor turn into NaN.
    Filter edge;
    Noise noise(99);
    float peak = 0.0f;
    for (int i = 0; i < SampleRate; ++i) {
        const Filter::Output out = edge.Process(noise.Next(), 1.0e6f, 2.0f);
        ASSERT_TRUE(std::isfinite(out.low) && std::isfinite(out.band) && std::isfinite(out.high));
        peak = std::fmax(peak, std::fabs(out.low));
    }
    EXPECT_LT(peak, 50.0f);
}

TEST(Synth, EnvelopeRisesHoldsAndReleasesWithoutJumps)
{
    const Envelope env{0.1f, 0.1f, 0.5f, 0.2f};
    EXPECT_EQ(env.At(-0.01f, 1.0f), 0.0f);
    EXPECT_NEAR(env.At(0.05f, 1.0f), 0.5f, 1e-5f);
    EXPECT_NEAR(env.At(0.1f, 1.0f), 1.0f, 1e-5f);
    EXPECT_NEAR(env.At(0.5f, 1.0f), 0.5f, 1e-5f);
    EXPECT_EQ(env.At(1.2f, 1.0f), 0.0f);
    EXPECT_FLOAT_EQ(env.Length(1.0f), 1.2f);
    // A key let go during the attack releases from where the attack got to.
    for (const float hold : {0.03f, 0.15f, 0.6f}) {
        float previous = 0.0f;
        for (float t = 0.0f; t < env.Length(hold) + 0.01f; t += SampleTime) {
            const float level = env.At(t, hold);
            ASSERT_LE(std::fabs(level - previous), 0.001f) << "hold " << hold << " t " << t;
            previous = level;
        }
    }
}

TEST(Synth, NoiseRepeatsForItsSeedAndStaysInRange)
{
    Noise a(5);
    Noise b(5);
    Noise c(6);
    Noise zero(0); // a zero seed would lock xorshift at zero forever
    int same = 0;
    double sum = 0.0;
    for (int i = 0; i < 10000; ++i) {
        const float x = a.Next();
        ASSERT_EQ(x, b.Next());
        same += x == c.Next() ? 1 : 0;
        ASSERT_GE(x, -1.0f);
        ASSERT_LE(x, 1.0f);
        sum += x;
        ASSERT_NE(zero.Next(), 0.0f);
    }
    EXPECT_LT(same, 10);
    EXPECT_NEAR(sum / 10000.0, 0.0, 0.05);
}

TEST(Synth, FoldingATailKeepsTheLoopLengthAndEverySample)
{
    std::vector<float> samples{1.0f, 2.0f, 3.0f, 4.0f, 10.0f, 20.0f, 30.0f, 40.0f, 50.0f};
    FoldTail(samples, 4);
    EXPECT_EQ(samples, (std::vector<float>{1.0f + 10.0f + 50.0f, 2.0f + 20.0f, 3.0f + 30.0f, 4.0f + 40.0f}));
    std::vector<float> shorter{1.0f, 2.0f};
    FoldTail(shorter, 4);
    EXPECT_EQ(shorter, (std::vector<float>{1.0f, 2.0f, 0.0f, 0.0f}));
}

TEST(Synth, ScoreSoundsEachNoteOnItsBeatAndLastsExactlyItsBars)
{
    // 120 bpm: a beat is half a second. One bass note on beat 2 of bar 1.
    Score score(120.0, 4, 2);
    score.Chords("C C");
    score.Melody(Instrument::Bass, 1.0f, 0, "r:2 C3:2", 0.5);
    const std::vector<float> samples = score.Render(0.0f, 0.0f);
    ASSERT_EQ(samples.size(), static_cast<std::size_t>(SecondsToSamples(4.0)));
    const std::size_t onset = static_cast<std::size_t>(SecondsToSamples(0.5));
    EXPECT_LT(Rms(samples, 0, onset - 10), 1e-6);
    EXPECT_GT(Rms(samples, onset, onset + 4410), 0.05);
    EXPECT_LT(Rms(samples, static_cast<std::size_t>(SecondsToSamples(1.5)), samples.size()), 1e-6);

    // A drum hit in the last step of the last bar rings past the end and
    // comes back at the start, as the loop will play it.
    Score looped(120.0, 4, 1);
    looped.Drums(Drum::Crash, 1.0f, "...x", 0, 1);
    const std::vector<float> wrapped = looped.Render(0.0f, 0.0f);
    ASSERT_EQ(wrapped.size(), static_cast<std::size_t>(SecondsToSamples(2.0)));
    EXPECT_GT(Rms(wrapped, 0, 4410), 0.01);
}

TEST(Painter, UnpremultipliedPixelsAndTextThatStaysInItsBox)
{
    Canvas canvas(40, 20);
    FillRect(canvas.Context(), PixelRect{0, 0, 10, 10}, Colour{1.0, 0.0, 0.0, 0.5});
    std::vector<std::uint8_t> rgba = canvas.Rgba();
    EXPECT_EQ(rgba[0], 255);
    EXPECT_EQ(rgba[1], 0);
    EXPECT_NEAR(rgba[3], 128, 1);
    EXPECT_EQ(rgba[(10 * 40 + 20) * 4 + 3], 0);
    EXPECT_EQ(canvas.Rgb()[0], 128); // transparent parts darken toward black

    // Far too long for the box: the font shrinks until it fits.
    Canvas text(200, 100);
    const PixelRect box{50, 40, 150, 60};
    TextInBox(text.Context(), "Character Select Character Select", box,
              TextStyle{FontFace::SansBold, 40.0, Colour{1, 1, 1, 1}, Colour{0, 0, 0, 1}, 2.0}, 1.0);
    rgba = text.Rgba();
    int inside = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 200; ++x) {
            const bool painted = rgba[(static_cast<std::size_t>(y) * 200 + static_cast<std::size_t>(x)) * 4 + 3] > 0;
            const bool inBox = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
            ASSERT_FALSE(painted && !inBox) << x << "," << y;
            inside += painted ? 1 : 0;
        }
    }
    EXPECT_GT(inside, 100);

    // A box with no room left inside its margins gets no text at all.
    Canvas tiny(20, 20);
    TextInBox(tiny.Context(), "Kestrune", PixelRect{5, 5, 9, 9},
              TextStyle{FontFace::SerifBold, 30.0, Colour{1, 1, 1, 1}, Colour{0, 0, 0, 1}, 3.0}, 1.0);
    const std::vector<std::uint8_t> blank = tiny.Rgba();
    for (std::size_t i = 3; i < blank.size(); i += 4) {
        ASSERT_EQ(blank[i], 0);
    }
}
