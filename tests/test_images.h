// Small image files built in memory for the image tests: BMPs with chosen
// header fields and PNGs in every colour type, depth and interlace we read.
#pragma once

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <fstream>
#include <string>
#include <vector>

namespace test_images {

// Colour of pixel (x, y), y down from the top row; distinct for every pixel
// of the small images the tests use.
inline void PixelColour(int x, int y, uint8_t& r, uint8_t& g, uint8_t& b)
{
    r = static_cast<uint8_t>(10 + 40 * x);
    g = static_cast<uint8_t>(20 + 50 * y);
    b = static_cast<uint8_t>(200 - 10 * x - 20 * y);
}

inline void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

inline void PutU16(std::vector<uint8_t>& bytes, size_t at, uint16_t value)
{
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

using ColourFunction = std::function<void(int x, int y, uint8_t& r, uint8_t& g, uint8_t& b)>;

// A well-formed bottom-up 24-bit BMP of the given colours.
inline std::vector<uint8_t> MakeBmp(int width, int height, const ColourFunction& colour = PixelColour)
{
    const size_t rowBytes = static_cast<size_t>(width) * 3 + static_cast<size_t>(width % 4);
    std::vector<uint8_t> bytes(54 + rowBytes * static_cast<size_t>(height), 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutU32(bytes, 2, static_cast<uint32_t>(bytes.size()));
    PutU32(bytes, 10, 54);
    PutU32(bytes, 14, 40);
    PutU32(bytes, 18, static_cast<uint32_t>(width));
    PutU32(bytes, 22, static_cast<uint32_t>(height));
    PutU16(bytes, 26, 1);
    PutU16(bytes, 28, 24);
    for (int fileRow = 0; fileRow < height; ++fileRow) {
        const int y = height - 1 - fileRow;
        for (int x = 0; x < width; ++x) {
            uint8_t r = 0;
            uint8_t g = 0;
            uint8_t b = 0;
            colour(x, y, r, g, b);
            const size_t at = 54 + static_cast<size_t>(fileRow) * rowBytes + static_cast<size_t>(x) * 3;
            bytes[at] = b;
            bytes[at + 1] = g;
            bytes[at + 2] = r;
        }
        // Padding bytes that would show up as colour if they were not skipped.
        for (size_t pad = static_cast<size_t>(width) * 3; pad < rowBytes; ++pad) {
            bytes[54 + static_cast<size_t>(fileRow) * rowBytes + pad] = 0xEE;
        }
    }
    return bytes;
}

enum class PngKind { Rgba8, Palette, Grey, Rgb16, Interlaced };

// Encodes PixelColour (or its grey/palette equivalent) with libpng's writer.
inline std::vector<uint8_t> MakePng(PngKind kind, int width, int height)
{
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, size_t length) {
            auto* sink = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
            sink->insert(sink->end(), data, data + length);
        },
        nullptr);
    int colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    int depth = 8;
    int channels = 4;
    switch (kind) {
    case PngKind::Palette: colourType = PNG_COLOR_TYPE_PALETTE; channels = 1; break;
    case PngKind::Grey: colourType = PNG_COLOR_TYPE_GRAY; channels = 1; break;
    case PngKind::Rgb16: colourType = PNG_COLOR_TYPE_RGB; depth = 16; channels = 3; break;
    default: break;
    }
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), depth,
                 colourType, kind == PngKind::Interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (kind == PngKind::Palette) {
        // Entry i is the colour of pixel (i % width, i / width).
        std::vector<png_color> palette(static_cast<size_t>(width * height));
        for (int i = 0; i < width * height; ++i) {
            PixelColour(i % width, i / width, palette[i].red, palette[i].green, palette[i].blue);
        }
        png_set_PLTE(png, info, palette.data(), width * height);
    }
    if (kind == PngKind::Rgb16) {
        // Tagged as sRGB like any image editor's output; untagged 16-bit
        // samples would be taken as linear light and brightened.
        png_set_sRGB(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
    }
    png_write_info(png, info);
    const size_t rowBytes = static_cast<size_t>(width * channels * depth / 8);
    std::vector<std::vector<uint8_t>> rows(static_cast<size_t>(height), std::vector<uint8_t>(rowBytes));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t r = 0;
            uint8_t g = 0;
            uint8_t b = 0;
            PixelColour(x, y, r, g, b);
            uint8_t* p = rows[y].data() + static_cast<size_t>(x * channels * depth / 8);
            switch (kind) {
            case PngKind::Palette: p[0] = static_cast<uint8_t>(y * width + x); break;
            case PngKind::Grey: p[0] = r; break;
            case PngKind::Rgb16:  // big-endian samples, the high byte the colour
                p[0] = r; p[1] = 0x7F; p[2] = g; p[3] = 0x7F; p[4] = b; p[5] = 0x7F;
                break;
            default:
                p[0] = r; p[1] = g; p[2] = b; p[3] = static_cast<uint8_t>(x == 0 ? 0 : 255);
                break;
            }
        }
    }
    std::vector<png_bytep> pointers;
    for (auto& row : rows) {
        pointers.push_back(row.data());
    }
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

inline void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace test_images
