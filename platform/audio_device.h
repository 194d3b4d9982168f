// The audio device and the six things the game does with a sound: load a WAV,
// free it, play it once on a channel, ask whether a channel is still playing,
// stop a channel, and find out how often a channel was started.
//
// Every call is safe without an open device: loads then fail (null) and the
// rest does nothing, so a machine without a sound card runs on silently.
#pragma once

#include <cstdint>
#include <string>

struct Mix_Chunk;
using AudioClip = Mix_Chunk;

// One mixer channel per sound slot.
inline constexpr int AudioChannelCount = 32;

// Choose SDL's "dummy" driver for the next OpenAudioDevice: sound is mixed at
// the real rate but goes nowhere. Tests and the --silent option use it so they
// never need a sound card.
void SetSilentAudio(bool silent);

// Tests: channels on which time stands still. A sound started while held
// plays until StopChannel, FreeClip or closing the device ends it, never by
// itself, so a test decides exactly when a sound is over. Clips still load
// through the open device; the held channels never reach the mixer.
void SetHeldAudio(bool held);

// Opens the device with AudioChannelCount channels. Returns false when no
// device could be opened; the game then runs without sound. Opening twice is
// harmless.
bool OpenAudioDevice();

// Stops everything and closes the device. Free every clip first.
void CloseAudioDevice();

bool AudioDeviceIsOpen();

// Loads a WAV file, converted to the device's format. Null when the file is
// missing or unreadable, or when no device is open.
AudioClip* LoadClip(const std::string& path);

// Stops any channel playing the clip, then frees it. Null is allowed.
void FreeClip(AudioClip* clip);

// Plays the clip once from its start on the channel, without blocking.
// Out-of-range channels and null clips are ignored.
void PlayClip(int channel, AudioClip* clip);

bool ChannelIsPlaying(int channel);
void StopChannel(int channel);

// How many channels are playing right now.
int PlayingChannelCount();

// Number of times a play actually started on the channel since the device was
// opened; lets callers tell "still playing" from "restarted".
uint32_t ChannelStartCount(int channel);
