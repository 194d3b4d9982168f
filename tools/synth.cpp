#include "tools/synth.h"

#include <algorithm>
#include <array>
#include <cmath>

float NoteToHz(float midiNote)
{
    return 440.0f * std::exp2((midiNote - 69.0f) / 12.0f);
}

int SecondsToSamples(double seconds)
{
    return static_cast<int>(std::lround(seconds * SampleRate));
}

namespace {

// The polyBLEP residual that rounds off a step at phase 0.
float PolyBlep(float t, float dt)
{
    if (t < dt) {
        const float x = t / dt;
        return x + x - x * x - 1.0f;
    }
    if (t > 1.0f - dt) {
        const float x = (t - 1.0f) / dt;
        return x * x + x + x + 1.0f;
    }
    return 0.0f;
}

} // namespace

float Oscillator::Next(float hz)
{
    const float dt = std::min(0.45f, hz * SampleTime);
    float value = 0.0f;
    switch (wave) {
    case Wave::Sine:
        value = std::sin(TwoPi * phase);
        break;
    case Wave::Saw:
        value = 2.0f * phase - 1.0f - PolyBlep(phase, dt);
        break;
    case Wave::Square:
    case Wave::Pulse25:
    case Wave::Triangle: {
        const float width = wave == Wave::Pulse25 ? 0.25f : 0.5f;
        float falling = phase + (1.0f - width);
        falling -= std::floor(falling);
        value = (phase < width ? 1.0f : -1.0f) + PolyBlep(phase, dt) - PolyBlep(falling, dt);
        if (wave == Wave::Triangle) {
            // A leaky integral of the square is a band-limited triangle.
            triangleState = dt * value * 4.0f + (1.0f - 0.0005f) * triangleState;
            value = triangleState;
        }
        break;
    }
    }
    phase += dt;
    phase -= std::floor(phase);
    return value;
}

float Noise::Next()
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<float>(state) / 2147483648.0f - 1.0f;
}

float Envelope::At(float t, float hold) const
{
    if (t < 0.0f) {
        return 0.0f;
    }
    auto level = [this](float time) {
        if (time < attack) {
            return time / attack;
        }
        const float d = time - attack;
        if (d < decay) {
            return 1.0f + (sustain - 1.0f) * (d / decay);
        }
        return sustain;
    };
    if (t < hold) {
        return level(t);
    }
    const float r = t - hold;
    if (r >= release) {
        return 0.0f;
    }
    return level(hold) * (1.0f - r / release);
}

float Decay(float t, float timeConstant)
{
    return t < 0.0f ? 0.0f : std::exp(-t / timeConstant);
}

Filter::Output Filter::Process(float input, float cutoffHz, float resonance)
{
    // Oversampled twice: the Chamberlin filter is only stable well below a
    // sixth of its own rate.
    // f = 2 sin(x) with x at most 0.32 here, where three terms of the
    // series are exact to float precision and far cheaper than sin().
    const float x = 3.14159265f * std::min(cutoffHz, 0.2f * SampleRate) / (2.0f * SampleRate);
    const float x2 = x * x;
    const float f = 2.0f * x * (1.0f - x2 / 6.0f * (1.0f - x2 / 20.0f));
    const float damping = 2.0f * (1.0f - std::clamp(resonance, 0.0f, 0.95f));
    Output out;
    for (int pass = 0; pass < 2; ++pass) {
        low += f * band;
        const float high = input - low - damping * band;
        band += f * high;
        out.high = high;
    }
    out.low = low;
    out.band = band;
    return out;
}

float Smoother::LowPass(float input, float cutoffHz)
{
    const float k = 1.0f - std::exp(-TwoPi * cutoffHz * SampleTime);
    state += k * (input - state);
    return state;
}

void MixInto(std::vector<float>& mix, const std::vector<float>& source, std::size_t offset, float gain)
{
    if (mix.size() < offset + source.size()) {
        mix.resize(offset + source.size(), 0.0f);
    }
    for (std::size_t i = 0; i < source.size(); ++i) {
        mix[offset + i] += source[i] * gain;
    }
}

void AddReverb(std::vector<float>& samples, float wet, float roomSize)
{
    // Mutually prime delays (in samples at 44.1 kHz) keep the echoes from
    // lining up into a metallic ring.
    constexpr std::array<std::size_t, 4> CombDelays{1557, 1617, 1491, 1422};
    constexpr std::array<std::size_t, 2> AllPassDelays{556, 441};
    std::array<std::vector<float>, 4> combs;
    std::array<std::size_t, 4> combPos{};
    std::array<float, 4> combDamp{};
    for (std::size_t i = 0; i < combs.size(); ++i) {
        combs[i].assign(CombDelays[i], 0.0f);
    }
    std::array<std::vector<float>, 2> allPasses;
    std::array<std::size_t, 2> allPassPos{};
    for (std::size_t i = 0; i < allPasses.size(); ++i) {
        allPasses[i].assign(AllPassDelays[i], 0.0f);
    }
    const float feedback = 0.7f + 0.28f * std::clamp(roomSize, 0.0f, 1.0f);
    constexpr float Damping = 0.3f;
    for (float& sample : samples) {
        const float input = sample * 0.25f;
        float sum = 0.0f;
        for (std::size_t i = 0; i < combs.size(); ++i) {
            float& slot = combs[i][combPos[i]];
            const float out = slot;
            combDamp[i] = out * (1.0f - Damping) + combDamp[i] * Damping;
            slot = input + combDamp[i] * feedback;
            combPos[i] = (combPos[i] + 1) % combs[i].size();
            sum += out;
        }
        for (std::size_t i = 0; i < allPasses.size(); ++i) {
            float& slot = allPasses[i][allPassPos[i]];
            const float delayed = slot;
            const float out = -sum + delayed;
            slot = sum + delayed * 0.5f;
            allPassPos[i] = (allPassPos[i] + 1) % allPasses[i].size();
            sum = out;
        }
        sample += sum * wet;
    }
}

void FoldTail(std::vector<float>& samples, std::size_t loopLength)
{
    for (std::size_t i = loopLength; i < samples.size(); ++i) {
        samples[(i - loopLength) % loopLength] += samples[i];
    }
    samples.resize(loopLength, 0.0f);
}
