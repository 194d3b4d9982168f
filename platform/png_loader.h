// PNG files to 8-bit RGBA pixels through libpng's simplified reading API,
// which handles every colour type, bit depth and interlacing for us.
// No GL here: render/texture.cpp uploads the pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct PngImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;  // width * height * 4 bytes, top row first
};

// Each returns false (and leaves `image` empty) for a missing, truncated,
// corrupt or absurdly large file; nothing is leaked either way.
bool DecodePng(const uint8_t* data, size_t size, PngImage& image);
bool ReadPngFile(const char* path, PngImage& image);
