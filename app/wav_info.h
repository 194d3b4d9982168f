// Reads just enough of a WAV file to tell what it holds, without an audio
// device: for the content check.
#pragma once

#include <string>

struct WavInfo {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    double seconds = 0.0;
};

// False for anything that is not a PCM RIFF/WAVE file with a data chunk.
bool ReadWavInfo(const std::string& path, WavInfo& info);
