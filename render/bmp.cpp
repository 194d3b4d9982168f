#include "render/bmp.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Where the fields we need sit in the file and info headers.
constexpr size_t PixelOffsetAt = 10;
constexpr size_t InfoSizeAt = 14;
constexpr size_t WidthAt = 18;
constexpr size_t HeightAt = 22;
constexpr size_t BitCountAt = 28;
constexpr size_t CompressionAt = 30;
constexpr size_t HeadersSize = 54;
constexpr uint32_t MinInfoSize = 40;
constexpr int BitsPerPixel = 24;
// Far beyond any image we ship; keeps width * height * 3 well inside size_t
// and stops a forged header from asking for gigabytes.
constexpr int MaxSide = 16384;
// Files past this size are not ours; do not read them into memory.
constexpr long MaxFileSize = 256L * 1024L * 1024L;

uint32_t ReadU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t ReadU16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

}  // namespace

bool IsBmpPath(const char* path)
{
    if (path == nullptr) {
        return false;
    }
    const char* dot = std::strchr(path, '.');
    return dot != nullptr && std::strcmp(dot, ".bmp") == 0;
}

std::unique_ptr<uint8_t[]> DecodeBmp(const uint8_t* data, size_t size, int& width, int& height)
{
    width = 0;
    height = 0;
    if (data == nullptr || size < HeadersSize || data[0] != 'B' || data[1] != 'M') {
        return nullptr;
    }
    const uint32_t pixelOffset = ReadU32(data + PixelOffsetAt);
    const uint32_t infoSize = ReadU32(data + InfoSizeAt);
    const auto fileWidth = static_cast<int32_t>(ReadU32(data + WidthAt));
    const auto fileHeight = static_cast<int32_t>(ReadU32(data + HeightAt));
    if (infoSize < MinInfoSize || ReadU16(data + BitCountAt) != BitsPerPixel ||
        ReadU32(data + CompressionAt) != 0) {
        return nullptr;
    }
    // A negative height would mean top-down rows; none of our images are, so
    // it is rejected with the other nonsense sizes.
    if (fileWidth <= 0 || fileHeight <= 0 || fileWidth > MaxSide || fileHeight > MaxSide) {
        return nullptr;
    }
    const auto w = static_cast<size_t>(fileWidth);
    const auto h = static_cast<size_t>(fileHeight);
    // Rows are padded to four bytes; for three bytes a pixel that is w mod 4.
    const size_t rowBytes = w * 3;
    const size_t fileRowBytes = rowBytes + w % 4;
    if (pixelOffset < HeadersSize || pixelOffset > size || (size - pixelOffset) / fileRowBytes < h) {
        return nullptr;
    }
    auto pixels = std::make_unique<uint8_t[]>(rowBytes * h);
    for (size_t fileRow = 0; fileRow < h; ++fileRow) {
        // The file stores the bottom row first; the buffer wants the top first.
        const uint8_t* source = data + pixelOffset + fileRow * fileRowBytes;
        uint8_t* target = pixels.get() + (h - 1 - fileRow) * rowBytes;
        for (size_t x = 0; x < w; ++x) {
            target[3 * x + 0] = source[3 * x + 2];
            target[3 * x + 1] = source[3 * x + 1];
            target[3 * x + 2] = source[3 * x + 0];
        }
    }
    width = fileWidth;
    height = fileHeight;
    return pixels;
}

std::unique_ptr<uint8_t[]> ReadBmp(const char* path, int& width, int& height)
{
    width = 0;
    height = 0;
    if (!IsBmpPath(path)) {
        return nullptr;
    }
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return nullptr;
    }
    std::vector<uint8_t> bytes;
    long fileSize = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        fileSize = std::ftell(file);
    }
    if (fileSize > 0 && fileSize <= MaxFileSize && std::fseek(file, 0, SEEK_SET) == 0) {
        bytes.resize(static_cast<size_t>(fileSize));
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    }
    std::fclose(file);
    return DecodeBmp(bytes.data(), bytes.size(), width, height);
}
