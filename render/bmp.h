// Our own reader for the uncompressed 24-bit BMP images the game ships.
// Decoding is plain memory work (no GL), so it is tested and fuzzed alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// Decodes a BMP held in memory into tightly packed RGB bytes, top row first,
// red first in each pixel. Anything but a bottom-up, uncompressed 24-bit image
// whose rows all fit inside the data is rejected (null, width and height 0).
std::unique_ptr<uint8_t[]> DecodeBmp(const uint8_t* data, size_t size, int& width, int& height);

// The path must end in exactly ".bmp" from its first '.' on (case-sensitive:
// "x.BMP" is not a BMP path and goes to the PNG loader instead). Returns null
// when the path does not qualify, the file cannot be read, or it is malformed.
std::unique_ptr<uint8_t[]> ReadBmp(const char* path, int& width, int& height);

// True when ReadBmp would accept the path's spelling (not the file itself).
bool IsBmpPath(const char* path);
