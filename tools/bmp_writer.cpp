#include "tools/bmp_writer.h"

#include <cstdio>

namespace {

constexpr std::uint32_t FileHeaderSize = 14;
constexpr std::uint32_t InfoHeaderSize = 40;
constexpr std::int32_t PixelsPerMetre = 2835; // 72 dots per inch

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xffu));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xffu));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    Put16(out, value & 0xffffu);
    Put16(out, value >> 16);
}

} // namespace

std::vector<std::uint8_t> EncodeBmp(int width, int height, const std::vector<std::uint8_t>& rgb)
{
    const std::uint32_t w = static_cast<std::uint32_t>(width);
    const std::uint32_t h = static_cast<std::uint32_t>(height);
    const std::uint32_t padding = w % 4; // 3 bytes per pixel: 3w mod 4 needs (w mod 4) more
    const std::uint32_t rowBytes = w * 3 + padding;
    const std::uint32_t pixelBytes = rowBytes * h;
    const std::uint32_t offset = FileHeaderSize + InfoHeaderSize;

    std::vector<std::uint8_t> out;
    out.reserve(offset + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + pixelBytes);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, InfoHeaderSize);
    Put32(out, w);
    Put32(out, h);
    Put16(out, 1);  // planes
    Put16(out, 24); // bits per pixel
    Put32(out, 0);  // no compression
    Put32(out, pixelBytes);
    Put32(out, static_cast<std::uint32_t>(PixelsPerMetre));
    Put32(out, static_cast<std::uint32_t>(PixelsPerMetre));
    Put32(out, 0);
    Put32(out, 0);
    for (std::uint32_t row = 0; row < h; ++row) {
        const std::size_t source = static_cast<std::size_t>(h - 1 - row) * w * 3;
        for (std::uint32_t x = 0; x < w; ++x) {
            const std::size_t p = source + static_cast<std::size_t>(x) * 3;
            out.push_back(rgb[p + 2]);
            out.push_back(rgb[p + 1]);
            out.push_back(rgb[p]);
        }
        for (std::uint32_t i = 0; i < padding; ++i) {
            out.push_back(0);
        }
    }
    return out;
}

bool WriteBmp(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb)
{
    if (width <= 0 || height <= 0 ||
        rgb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3) {
        std::fprintf(stderr, "%s: pixel buffer does not match %dx%d\n", path.c_str(), width, height);
        return false;
    }
    const std::vector<std::uint8_t> bytes = EncodeBmp(width, height, rgb);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::perror(path.c_str());
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}
