#include "tools/wav_writer.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

constexpr std::uint32_t BitsPerSample = 16;
constexpr std::uint32_t Channels = 1;
constexpr float FullScale = 32767.0f;

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

void PutTag(std::vector<std::uint8_t>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

} // namespace

bool WriteWav(const std::string& path, const std::vector<float>& samples, float peak)
{
    // A broken voice must not turn into a full-scale burst: anything that
    // is not a finite number is written as silence.
    auto finite = [](float s) { return std::isfinite(s) ? s : 0.0f; };
    float loudest = 0.0f;
    for (const float s : samples) {
        loudest = std::fmax(loudest, std::fabs(finite(s)));
    }
    const float gain = loudest > 0.0f ? peak / loudest : 0.0f;

    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1); // PCM
    Put16(out, Channels);
    Put32(out, SampleRate);
    Put32(out, SampleRate * Channels * BitsPerSample / 8);
    Put16(out, Channels * BitsPerSample / 8);
    Put16(out, BitsPerSample);
    PutTag(out, "data");
    Put32(out, dataBytes);
    for (const float s : samples) {
        const long value = std::lround(std::fmax(-1.0f, std::fmin(1.0f, finite(s) * gain)) * FullScale);
        Put16(out, static_cast<std::uint32_t>(static_cast<std::uint16_t>(static_cast<std::int16_t>(value))));
    }

    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::perror(path.c_str());
        return false;
    }
    const bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && ok;
}
