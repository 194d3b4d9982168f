#include "platform/audio_device.h"

#include <SDL.h>        // Required for: SDL_InitSubSystem, audio driver hint
#include <SDL_mixer.h>  // Required for: Mix_OpenAudio, chunks and channels

#include <array>

namespace {

// Every sound we ship is mono, 16-bit, 44.1 kHz: with the mixer in that
// format too, loading a sound is a plain read, where a stereo mixer would
// convert every sample first (the title music alone cost a start-up tens of
// milliseconds). A device that cannot play mono gets stereo from SDL as before.
constexpr int MixRate = 44100;
constexpr int MixOutputChannels = 1;
// About 23 ms per buffer at 44.1 kHz: well under one 33 ms frame, so the end
// of a sound is noticed within a frame.
constexpr int MixBufferFrames = 1024;

bool silentAudio = false;
bool heldAudio = false;
bool deviceOpen = false;
std::array<uint32_t, AudioChannelCount> startCounts = {};
// What each held channel plays; null when it is quiet.
std::array<AudioClip*, AudioChannelCount> heldClips = {};

bool ValidChannel(int channel)
{
    return channel >= 0 && channel < AudioChannelCount;
}

}  // namespace

void SetSilentAudio(bool silent)
{
    silentAudio = silent;
}

void SetHeldAudio(bool held)
{
    heldAudio = held;
    heldClips = {};
}

bool OpenAudioDevice()
{
    if (deviceOpen) {
        return true;
    }
    if (silentAudio) {
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    } else {
        // Back to whatever SDL_AUDIODRIVER (or SDL's own choice) says.
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    }
    // SDL would turn SIGINT and SIGTERM into quit events that nothing here
    // reads, so Ctrl+C in a terminal or a session's logout would be ignored.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return false;
    }
    if (Mix_OpenAudio(MixRate, MIX_DEFAULT_FORMAT, MixOutputChannels, MixBufferFrames) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(AudioChannelCount);
    startCounts = {};
    deviceOpen = true;
    return true;
}

void CloseAudioDevice()
{
    if (!deviceOpen) {
        return;
    }
    Mix_HaltChannel(-1);
    heldClips = {};
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    deviceOpen = false;
}

bool AudioDeviceIsOpen()
{
    return deviceOpen;
}

AudioClip* LoadClip(const std::string& path)
{
    if (!deviceOpen) {
        return nullptr;
    }
    return Mix_LoadWAV(path.c_str());
}

void FreeClip(AudioClip* clip)
{
    if (clip == nullptr) {
        return;
    }
    for (AudioClip*& held : heldClips) {
        if (held == clip) {
            held = nullptr;
        }
    }
    // The mixer halts every channel still playing the chunk before freeing it.
    Mix_FreeChunk(clip);
}

void PlayClip(int channel, AudioClip* clip)
{
    if (!deviceOpen || !ValidChannel(channel) || clip == nullptr) {
        return;
    }
    if (heldAudio) {
        heldClips[channel] = clip;
        startCounts[channel] += 1;
    } else if (Mix_PlayChannel(channel, clip, 0) == channel) {
        startCounts[channel] += 1;
    }
}

bool ChannelIsPlaying(int channel)
{
    if (!deviceOpen || !ValidChannel(channel)) {
        return false;
    }
    return heldAudio ? heldClips[channel] != nullptr : Mix_Playing(channel) != 0;
}

void StopChannel(int channel)
{
    if (deviceOpen && ValidChannel(channel)) {
        heldClips[channel] = nullptr;
        Mix_HaltChannel(channel);
    }
}

int PlayingChannelCount()
{
    if (!deviceOpen) {
        return 0;
    }
    if (!heldAudio) {
        return Mix_Playing(-1);
    }
    int playing = 0;
    for (const AudioClip* held : heldClips) {
        playing += held != nullptr ? 1 : 0;
    }
    return playing;
}

uint32_t ChannelStartCount(int channel)
{
    return ValidChannel(channel) ? startCounts[channel] : 0;
}
