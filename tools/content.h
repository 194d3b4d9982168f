// The content generator's three halves. Each writes its files below `outDir`
// (model/, image/, sound/) and returns false after printing what failed.
#pragma once

#include <string>

bool WriteModels(const std::string& outDir);
bool WriteImages(const std::string& outDir);
bool WriteSounds(const std::string& outDir);
