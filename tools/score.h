// A small score for our music: melodies written as note names, a chord
// progression that bass, pads and arpeggios follow, and drum patterns as
// step strings. `Render` plays it all through the instruments.
//
// Melody text: tokens separated by spaces, each a pitch such as "C5",
// "F#4" or "Bb3" (octave 4 holds middle C) or "r" for a rest, optionally
// followed by ":n" for a length of n units (default 1).
// Chord text: symbols such as "C", "Am", "G7", "Dm7", "Bb", "F#dim",
// "Gsus4", each optionally ":n" beats long (default one bar).
// Drum steps: one character per step spread evenly over a bar: 'X' accent,
// 'x' normal, 'o' soft, anything else silent.
#pragma once

#include "tools/instruments.h"

#include <string_view>
#include <vector>

enum class BassStyle { Roots, Octaves, RootFifth, Held };

class Score {
public:
    Score(double bpm, int beatsPerBar, int bars);

    double SecondsPerBeat() const { return 60.0 / bpm; }
    int Bars() const { return bars; }
    double Seconds() const { return bars * beatsPerBar * SecondsPerBeat(); }

    void Melody(Instrument instrument, float gain, int startBar, std::string_view text, double unitBeats,
                int transpose = 0);
    void Chords(std::string_view text);
    void Pad(Instrument instrument, float gain, int octave, int fromBar, int toBar);
    void Bass(BassStyle style, float gain, int octave, int fromBar, int toBar, double stepBeats);
    void Arpeggio(Instrument instrument, float gain, int octave, int fromBar, int toBar, double stepBeats);
    void Drums(Drum drum, float gain, std::string_view steps, int fromBar, int toBar);

    // The mixed piece, exactly Seconds() long, with anything ringing past
    // the end folded back onto the start so it loops.
    std::vector<float> Render(float reverbWet, float roomSize) const;

private:
    struct Note {
        Instrument instrument = Instrument::Bass;
        double beat = 0.0;
        double beats = 0.0;
        float pitch = 0.0f;
        float gain = 0.0f;
    };
    struct Hit {
        Drum drum = Drum::Kick;
        double beat = 0.0;
        float gain = 0.0f;
    };
    struct Chord {
        double beat = 0.0;
        double beats = 0.0;
        int root = 0; // semitone above C, 0 to 11
        std::vector<int> tones; // semitones above the root
    };

    const Chord* ChordAt(double beat) const;

    double bpm = 120.0;
    int beatsPerBar = 4;
    int bars = 1;
    std::vector<Note> notes;
    std::vector<Hit> hits;
    std::vector<Chord> chords;
};

// "C#5" -> 73; returns -1 for text that is not a pitch.
int ParsePitch(std::string_view text);
