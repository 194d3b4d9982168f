// Writes mono 16-bit PCM WAV files from float samples.
#pragma once

#include <string>
#include <vector>

constexpr int SampleRate = 44100;

// Scales the samples so that the loudest one reaches `peak` (of full scale,
// below 1 so nothing clips), then writes them. A silent buffer is written
// as it is. Returns false after printing the reason on failure.
bool WriteWav(const std::string& path, const std::vector<float>& samples, float peak);
