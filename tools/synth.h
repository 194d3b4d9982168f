// The synthesizer's building blocks: band-limited oscillators, envelopes,
// noise, filters and a small reverb. Everything works on float samples at
// SampleRate and is deterministic (our own noise source, no global state).
#pragma once

#include "tools/wav_writer.h"

#include <cstdint>
#include <vector>

constexpr float TwoPi = 6.28318530718f;
constexpr float SampleTime = 1.0f / static_cast<float>(SampleRate);

float NoteToHz(float midiNote);
int SecondsToSamples(double seconds);

enum class Wave { Sine, Triangle, Saw, Square, Pulse25 };

// A phase-accumulating oscillator; saw and square edges are smoothed
// (polyBLEP) so high notes do not alias into grit.
class Oscillator {
public:
    explicit Oscillator(Wave wave, float startPhase = 0.0f) : wave(wave), phase(startPhase) {}
    float Next(float hz);

private:
    Wave wave = Wave::Sine;
    float phase = 0.0f;
    float triangleState = 0.0f;
};

// White noise in [-1, 1] from a xorshift generator.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state(seed != 0 ? seed : 1u) {}
    float Next();

private:
    std::uint32_t state = 1;
};

// Attack, decay to a sustain level, release after `hold` seconds.
struct Envelope {
    float attack = 0.01f;
    float decay = 0.1f;
    float sustain = 0.7f;
    float release = 0.1f;
    float At(float t, float hold) const;
    float Length(float hold) const { return hold + release; }
};

// Exponential decay from 1 with the given time constant in seconds.
float Decay(float t, float timeConstant);

// A state-variable filter (Chamberlin form, two passes per sample for
// stability at high cutoffs); one call gives low, band and high pass.
class Filter {
public:
    struct Output {
        float low = 0.0f;
        float band = 0.0f;
        float high = 0.0f;
    };
    Output Process(float input, float cutoffHz, float resonance);

private:
    float low = 0.0f;
    float band = 0.0f;
};

// A one-pole low pass, cheap enough for every voice.
class Smoother {
public:
    float LowPass(float input, float cutoffHz);

private:
    float state = 0.0f;
};

// Adds `source` into `mix` from sample `offset`, growing `mix` as needed.
void MixInto(std::vector<float>& mix, const std::vector<float>& source, std::size_t offset, float gain);

// A plain reverb: four feedback combs into two all-passes, mixed back in.
void AddReverb(std::vector<float>& samples, float wet, float roomSize);

// Folds everything after `loopLength` samples back onto the start, so a
// piece that rings over its end loops without a cut.
void FoldTail(std::vector<float>& samples, std::size_t loopLength);
