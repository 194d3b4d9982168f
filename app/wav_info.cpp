#include "app/wav_info.h"

#include <cstdint>
#include <fstream>
#include <vector>

namespace {

uint32_t Le32(const uint8_t* bytes)
{
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

uint16_t Le16(const uint8_t* bytes)
{
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

}  // namespace

bool ReadWavInfo(const std::string& path, WavInfo& info)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || std::string(bytes.begin(), bytes.begin() + 4) != "RIFF" ||
        std::string(bytes.begin() + 8, bytes.begin() + 12) != "WAVE") {
        return false;
    }
    bool haveFormat = false;
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::string id(bytes.begin() + at, bytes.begin() + at + 4);
        const uint64_t size = Le32(&bytes[at + 4]);
        const size_t body = at + 8;
        if (size > bytes.size() - body) {
            return false;  // a chunk that runs past the end of the file
        }
        if (id == "fmt " && size >= 16) {
            const uint16_t format = Le16(&bytes[body]);
            info.channels = Le16(&bytes[body + 2]);
            info.sampleRate = static_cast<int>(Le32(&bytes[body + 4]));
            info.bitsPerSample = Le16(&bytes[body + 14]);
            haveFormat = format == 1 && info.channels > 0 && info.sampleRate > 0 &&
                         info.bitsPerSample > 0 && info.bitsPerSample % 8 == 0;
        } else if (id == "data" && haveFormat) {
            const double frameBytes = info.channels * (info.bitsPerSample / 8.0);
            info.seconds = static_cast<double>(size) / frameBytes / info.sampleRate;
            return true;
        }
        at = body + size + (size & 1);
    }
    return false;
}
