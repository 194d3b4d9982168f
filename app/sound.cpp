#include "app/sound.h"

#include "app/scene.h"
#include "platform/clock.h"

SoundSlot SoundTable[SoundSlotCount];

namespace {

constexpr int MusicSlot = 0;
constexpr int ConfirmSlot = 1;

bool ValidSlot(int slot)
{
    return slot >= 0 && slot < SoundSlotCount;
}

void CloseSlot(SoundSlot& entry)
{
    FreeClip(entry.clip);
    entry.clip = nullptr;
}

}  // namespace

void InitSound()
{
    static bool hookAdded = false;
    if (!hookAdded) {
        AddSceneReleaseHook(CloseSceneSounds);
        hookAdded = true;
    }
    OpenAudioDevice();
}

void ShutdownSound()
{
    CloseAllSounds();
    CloseAudioDevice();
}

void LoadSound(int slot, const char* fileName)
{
    if (!ValidSlot(slot)) {
        return;
    }
    SoundSlot& entry = SoundTable[slot];
    CloseSlot(entry);
    entry.perScene = 1;
    if (fileName != nullptr) {
        entry.clip = LoadClip(fileName);
    }
}

void PlaySound(int slot)
{
    if (!ValidSlot(slot) || SoundTable[slot].clip == nullptr || ChannelIsPlaying(slot)) {
        return;
    }
    PlayClip(slot, SoundTable[slot].clip);
}

void StopSound(int slot)
{
    if (ValidSlot(slot) && SoundTable[slot].clip != nullptr) {
        StopChannel(slot);
    }
}

bool SoundPlaying(int slot)
{
    return ValidSlot(slot) && SoundTable[slot].clip != nullptr && ChannelIsPlaying(slot);
}

void CloseSceneSounds()
{
    for (SoundSlot& entry : SoundTable) {
        if (entry.clip != nullptr && entry.perScene != 0) {
            CloseSlot(entry);
        }
    }
}

void CloseAllSounds()
{
    for (SoundSlot& entry : SoundTable) {
        CloseSlot(entry);
    }
}

void PlayConfirmAndPause(void (*sleep)(uint32_t milliseconds))
{
    StopSound(MusicSlot);
    PlaySound(ConfirmSlot);
    sleep(ConfirmPauseMs);
}
