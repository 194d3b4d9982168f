// The sound table: 32 slots, each with its own mixer channel and loaded clip.
// Scenes load their files in Init, keep slot 0 (their music) going from Update,
// and objects trigger effects by slot number. Any slot index outside 0..31,
// negative ones included, is ignored everywhere.
#pragma once

#include <cstdint>

#include "platform/audio_device.h"
#include "platform/clock.h"

inline constexpr int SoundSlotCount = AudioChannelCount;

struct SoundSlot {
    AudioClip* clip = nullptr;  // owned; null means the slot holds nothing
    uint8_t perScene = 0;       // set by every load, never cleared
};

extern SoundSlot SoundTable[SoundSlotCount];

// Opens the audio device (silently failing without one) and makes every scene
// switch close the scene's sounds. Call once at start-up.
void InitSound();

// Closes every sound, then the device. Call once at exit.
void ShutdownSound();

// Closes what the slot held, marks it per-scene and opens the file. A file
// that cannot be opened leaves the slot empty.
void LoadSound(int slot, const char* fileName);

// Starts the slot's sound from its beginning unless it is still playing.
// Empty slots do nothing. Never blocks.
void PlaySound(int slot);

void StopSound(int slot);
bool SoundPlaying(int slot);

// Closes every loaded slot marked per-scene, in index order. Run at every
// scene switch, so a switch silences everything the old scene started.
void CloseSceneSounds();

// Closes every loaded slot whatever its flag.
void CloseAllSounds();

// The menu confirm: music off, confirm sound on, then hold the game still for
// ConfirmPauseMs so the sound is heard before the next screen. The hold goes
// through `sleep`, which a test may replace to see it without waiting.
inline constexpr uint32_t ConfirmPauseMs = 1500;
void PlayConfirmAndPause(void (*sleep)(uint32_t milliseconds) = SleepMs);
