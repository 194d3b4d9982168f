#include "tools/score.h"

#include "tools/synth.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::vector<std::string_view> Tokens(std::string_view text)
{
    std::vector<std::string_view> out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && text[pos] == ' ') {
            ++pos;
        }
        const std::size_t end = text.find(' ', pos);
        const std::size_t stop = end == std::string_view::npos ? text.size() : end;
        if (stop > pos) {
            out.push_back(text.substr(pos, stop - pos));
        }
        pos = stop;
    }
    return out;
}

// Splits "C5:3" into "C5" and 3; the length is `fallback` without ":".
std::string_view SplitLength(std::string_view token, double fallback, double& length)
{
    const std::size_t colon = token.find(':');
    if (colon == std::string_view::npos) {
        length = fallback;
        return token;
    }
    length = std::strtod(std::string(token.substr(colon + 1)).c_str(), nullptr);
    return token.substr(0, colon);
}

int NoteLetter(char letter)
{
    constexpr int Semitones[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (letter < 'A' || letter > 'G') {
        return -1;
    }
    return Semitones[letter - 'A'];
}

// Reads a root such as "F#" from the front of `text`, advancing `used`.
int ParseRoot(std::string_view text, std::size_t& used)
{
    if (text.empty()) {
        return -1;
    }
    int semitone = NoteLetter(text[0]);
    used = 1;
    if (semitone < 0) {
        return -1;
    }
    if (text.size() > 1 && (text[1] == '#' || text[1] == 'b')) {
        semitone += text[1] == '#' ? 1 : -1;
        used = 2;
    }
    return (semitone + 12) % 12;
}

std::uint32_t SeedOf(double beat, float pitch)
{
    return static_cast<std::uint32_t>(beat * 977.0 + pitch * 131.0) + 17u;
}

} // namespace

int ParsePitch(std::string_view text)
{
    std::size_t used = 0;
    const int root = ParseRoot(text, used);
    if (root < 0 || used >= text.size() || text[used] < '0' || text[used] > '9' || used + 1 != text.size()) {
        return -1;
    }
    // B#/Cb cross the octave line; count them by the written letter.
    const int letter = NoteLetter(text[0]);
    const int shift = used == 2 ? (text[1] == '#' ? 1 : -1) : 0;
    return (text[used] - '0' + 1) * 12 + letter + shift;
}

Score::Score(double bpm, int beatsPerBar, int bars) : bpm(bpm), beatsPerBar(beatsPerBar), bars(bars) {}

void Score::Melody(Instrument instrument, float gain, int startBar, std::string_view text, double unitBeats,
                   int transpose)
{
    double beat = static_cast<double>(startBar * beatsPerBar);
    for (const std::string_view token : Tokens(text)) {
        if (token == "|") {
            // A bar line: the notes before it must fill whole bars.
            const double inBar = std::fmod(beat, static_cast<double>(beatsPerBar));
            if (inBar > 1e-6 && inBar < beatsPerBar - 1e-6) {
                std::fprintf(stderr, "bar line %.3f beats into a bar\n", inBar);
            }
            continue;
        }
        double units = 1.0;
        const std::string_view name = SplitLength(token, 1.0, units);
        const double beats = units * unitBeats;
        if (name != "r") {
            const int pitch = ParsePitch(name);
            if (pitch < 0) {
                std::fprintf(stderr, "bad note '%.*s'\n", static_cast<int>(token.size()), token.data());
            } else {
                // Slightly detached, like a player tonguing each note.
                notes.push_back(Note{instrument, beat, beats * 0.92, static_cast<float>(pitch + transpose), gain});
            }
        }
        beat += beats;
    }
}

void Score::Chords(std::string_view text)
{
    chords.clear();
    double beat = 0.0;
    for (const std::string_view token : Tokens(text)) {
        double beats = 0.0;
        const std::string_view symbol = SplitLength(token, beatsPerBar, beats);
        std::size_t used = 0;
        const int root = ParseRoot(symbol, used);
        const std::string_view quality = symbol.substr(std::min(used, symbol.size()));
        std::vector<int> tones{0, 4, 7};
        if (quality == "m") {
            tones = {0, 3, 7};
        } else if (quality == "7") {
            tones = {0, 4, 7, 10};
        } else if (quality == "m7") {
            tones = {0, 3, 7, 10};
        } else if (quality == "maj7") {
            tones = {0, 4, 7, 11};
        } else if (quality == "dim") {
            tones = {0, 3, 6};
        } else if (quality == "sus4") {
            tones = {0, 5, 7};
        }
        if (root < 0) {
            std::fprintf(stderr, "bad chord '%.*s'\n", static_cast<int>(token.size()), token.data());
        } else {
            chords.push_back(Chord{beat, beats, root, tones});
        }
        beat += beats;
    }
}

const Score::Chord* Score::ChordAt(double beat) const
{
    for (const Chord& chord : chords) {
        if (beat >= chord.beat - 1e-9 && beat < chord.beat + chord.beats - 1e-9) {
            return &chord;
        }
    }
    return nullptr;
}

void Score::Pad(Instrument instrument, float gain, int octave, int fromBar, int toBar)
{
    for (const Chord& chord : chords) {
        if (chord.beat < fromBar * beatsPerBar || chord.beat >= toBar * beatsPerBar) {
            continue;
        }
        for (const int tone : chord.tones) {
            // Keep the voicing inside one octave above the chosen C, so the
            // pad moves by small steps from chord to chord.
            const int pitch = (octave + 1) * 12 + (chord.root + tone) % 12;
            notes.push_back(Note{instrument, chord.beat, chord.beats, static_cast<float>(pitch), gain});
        }
    }
}

void Score::Bass(BassStyle style, float gain, int octave, int fromBar, int toBar, double stepBeats)
{
    const double end = static_cast<double>(toBar * beatsPerBar);
    int step = 0;
    for (double beat = fromBar * beatsPerBar; beat < end - 1e-9; beat += stepBeats, ++step) {
        const Chord* chord = ChordAt(beat);
        if (chord == nullptr) {
            continue;
        }
        const float root = static_cast<float>((octave + 1) * 12 + chord->root);
        const bool chordStart = std::fabs(beat - chord->beat) < 1e-9;
        switch (style) {
        case BassStyle::Roots:
            notes.push_back(Note{Instrument::Bass, beat, stepBeats * 0.85, root, gain});
            break;
        case BassStyle::Octaves:
            notes.push_back(Note{Instrument::Bass, beat, stepBeats * 0.8, root + (step % 2 == 1 ? 12.0f : 0.0f), gain});
            break;
        case BassStyle::RootFifth:
            notes.push_back(Note{Instrument::Bass, beat, stepBeats * 0.9,
                                 root + (chordStart || step % 2 == 0 ? 0.0f : 7.0f), gain});
            break;
        case BassStyle::Held:
            if (chordStart) {
                notes.push_back(Note{Instrument::Bass, beat, chord->beats * 0.95, root, gain});
            }
            break;
        }
    }
}

void Score::Arpeggio(Instrument instrument, float gain, int octave, int fromBar, int toBar, double stepBeats)
{
    const double end = static_cast<double>(toBar * beatsPerBar);
    int step = 0;
    for (double beat = fromBar * beatsPerBar; beat < end - 1e-9; beat += stepBeats, ++step) {
        const Chord* chord = ChordAt(beat);
        if (chord == nullptr) {
            continue;
        }
        // Up through the chord and its octave, then back down.
        const int span = static_cast<int>(chord->tones.size()) + 1;
        const int cycle = 2 * span - 2;
        int index = step % cycle;
        if (index >= span) {
            index = cycle - index;
        }
        const int tone = index < static_cast<int>(chord->tones.size()) ? chord->tones[static_cast<std::size_t>(index)] : 12;
        const float pitch = static_cast<float>((octave + 1) * 12 + chord->root + tone);
        notes.push_back(Note{instrument, beat, stepBeats, pitch, gain * (step % 2 == 0 ? 1.0f : 0.8f)});
    }
}

void Score::Drums(Drum drum, float gain, std::string_view steps, int fromBar, int toBar)
{
    const double stepBeats = static_cast<double>(beatsPerBar) / static_cast<double>(steps.size());
    for (int bar = fromBar; bar < toBar; ++bar) {
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const char c = steps[i];
            const float level = c == 'X' ? 1.0f : c == 'x' ? 0.75f : c == 'o' ? 0.4f : 0.0f;
            if (level > 0.0f) {
                hits.push_back(Hit{drum, bar * beatsPerBar + static_cast<double>(i) * stepBeats, gain * level});
            }
        }
    }
}

std::vector<float> Score::Render(float reverbWet, float roomSize) const
{
    const double secondsPerBeat = SecondsPerBeat();
    const std::size_t loop = static_cast<std::size_t>(SecondsToSamples(Seconds()));
    // Room for the longest ring and the reverb's tail past the loop's end.
    std::vector<float> mix(loop + static_cast<std::size_t>(SecondsToSamples(4.0)), 0.0f);
    for (const Note& note : notes) {
        const std::vector<float> voice = RenderNote(note.instrument, note.pitch,
                                                    static_cast<float>(note.beats * secondsPerBeat), 1.0f,
                                                    SeedOf(note.beat, note.pitch));
        MixInto(mix, voice, static_cast<std::size_t>(SecondsToSamples(note.beat * secondsPerBeat)), note.gain);
    }
    for (std::size_t i = 0; i < hits.size(); ++i) {
        const Hit& hit = hits[i];
        const std::vector<float> sound = RenderDrum(hit.drum, 1.0f, static_cast<std::uint32_t>(i * 2654435761u + 1u));
        MixInto(mix, sound, static_cast<std::size_t>(SecondsToSamples(hit.beat * secondsPerBeat)), hit.gain);
    }
    AddReverb(mix, reverbWet, roomSize);
    FoldTail(mix, loop);
    return mix;
}
