#include "tools/effects.h"

#include "tools/instruments.h"
#include "tools/synth.h"

#include <cmath>

namespace {

std::vector<float> Silence(float seconds)
{
    return std::vector<float>(static_cast<std::size_t>(SecondsToSamples(seconds)), 0.0f);
}

float TimeOf(std::size_t i)
{
    return static_cast<float>(i) * SampleTime;
}

// Rises over `attack` seconds, falls to nothing at `length`.
float Swell(float t, float attack, float length)
{
    if (t < attack) {
        return t / attack;
    }
    const float left = 1.0f - (t - attack) / (length - attack);
    return left > 0.0f ? left * left : 0.0f;
}

// Noise through a band pass whose centre glides from `fromHz` to `toHz`
// (exponentially) over `length` seconds: the whoosh of a blade.
void AddSwoosh(std::vector<float>& out, float start, float length, float fromHz, float toHz, float resonance,
               float gain, std::uint32_t seed)
{
    Noise noise(seed);
    Filter filter;
    const std::size_t first = static_cast<std::size_t>(SecondsToSamples(start));
    const std::size_t count = static_cast<std::size_t>(SecondsToSamples(length));
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
        const float t = TimeOf(i);
        const float hz = fromHz * std::pow(toHz / fromHz, t / length);
        out[first + i] += filter.Process(noise.Next(), hz, resonance).band * Swell(t, length * 0.3f, length) * gain;
    }
}

// Inharmonic partials that ring like struck steel.
void AddRing(std::vector<float>& out, float start, float baseHz, float decay, float gain)
{
    constexpr float Ratios[4] = {1.0f, 1.47f, 2.09f, 2.76f};
    constexpr float Levels[4] = {1.0f, 0.6f, 0.4f, 0.25f};
    const std::size_t first = static_cast<std::size_t>(SecondsToSamples(start));
    for (std::size_t i = first; i < out.size(); ++i) {
        const float t = TimeOf(i - first);
        float ring = 0.0f;
        for (int p = 0; p < 4; ++p) {
            ring += Levels[p] * std::sin(TwoPi * baseHz * Ratios[p] * t) * Decay(t, decay / (1.0f + 0.5f * p));
        }
        out[i] += ring * gain * std::min(1.0f, t / 0.002f);
    }
}

void AddThud(std::vector<float>& out, float start, float fromHz, float toHz, float decay, float gain)
{
    const std::size_t first = static_cast<std::size_t>(SecondsToSamples(start));
    float phase = 0.0f;
    for (std::size_t i = first; i < out.size(); ++i) {
        const float t = TimeOf(i - first);
        const float hz = toHz + (fromHz - toHz) * Decay(t, 0.03f);
        phase += hz * SampleTime;
        out[i] += std::sin(TwoPi * phase) * Decay(t, decay) * gain;
    }
}

void AddClick(std::vector<float>& out, float start, float gain, std::uint32_t seed)
{
    Noise noise(seed);
    Filter filter;
    const std::size_t first = static_cast<std::size_t>(SecondsToSamples(start));
    const std::size_t count = static_cast<std::size_t>(SecondsToSamples(0.02f));
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
        out[first + i] += filter.Process(noise.Next(), 3500.0f, 0.2f).high * Decay(TimeOf(i), 0.0035f) * gain;
    }
}

// A tone whose pitch glides exponentially from `fromHz` to `toHz`.
void AddGlide(std::vector<float>& out, Wave wave, float start, float length, float fromHz, float toHz, float gain,
              float vibratoHz, float vibratoDepth)
{
    Oscillator osc(wave);
    Smoother smooth;
    const std::size_t first = static_cast<std::size_t>(SecondsToSamples(start));
    const std::size_t count = static_cast<std::size_t>(SecondsToSamples(length));
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
        const float t = TimeOf(i);
        const float wobble = 1.0f + vibratoDepth * std::sin(TwoPi * vibratoHz * t);
        const float hz = fromHz * std::pow(toHz / fromHz, t / length) * wobble;
        const float level = std::min(1.0f, t / 0.004f) * (1.0f - t / length);
        out[first + i] += smooth.LowPass(osc.Next(hz), 7000.0f) * level * gain;
    }
}

void AddNote(std::vector<float>& out, Instrument instrument, float start, float midiNote, float hold, float gain)
{
    MixInto(out, RenderNote(instrument, midiNote, hold, 1.0f, 7u), static_cast<std::size_t>(SecondsToSamples(start)),
            gain);
}

void Trim(std::vector<float>& out, float seconds)
{
    out.resize(static_cast<std::size_t>(SecondsToSamples(seconds)), 0.0f);
    // A short fade so nothing is cut mid-wave.
    const std::size_t fade = static_cast<std::size_t>(SecondsToSamples(0.01f));
    for (std::size_t i = 0; i < fade && i < out.size(); ++i) {
        out[out.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(fade);
    }
}

} // namespace

std::vector<float> ConfirmChime()
{
    std::vector<float> out = Silence(0.9f);
    AddNote(out, Instrument::Bell, 0.0f, 88.0f, 0.1f, 0.8f);   // E6
    AddNote(out, Instrument::Bell, 0.09f, 95.0f, 0.3f, 1.0f);  // B6
    AddNote(out, Instrument::Bell, 0.09f, 83.0f, 0.3f, 0.35f); // B5 beneath for body
    Trim(out, 0.9f);
    return out;
}

std::vector<float> SlashRising()
{
    std::vector<float> out = Silence(0.3f);
    AddSwoosh(out, 0.0f, 0.24f, 700.0f, 5200.0f, 0.85f, 1.0f, 101);
    Trim(out, 0.3f);
    return out;
}

std::vector<float> SlashFalling()
{
    std::vector<float> out = Silence(0.34f);
    AddSwoosh(out, 0.0f, 0.3f, 6000.0f, 900.0f, 0.8f, 1.0f, 202);
    AddSwoosh(out, 0.02f, 0.25f, 3000.0f, 600.0f, 0.3f, 0.4f, 203);
    Trim(out, 0.34f);
    return out;
}

std::vector<float> SlashFinisher()
{
    std::vector<float> out = Silence(1.0f);
    AddSwoosh(out, 0.0f, 0.42f, 500.0f, 7000.0f, 0.6f, 1.0f, 303);
    AddSwoosh(out, 0.1f, 0.35f, 2000.0f, 900.0f, 0.4f, 0.5f, 304);
    AddRing(out, 0.3f, 1850.0f, 0.35f, 0.25f);
    Trim(out, 1.0f);
    return out;
}

std::vector<float> PoisonMagic()
{
    std::vector<float> out = Silence(1.25f);
    // A falling diminished arpeggio in quick flute notes, doubled by bells.
    constexpr float Notes[8] = {84.0f, 81.0f, 78.0f, 75.0f, 72.0f, 75.0f, 78.0f, 81.0f};
    for (int i = 0; i < 8; ++i) {
        const float start = 0.07f * static_cast<float>(i);
        AddNote(out, Instrument::Flute, start, Notes[i], 0.09f, 0.5f);
        AddNote(out, Instrument::Bell, start, Notes[i] + 12.0f, 0.05f, 0.18f);
    }
    // Bubbles: short rising blips.
    for (int i = 0; i < 6; ++i) {
        const float start = 0.08f + 0.11f * static_cast<float>(i);
        AddGlide(out, Wave::Sine, start, 0.06f, 400.0f + 90.0f * static_cast<float>(i % 3), 1200.0f, 0.35f, 0.0f,
                 0.0f);
    }
    Trim(out, 1.25f);
    return out;
}

std::vector<float> ShotPew()
{
    std::vector<float> out = Silence(0.3f);
    AddGlide(out, Wave::Square, 0.0f, 0.22f, 1500.0f, 140.0f, 0.6f, 0.0f, 0.0f);
    AddSwoosh(out, 0.0f, 0.15f, 2500.0f, 500.0f, 0.2f, 0.6f, 606);
    Trim(out, 0.3f);
    return out;
}

std::vector<float> HitThud()
{
    std::vector<float> out = Silence(0.35f);
    AddThud(out, 0.0f, 160.0f, 50.0f, 0.09f, 1.0f);
    AddClick(out, 0.0f, 0.9f, 707);
    AddSwoosh(out, 0.0f, 0.08f, 1200.0f, 400.0f, 0.2f, 0.5f, 708);
    Trim(out, 0.35f);
    return out;
}

std::vector<float> BeamCharge()
{
    std::vector<float> out = Silence(0.8f);
    AddGlide(out, Wave::Saw, 0.0f, 0.75f, 2200.0f, 220.0f, 0.45f, 38.0f, 0.06f);
    AddGlide(out, Wave::Sine, 0.0f, 0.75f, 1100.0f, 110.0f, 0.35f, 0.0f, 0.0f);
    AddSwoosh(out, 0.1f, 0.6f, 4000.0f, 800.0f, 0.5f, 0.35f, 808);
    Trim(out, 0.8f);
    return out;
}

std::vector<float> HeavySlash()
{
    std::vector<float> out = Silence(0.55f);
    AddSwoosh(out, 0.0f, 0.25f, 900.0f, 4500.0f, 0.5f, 0.9f, 909);
    AddThud(out, 0.16f, 140.0f, 45.0f, 0.12f, 0.9f);
    AddClick(out, 0.16f, 0.7f, 910);
    Trim(out, 0.55f);
    return out;
}

std::vector<float> QuickThrust()
{
    std::vector<float> out = Silence(0.22f);
    AddSwoosh(out, 0.0f, 0.16f, 2500.0f, 8000.0f, 0.7f, 1.0f, 1010);
    AddRing(out, 0.12f, 2600.0f, 0.05f, 0.12f);
    Trim(out, 0.22f);
    return out;
}

std::vector<float> Ricochet()
{
    std::vector<float> out = Silence(0.65f);
    AddGlide(out, Wave::Sine, 0.0f, 0.6f, 3200.0f, 1300.0f, 0.7f, 28.0f, 0.03f);
    AddGlide(out, Wave::Triangle, 0.0f, 0.6f, 1600.0f, 650.0f, 0.25f, 28.0f, 0.03f);
    AddClick(out, 0.0f, 0.6f, 1111);
    Trim(out, 0.65f);
    return out;
}

std::vector<float> AttackSurge()
{
    std::vector<float> out = Silence(0.5f);
    AddGlide(out, Wave::Saw, 0.0f, 0.45f, 260.0f, 1040.0f, 0.4f, 18.0f, 0.04f);
    AddSwoosh(out, 0.0f, 0.45f, 600.0f, 6000.0f, 0.5f, 0.7f, 1212);
    Trim(out, 0.5f);
    return out;
}

std::vector<float> LockOnBlip()
{
    std::vector<float> out = Silence(0.3f);
    AddGlide(out, Wave::Pulse25, 0.0f, 0.06f, 1320.0f, 1320.0f, 0.5f, 0.0f, 0.0f);
    AddGlide(out, Wave::Pulse25, 0.08f, 0.12f, 1760.0f, 1760.0f, 0.5f, 0.0f, 0.0f);
    AddGlide(out, Wave::Sine, 0.08f, 0.2f, 3520.0f, 3520.0f, 0.15f, 0.0f, 0.0f);
    Trim(out, 0.3f);
    return out;
}
