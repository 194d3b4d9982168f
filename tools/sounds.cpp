// Synthesizes every piece of music and every effect and writes them as WAV.
#include "tools/content.h"
#include "tools/effects.h"
#include "tools/music.h"
#include "tools/wav_writer.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <future>
#include <vector>

namespace {

// Music peaks a little lower than effects, which are short and need punch.
constexpr float MusicPeak = 0.85f;
constexpr float EffectPeak = 0.9f;

struct SoundFile {
    const char* name = "";
    std::vector<float> (*make)() = nullptr;
    float peak = 0.0f;
};

constexpr std::array<SoundFile, 18> SoundFiles{{
    {"game_tunemoor_4_field09.wav", TitleTheme, MusicPeak},
    {"game_tunemoor_5_castle06.wav", CastleTheme, MusicPeak},
    {"game_tunemoor_4_field11.wav", FieldTheme, MusicPeak},
    {"game_tunemoor_4_field05.wav", VictoryFanfare, MusicPeak},
    {"game_tunemoor_7_event38.wav", LamentTheme, MusicPeak},
    {"decision4.wav", ConfirmChime, EffectPeak},
    {"sword-slash4.wav", SlashRising, EffectPeak},
    {"sword-slash3.wav", SlashFalling, EffectPeak},
    {"katana-slash1.wav", SlashFinisher, EffectPeak},
    {"magic-poison1.wav", PoisonMagic, EffectPeak},
    {"shot1.wav", ShotPew, EffectPeak},
    {"katana-gesture2.wav", HitThud, EffectPeak},
    {"beamgun1.wav", BeamCharge, EffectPeak},
    {"sword-slash1.wav", HeavySlash, EffectPeak},
    {"katana-slash4.wav", QuickThrust, EffectPeak},
    {"ricochets1.wav", Ricochet, EffectPeak},
    {"attack2.wav", AttackSurge, EffectPeak},
    {"setup1.wav", LockOnBlip, EffectPeak},
}};

} // namespace

bool WriteSounds(const std::string& outDir)
{
    const std::string folder = outDir + "/sound";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "%s: %s\n", folder.c_str(), error.message().c_str());
        return false;
    }
    // Each sound is synthesized on its own and shares nothing, so the
    // pieces are made in parallel; the files are written in a fixed order.
    std::vector<std::future<std::vector<float>>> pending;
    pending.reserve(SoundFiles.size());
    for (const SoundFile& file : SoundFiles) {
        pending.push_back(std::async(std::launch::async, file.make));
    }
    bool ok = true;
    for (std::size_t i = 0; i < SoundFiles.size(); ++i) {
        ok = WriteWav(folder + "/" + SoundFiles[i].name, pending[i].get(), SoundFiles[i].peak) && ok;
    }
    return ok;
}
