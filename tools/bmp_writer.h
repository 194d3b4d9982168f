// Writes uncompressed 24-bit BMP files: 54-byte header, rows bottom first,
// blue-green-red pixels, each row padded to a multiple of four bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// `rgb` holds width * height * 3 bytes, top row first, red-green-blue.
bool WriteBmp(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb);

// The same file as bytes, for checking and for writing.
std::vector<std::uint8_t> EncodeBmp(int width, int height, const std::vector<std::uint8_t>& rgb);
