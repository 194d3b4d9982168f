#include "app/check_content.h"

#include <cstdio>
#include <string>
#include <vector>

#include "app/wav_info.h"
#include "platform/png_loader.h"
#include "render/bmp.h"
#include "render/model_slots.h"

namespace {

// Every image and sound any scene loads; the models are listed with their slots.
const char* const ImageFiles[] = {
    "image/Title.bmp",          "image/GameTitleUI.png",       "image/TitleMessage.png",
    "image/CharaSelectUI.png",  "image/UI.png",                "image/grass1.png",
    "image/grass2.png",         "image/grass3.png",            "image/GameClear.bmp",
    "image/GameClearMessage1.png", "image/GameClearMessage2.png", "image/GameClearMessage3.png",
    "image/GameOver.bmp"};
const char* const SoundFiles[] = {
    "sound/game_tunemoor_4_field05.wav", "sound/game_tunemoor_5_castle06.wav",
    "sound/game_tunemoor_4_field11.wav", "sound/game_tunemoor_4_field09.wav",
    "sound/game_tunemoor_7_event38.wav", "sound/decision4.wav",
    "sound/sword-slash1.wav",            "sound/sword-slash3.wav",
    "sound/sword-slash4.wav",            "sound/magic-poison1.wav",
    "sound/shot1.wav",                   "sound/attack2.wav",
    "sound/beamgun1.wav",                "sound/katana-gesture2.wav",
    "sound/katana-slash1.wav",           "sound/katana-slash4.wav",
    "sound/ricochets1.wav",              "sound/setup1.wav"};

// Each check prints its file's line and returns true, or returns false with
// what went wrong in `problem`.
using Check = bool (*)(const char* path, std::string& problem);

// A model's line already names the file and what is wrong with it.
bool CheckModel(const char* path, bool skinned, std::string& problem)
{
    std::string line;
    if (!DescribeModelFile(path, skinned, line)) {
        problem = line;
        return false;
    }
    std::printf("%s\n", line.c_str());
    return true;
}

bool CheckSkinModel(const char* path, std::string& problem)
{
    return CheckModel(path, true, problem);
}

bool CheckStaticModel(const char* path, std::string& problem)
{
    return CheckModel(path, false, problem);
}

bool CheckImage(const char* path, std::string& problem)
{
    problem = std::string("cannot load ") + path;
    int width = 0;
    int height = 0;
    if (IsBmpPath(path)) {
        if (ReadBmp(path, width, height) == nullptr) {
            return false;
        }
    } else {
        PngImage image;
        if (!ReadPngFile(path, image)) {
            return false;
        }
        width = image.width;
        height = image.height;
    }
    std::printf("%-36s %5d x %d\n", path, width, height);
    return true;
}

bool CheckSound(const char* path, std::string& problem)
{
    problem = std::string("cannot load ") + path;
    WavInfo info;
    if (!ReadWavInfo(path, info)) {
        return false;
    }
    std::printf("%-36s %7.2f s\n", path, info.seconds);
    return true;
}

template <size_t N>
void CheckAll(const char* const (&files)[N], Check check, std::vector<std::string>& problems)
{
    for (const char* path : files) {
        std::string problem;
        if (!check(path, problem)) {
            std::printf("%-36s FAILED\n", path);
            problems.push_back(problem);
        }
    }
}

}  // namespace

int RunContentCheck()
{
    std::vector<std::string> problems;
    CheckAll(SkinModelFiles, CheckSkinModel, problems);
    CheckAll(StaticModelFiles, CheckStaticModel, problems);
    CheckAll(ImageFiles, CheckImage, problems);
    CheckAll(SoundFiles, CheckSound, problems);
    if (problems.empty()) {
        std::printf("all content loaded\n");
        return 0;
    }
    for (const std::string& problem : problems) {
        std::fprintf(stderr, "kestrune: %s\n", problem.c_str());
    }
    return 1;
}
