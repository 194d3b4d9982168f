// Writes 8-bit RGBA PNG files with fixed settings, so the same pixels always
// give the same bytes (no time stamp, fixed compression level and filter).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// `rgba` holds width * height * 4 bytes, top row first, straight (not
// premultiplied) alpha. Returns false after printing the reason on failure.
bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba);
