#include "tools/music.h"

#include "tools/score.h"

// Melodies are written in eighth notes (unit 0.5 beats) unless noted.
constexpr double Eighth = 0.5;

std::vector<float> TitleTheme()
{
    Score score(120.0, 4, 16);
    score.Chords("C G Am F C G F:2 G:2 C "
                 "F G Em Am F G Dm7:2 G:2 C");
    score.Melody(Instrument::Brass, 0.55f, 0,
                 "G4:2 C5:2 E5:3 D5 | D5:4 B4:2 G4:2 | A4:2 C5:2 E5:2 A5:2 | G5:3 F5 E5:2 C5:2 | "
                 "E5:2 G5:2 C6:3 B5 | A5:2 G5:2 D5:4 | C5:2 D5:2 E5:2 F5 D5 | C5:6 r:2 | "
                 "A5:3 G5 F5:2 A5:2 | G5:3 F5 D5:2 B4:2 | E5:2 G5:2 B5:3 A5 | A5:4 E5:2 C5:2 | "
                 "F5:2 A5:2 C6:3 A5 | B5:2 A5:2 G5:2 D5:2 | F5:2 E5:2 D5:2 B4:2 | C5:4 G4:2 E4:2",
                 Eighth);
    // The second half doubles the tune an octave up on bells for lift.
    score.Melody(Instrument::Bell, 0.12f, 8,
                 "A5:3 G5 F5:2 A5:2 | G5:3 F5 D5:2 B4:2 | E5:2 G5:2 B5:3 A5 | A5:4 E5:2 C5:2 | "
                 "F5:2 A5:2 C6:3 A5 | B5:2 A5:2 G5:2 D5:2 | F5:2 E5:2 D5:2 B4:2 | C5:4 G4:2 E4:2",
                 Eighth, 12);
    score.Pad(Instrument::Strings, 0.16f, 4, 0, 16);
    score.Arpeggio(Instrument::Pluck, 0.12f, 4, 0, 16, 0.25);
    score.Bass(BassStyle::Octaves, 0.5f, 2, 0, 16, 0.5);
    score.Drums(Drum::Kick, 0.8f, "X...x...X...x...", 0, 16);
    score.Drums(Drum::Snare, 0.45f, "....X.......X...", 0, 16);
    score.Drums(Drum::ClosedHat, 0.35f, "x.o.x.o.x.o.x.o.", 0, 16);
    score.Drums(Drum::Snare, 0.3f, "............x.xx", 7, 8);
    score.Drums(Drum::Snare, 0.3f, "........x.x.xxxx", 15, 16);
    score.Drums(Drum::Crash, 0.5f, "X", 0, 1);
    score.Drums(Drum::Crash, 0.5f, "X", 8, 9);
    return score.Render(0.18f, 0.5f);
}

std::vector<float> CastleTheme()
{
    // Three beats to the bar, six eighths.
    Score score(100.0, 3, 16);
    score.Chords("G D Em C G Am:1.5 D:1.5 G D "
                 "C G Am D Em C Am:1.5 D:1.5 G");
    score.Melody(Instrument::Harpsichord, 0.6f, 0,
                 "B4:2 D5:2 G5:2 | F#5:3 E5 D5:2 | E5:2 G5:2 B5:2 | A5:4 G5:2 | "
                 "B5:2 A5 G5 D5:2 | C5:2 E5 D5 F#5:2 | G5:4 D5:2 | A4:2 D5:2 F#5:2 | "
                 "E5:2 G5:2 C6:2 | B5:3 A5 G5:2 | C6:2 B5 A5 E5:2 | F#5:4 D5:2 | "
                 "G5:2 B5:2 E5:2 | E5:3 F#5 G5:2 | A5:2 C6 B5 A5:2 | G5:4 D5:2",
                 Eighth);
    score.Melody(Instrument::Flute, 0.18f, 8,
                 "E5:2 G5:2 C6:2 | B5:3 A5 G5:2 | C6:2 B5 A5 E5:2 | F#5:4 D5:2 | "
                 "G5:2 B5:2 E5:2 | E5:3 F#5 G5:2 | A5:2 C6 B5 A5:2 | G5:4 D5:2",
                 Eighth, -12);
    score.Pad(Instrument::Organ, 0.1f, 4, 0, 16);
    score.Bass(BassStyle::RootFifth, 0.5f, 2, 0, 16, 1.0);
    score.Drums(Drum::Timpani, 0.55f, "X..", 0, 16);
    score.Drums(Drum::ClosedHat, 0.25f, "..x.x.", 0, 16);
    score.Drums(Drum::Snare, 0.22f, "..o.o.", 8, 16);
    score.Drums(Drum::Snare, 0.3f, "...xxx", 15, 16);
    return score.Render(0.3f, 0.75f);
}

std::vector<float> FieldTheme()
{
    Score score(140.0, 4, 20);
    score.Chords("Am F G E "
                 "Am F G Am Am F G:2 E:2 Am "
                 "F G Em Am Dm G E E");
    score.Melody(Instrument::ChipLead, 0.5f, 4,
                 "E5:3 A4 C5 E5 A5:2 | G5 F5 E5:2 C5:2 A4:2 | B4:3 G4 B4 D5 G5:2 | F5 E5 D5:2 B4:2 E5:2 | "
                 "E5:3 A4 C5 E5 A5:2 | C6:2 B5 A5 G5:2 F5:2 | G5:2 F5 E5 D5:2 G#5:2 | A5:6 r:2 | "
                 "A5:3 G5 F5:2 C5:2 | B5:3 A5 G5:2 D5:2 | G5:2 E5:2 B4:2 E5:2 | C5 D5 E5:2 A5:4 | "
                 "F5:3 E5 D5:2 A5:2 | B5:2 C6 B5 A5:2 G5:2 | G#5:3 A5 B5:2 E5:2 | G#5:2 B5:2 E6:4",
                 Eighth);
    score.Melody(Instrument::Brass, 0.25f, 12,
                 "A5:3 G5 F5:2 C5:2 | B5:3 A5 G5:2 D5:2 | G5:2 E5:2 B4:2 E5:2 | C5 D5 E5:2 A5:4 | "
                 "F5:3 E5 D5:2 A5:2 | B5:2 C6 B5 A5:2 G5:2 | G#5:3 A5 B5:2 E5:2 | G#5:2 B5:2 E6:4",
                 Eighth, -12);
    score.Arpeggio(Instrument::Pluck, 0.16f, 4, 0, 20, 0.25);
    score.Pad(Instrument::Strings, 0.1f, 4, 4, 20);
    score.Bass(BassStyle::Octaves, 0.55f, 2, 0, 20, 0.5);
    score.Drums(Drum::Kick, 0.85f, "X.....x.X.x.....", 0, 20);
    score.Drums(Drum::Snare, 0.5f, "....X.......X...", 2, 20);
    score.Drums(Drum::ClosedHat, 0.35f, "xoxoxoxoxoxoxoxo", 0, 20);
    score.Drums(Drum::OpenHat, 0.25f, "..............x.", 4, 20);
    score.Drums(Drum::Tom, 0.5f, "........x.x.xxxx", 3, 4);
    score.Drums(Drum::Tom, 0.5f, "........x.x.xxxx", 19, 20);
    score.Drums(Drum::Crash, 0.5f, "X", 4, 5);
    score.Drums(Drum::Crash, 0.5f, "X", 12, 13);
    return score.Render(0.15f, 0.45f);
}

std::vector<float> VictoryFanfare()
{
    Score score(116.0, 4, 12);
    score.Chords("C C F G Am Em F:2 G:2 C F C Dm:2 G:2 C");
    // The opening call uses triplet eighths (a third of a beat).
    score.Melody(Instrument::Brass, 0.6f, 0, "G4 G4 G4 C5:9", 1.0 / 3.0);
    score.Melody(Instrument::Brass, 0.6f, 1,
                 "r E5 D5 E5 G5:4 | A5:2 G5 F5 A5:4 | G5:6 r:2 | "
                 "E5 E5 E5 A5:5 | G5:2 F5 E5 B4:4 | A5:2 C6:2 B5:2 G5:2 | C6:6 r:2 | "
                 "A5:2 C6:2 A5:2 F5:2 | G5:2 E5:2 C5:2 E5:2 | F5:2 D5:2 G5:2 B5:2 | C6:4 G5:2 E5 D5",
                 Eighth);
    score.Melody(Instrument::Bell, 0.15f, 7, "C6:6 r:2 | A5:2 C6:2 A5:2 F5:2 | G5:2 E5:2 C5:2 E5:2", Eighth);
    score.Pad(Instrument::Strings, 0.16f, 4, 0, 12);
    score.Bass(BassStyle::RootFifth, 0.5f, 2, 0, 12, 1.0);
    score.Drums(Drum::Timpani, 0.6f, "X.......x.x.X...", 0, 12);
    score.Drums(Drum::Snare, 0.35f, "x.oox.oox.oox.oo", 0, 12);
    score.Drums(Drum::Crash, 0.55f, "X", 0, 1);
    score.Drums(Drum::Crash, 0.5f, "X", 7, 8);
    return score.Render(0.22f, 0.6f);
}

std::vector<float> LamentTheme()
{
    Score score(66.0, 4, 8);
    score.Chords("Dm Bb Gm A Dm Gm Bb:2 A:2 Dm");
    score.Melody(Instrument::Flute, 0.5f, 0,
                 "D5:3 E5 F5:4 | D5:4 Bb4:4 | G4:3 A4 Bb4:2 D5:2 | C#5:6 A4:2 | "
                 "F5:3 E5 D5:4 | Bb4:2 D5:2 G5:4 | F5:2 D5:2 E5:2 C#5:2 | D5:8",
                 Eighth);
    score.Pad(Instrument::Strings, 0.22f, 3, 0, 8);
    score.Bass(BassStyle::Held, 0.5f, 2, 0, 8, 1.0);
    // A slow heartbeat.
    score.Drums(Drum::Kick, 0.6f, "X.x.............", 0, 8);
    score.Drums(Drum::Tom, 0.25f, "........o.......", 0, 8);
    score.Drums(Drum::ClosedHat, 0.15f, "....o.......o...", 0, 8);
    return score.Render(0.35f, 0.85f);
}
