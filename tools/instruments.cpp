#include "tools/instruments.h"

#include "tools/synth.h"

#include <algorithm>
#include <cmath>

namespace {

// A slow vibrato that fades in after the attack, as players do.
float VibratoSemitones(float t, float depth)
{
    const float fadeIn = std::clamp((t - 0.18f) / 0.25f, 0.0f, 1.0f);
    return depth * fadeIn * std::sin(TwoPi * 5.2f * t);
}

std::vector<float> Brass(float note, float hold, float velocity)
{
    const Envelope amp{0.035f, 0.2f, 0.78f, 0.12f};
    const std::size_t length = static_cast<std::size_t>(SecondsToSamples(amp.Length(hold)));
    std::vector<float> out(length, 0.0f);
    Oscillator a(Wave::Saw, 0.0f);
    Oscillator b(Wave::Saw, 0.37f);
    Filter filter;
    for (std::size_t i = 0; i < length; ++i) {
        const float t = static_cast<float>(i) * SampleTime;
        const float hz = NoteToHz(note + VibratoSemitones(t, 0.12f));
        // The filter opens with the breath and settles: the brassy "blat".
        const float open = 1.0f - 0.55f * std::clamp((t - 0.04f) / 0.3f, 0.0f, 1.0f);
        const float cutoff = 400.0f + (1800.0f + hz * 2.0f) * std::min(1.0f, t / 0.04f) * open * velocity;
        const float raw = 0.5f * (a.Next(hz * 1.0025f) + b.Next(hz * 0.9975f));
        out[i] = filter.Process(raw, cutoff, 0.2f).low * amp.At(t, hold) * velocity;
    }
    return out;
}

std::vector<float> ChipLead(float note, float hold, float velocity)
{
    const Envelope amp{0.005f, 0.12f, 0.65f, 0.09f};
    const std::size_t length = static_cast<std::size_t>(SecondsToSamples(amp.Length(hold)));
    std::vector<float> out(length, 0.0f);
    Oscillator pulse(Wave::Pulse25);
    Oscillator square(Wave::Square, 0.5f);
    Smoother tone;
    for (std::size_t i = 0; i < length; ++i) {
        const float t = static_cast<float>(i) * SampleTime;
        const float hz = NoteToHz(note + VibratoSemitones(t, 0.18f));
        const float raw = 0.7f * pulse.Next(hz) + 0.3f * square.Next(hz * 2.0f);
        out[i] = tone.LowPass(raw, 5000.0f) * amp.At(t, hold) * velocity * 0.6f;
    }
    return out;
}

std::vector<float> Flute(float note, float hold, float velocity, std::uint32_t seed)
{
    const Envelope amp{0.09f, 0.1f, 0.85f, 0.25f};
    const std::size_t length = static_cast<std::size_t>(SecondsToSamples(amp.Length(hold)));
    std::vector<float> out(length, 0.0f);
    Oscillator body(Wave::Sine);
    Oscillator overtone(Wave::Sine, 0.25f);
    Noise breath(seed);
    Filter breathFilter;
    for (std::size_t i = 0; i < length; ++i) {
        const float t = static_cast<float>(i) * SampleTime;
        const float hz = NoteToHz(note + VibratoSemitones(t, 0.15f));
        const float air = breathFilter.Process(breath.Next(), hz * 2.0f, 0.6f).band;
        const float raw = body.Next(hz) + 0.18f * overtone.Next(hz * 2.0f) + 0.12f * air;
        out[i] = raw * amp.At(t, hold) * velocity;
    }
    return out;
}

// Plucked strings built from decaying harmonics: upper ones die first.
std::vector<float> Plucked(float note, float hold, float velocity, int harmonics, float ring, float brightness)
{
    const float sound = std::max(hold, 0.2f) + ring;
    const std::size_t length = static_cast<std::size_t>(SecondsToSamples(sound));
    std::vector<float> out(length, 0.0f);
    const float hz = NoteToHz(note);
    const int count = std::min(harmonics, static_cast<int>(0.45f * SampleRate / hz));
    for (int h = 1; h <= count; ++h) {
        const float amplitude = std::pow(static_cast<float>(h), -brightness);
        const float decayTime = ring / (0.6f + 0.4f * static_cast<float>(h));
        const float step = TwoPi * hz * static_cast<float>(h) * SampleTime;
        // A recurrence keeps the sine exact without a sin() per sample.
        const float c = 2.0f * std::cos(step);
        float s1 = 0.0f;
        float s2 = -std::sin(step);
        const float fall = std::exp(-SampleTime / decayTime);
        float level = amplitude;
        for (std::size_t i = 0; i < length; ++i) {
            const float s = c * s1 - s2;
            s2 = s1;
            s1 = s;
            out[i] += s * level;
            level *= fall;
        }
    }
    // Damp the string after the key is let go.
    const std::size_t release = static_cast<std::size_t>(SecondsToSamples(hold + ring * 0.5f));
    for (std::size_t i = 0; i < length; ++i) {
        const float attack = std::min(1.0f, static_cast<float>(i) / 40.0f);
        const float damp = i < release ? 1.0f : std::exp(-static_cast<float>(i - release) * SampleTime / 0.05f);
        out[i] *= attack * damp * velocity * 0.5f;
    }
    return out;
}

std::vector<float> Organ(float note, float hold, float velocity)
{
    const Envelope amp{0.02f, 0.05f, 1.0f, 0.1f};
    const std::size_t length = static_cast<std::size_t>(SecondsToSamples(amp.Length(hold)));
    std::vector<float> out(length, 0.0f);
    constexpr float Ratios[5] = {1.0f, 2.0f, 3.0f, 4.0f, 6.0f};
    constexpr float Levels[5] = {1.0f, 0.6f, 0.3f, 0.25f, 0.12f};
    Oscillator stops[5] = {Oscillator(Wave::Sine), Oscillator(Wave::Sine, 0.1f), Oscillator(Wave::Sine, 0.2f),
                           Oscillator(Wave::Sine, 0.3f), Oscillator(Wave::Sine, 0.4f)};
    const float hz = NoteToHz(note);
    for (std::size_t i = 0; i < length; ++i) {
        const float t = static_cast<float>(i) * SampleTime;
        float raw = 0.0f;
        for (int s = 0; s < 5; ++s) {
            raw += Levels[s] * stops[s].Next(hz * Ratios[s]);
        }
        const float tremolo = 1.0f + 0.08f * std::sin(TwoPi * 6.0f * t);
        out[i] = raw * 0.4f * tremolo * amp.At(t, hold) * velocity;
    }
    return out;
}

std::vector<float> Strings(float note, float hold, float velocity)
{
    const Envelope amp{0.3f, 0.3f, 0.85f, 0.45f};
    const std::size_t length = static_cast<std::size_t>(SecondsToSamples(amp.Length(hold)));
    std::vector<float> out(length, 0.0f);
    Oscillator saws[3] = {Oscillator(Wave::Saw, 0.0f), Oscillator(Wave::Saw, 0.33f), Oscillator(Wave::Saw, 0.66f)};
    constexpr float Detune[3] = {0.996f, 1.0f, 1.004f};
    Filter filter;
    for (std::size_t i = 0; i < length; ++i) {
        const float t = static_cast<float>(i) * SampleTime;
        const float hz = NoteToHz(note + 0.05f * std::sin(TwoPi * 4.5f * t));
        float raw = 0.0f;
        for (int s = 0; s < 3; ++s) {
            raw += saws[s].Next(hz * Detune[s]);
        }
        out[i] = filter.Process(raw / 3.0f, 1400.0f + hz, 0.1f).low * amp.At(t, hold) * velocity;
    }
    return out;
}

std::vector<float> Bass(float note, float hold, float velocity)
{
    const Envelope amp{0.005f, 0.18f, 0.65f, 0.06f};
    const std::size_t length = static_cast<std::size_t>(SecondsToSamples(amp.Length(hold)));
    std::vector<float> out(length, 0.0f);
    Oscillator saw(Wave::Saw);
    Oscillator sub(Wave::Sine);
    Filter filter;
    const float hz = NoteToHz(note);
    for (std::size_t i = 0; i < length; ++i) {
        const float t = static_cast<float>(i) * SampleTime;
        const float cutoff = 250.0f + 900.0f * Decay(t, 0.08f);
        const float raw = 0.6f * saw.Next(hz) + 0.8f * sub.Next(hz);
        out[i] = filter.Process(raw, cutoff, 0.25f).low * amp.At(t, hold) * velocity;
    }
    return out;
}

// A two-operator FM bell: the modulator's depth falls faster than the tone.
std::vector<float> Bell(float note, float hold, float velocity)
{
    const float ring = std::max(hold, 0.3f) + 1.2f;
    const std::size_t length = static_cast<std::size_t>(SecondsToSamples(ring));
    std::vector<float> out(length, 0.0f);
    const float hz = NoteToHz(note);
    float carrier = 0.0f;
    float modulator = 0.0f;
    for (std::size_t i = 0; i < length; ++i) {
        const float t = static_cast<float>(i) * SampleTime;
        const float index = 0.3f + 1.4f * Decay(t, 0.12f);
        const float mod = std::sin(TwoPi * modulator) * index;
        out[i] = std::sin(TwoPi * carrier + mod) * Decay(t, 0.45f) * std::min(1.0f, t / 0.002f) * velocity * 0.6f;
        carrier += hz * SampleTime;
        modulator += hz * 3.5f * SampleTime;
        carrier -= std::floor(carrier);
        modulator -= std::floor(modulator);
    }
    return out;
}

} // namespace

std::vector<float> RenderNote(Instrument instrument, float midiNote, float hold, float velocity, std::uint32_t seed)
{
    switch (instrument) {
    case Instrument::Brass: return Brass(midiNote, hold, velocity);
    case Instrument::ChipLead: return ChipLead(midiNote, hold, velocity);
    case Instrument::Flute: return Flute(midiNote, hold, velocity, seed);
    case Instrument::Harpsichord: return Plucked(midiNote, hold, velocity, 12, 1.2f, 0.6f);
    case Instrument::Organ: return Organ(midiNote, hold, velocity);
    case Instrument::Strings: return Strings(midiNote, hold, velocity);
    case Instrument::Bass: return Bass(midiNote, hold, velocity);
    case Instrument::Bell: return Bell(midiNote, hold, velocity);
    case Instrument::Pluck: return Plucked(midiNote, hold, velocity, 6, 0.5f, 1.2f);
    }
    return {};
}

std::vector<float> RenderDrum(Drum drum, float velocity, std::uint32_t seed)
{
    Noise noise(seed);
    Filter filter;
    auto make = [](float seconds) { return std::vector<float>(static_cast<std::size_t>(SecondsToSamples(seconds)), 0.0f); };
    std::vector<float> out;
    switch (drum) {
    case Drum::Kick: {
        out = make(0.45f);
        float phase = 0.0f;
        for (std::size_t i = 0; i < out.size(); ++i) {
            const float t = static_cast<float>(i) * SampleTime;
            const float hz = 45.0f + 120.0f * Decay(t, 0.035f);
            phase += hz * SampleTime;
            const float click = noise.Next() * Decay(t, 0.003f) * 0.4f;
            out[i] = (std::sin(TwoPi * phase) * Decay(t, 0.22f) + click) * velocity;
        }
        break;
    }
    case Drum::Snare: {
        out = make(0.3f);
        for (std::size_t i = 0; i < out.size(); ++i) {
            const float t = static_cast<float>(i) * SampleTime;
            const float tone = std::sin(TwoPi * 185.0f * t) * Decay(t, 0.05f) * 0.5f;
            const float rattle = filter.Process(noise.Next(), 3000.0f, 0.1f).high * Decay(t, 0.1f) * 0.7f;
            out[i] = (tone + rattle) * velocity;
        }
        break;
    }
    case Drum::ClosedHat:
    case Drum::OpenHat: {
        const float ring = drum == Drum::ClosedHat ? 0.022f : 0.16f;
        out = make(ring * 5.0f);
        for (std::size_t i = 0; i < out.size(); ++i) {
            const float t = static_cast<float>(i) * SampleTime;
            out[i] = filter.Process(noise.Next(), 8000.0f, 0.2f).high * Decay(t, ring) * velocity * 0.35f;
        }
        break;
    }
    case Drum::Crash: {
        out = make(2.0f);
        for (std::size_t i = 0; i < out.size(); ++i) {
            const float t = static_cast<float>(i) * SampleTime;
            const Filter::Output f = filter.Process(noise.Next(), 5000.0f, 0.3f);
            out[i] = (f.high + 0.5f * f.band) * Decay(t, 0.55f) * velocity * 0.35f;
        }
        break;
    }
    case Drum::Tom:
    case Drum::Timpani: {
        const bool timpani = drum == Drum::Timpani;
        out = make(timpani ? 1.4f : 0.5f);
        float phase = 0.0f;
        float phase2 = 0.0f;
        for (std::size_t i = 0; i < out.size(); ++i) {
            const float t = static_cast<float>(i) * SampleTime;
            const float base = timpani ? 98.0f : 110.0f;
            const float hz = base * (1.0f + (timpani ? 0.08f : 0.5f) * Decay(t, 0.05f));
            phase += hz * SampleTime;
            phase2 += hz * 1.5f * SampleTime;
            const float body = std::sin(TwoPi * phase) + (timpani ? 0.35f * std::sin(TwoPi * phase2) : 0.0f);
            const float skin = filter.Process(noise.Next(), 900.0f, 0.2f).band * Decay(t, 0.02f);
            out[i] = (body * Decay(t, timpani ? 0.45f : 0.18f) + skin) * velocity * 0.8f;
        }
        break;
    }
    }
    return out;
}
