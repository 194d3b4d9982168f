#include "tests/test_files.h"

#include <png.h>  // Required for: png_image_write_to_file

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

constexpr int WavRate = 22050;

void PutLe(std::vector<uint8_t>& out, uint32_t value, int byteCount)
{
    for (int i = 0; i < byteCount; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

}  // namespace

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrune-test-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (mkdtemp(name.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary directory");
    }
    path_ = name.data();
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TempDir::List() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

InDirectory::InDirectory(const std::string& path) : previous_(std::filesystem::current_path().string())
{
    std::filesystem::current_path(path);
}

InDirectory::~InDirectory()
{
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ReadText(const std::string& path)
{
    const std::vector<uint8_t> bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void WriteText(const std::string& path, const std::string& text)
{
    WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

void WriteToneWav(const std::string& path, int milliseconds)
{
    const uint32_t sampleCount = static_cast<uint32_t>(WavRate) * static_cast<uint32_t>(milliseconds) / 1000u;
    const uint32_t dataSize = sampleCount * 2u;
    std::vector<uint8_t> wav;
    wav.insert(wav.end(), {'R', 'I', 'F', 'F'});
    PutLe(wav, 36u + dataSize, 4);
    wav.insert(wav.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLe(wav, 16, 4);       // format block size
    PutLe(wav, 1, 2);        // PCM
    PutLe(wav, 1, 2);        // mono
    PutLe(wav, WavRate, 4);
    PutLe(wav, WavRate * 2, 4);  // bytes per second
    PutLe(wav, 2, 2);        // bytes per sample frame
    PutLe(wav, 16, 2);       // bits per sample
    wav.insert(wav.end(), {'d', 'a', 't', 'a'});
    PutLe(wav, dataSize, 4);
    for (uint32_t i = 0; i < sampleCount; ++i) {
        const double phase = 2.0 * 3.14159265358979 * 440.0 * i / WavRate;
        PutLe(wav, static_cast<uint32_t>(static_cast<int16_t>(2000.0 * std::sin(phase))), 2);
    }
    WriteBytes(path, wav);
}

bool WriteBoxesPng(const std::string& path, int width, int height, const std::vector<PngBox>& boxes)
{
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
    for (const PngBox& box : boxes) {
        for (int y = box.top; y < box.bottom; ++y) {
            for (int x = box.left; x < box.right; ++x) {
                uint8_t* pixel = &pixels[(static_cast<size_t>(y) * static_cast<size_t>(width) + x) * 4];
                pixel[0] = box.r;
                pixel[1] = box.g;
                pixel[2] = box.b;
                pixel[3] = 255;
            }
        }
    }
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    return png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr) != 0;
}
