// The voices of our music: each renders one note (or one drum hit) into its
// own buffer, release and ring included, for the score to mix.
#pragma once

#include <cstdint>
#include <vector>

enum class Instrument { Brass, ChipLead, Flute, Harpsichord, Organ, Strings, Bass, Bell, Pluck };
enum class Drum { Kick, Snare, ClosedHat, OpenHat, Crash, Tom, Timpani };

// `hold` is how long the key is held, in seconds; the buffer runs past it
// for the release. `seed` varies the noise of breathy or plucked voices.
std::vector<float> RenderNote(Instrument instrument, float midiNote, float hold, float velocity, std::uint32_t seed);
std::vector<float> RenderDrum(Drum drum, float velocity, std::uint32_t seed);
