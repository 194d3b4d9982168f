#include "tools/model_textures.h"

#include "tools/png_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace {

struct Rgb {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};

// Integer hash noise: the same value for the same cell on every machine.
float Noise(int x, int y, int seed)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 static_cast<uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xffffu) / 65535.0f;
}

bool WriteTexture(const std::string& path, int size, const std::function<Rgb(int x, int y)>& shade)
{
    std::vector<std::uint8_t> rgba(static_cast<size_t>(size) * size * 4);
    const auto toByte = [](float v) { return static_cast<std::uint8_t>(std::clamp(v, 0.0f, 1.0f) * 255.0f + 0.5f); };
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const Rgb c = shade(x, y);
            const size_t at = (static_cast<size_t>(y) * size + x) * 4;
            rgba[at] = toByte(c.r);
            rgba[at + 1] = toByte(c.g);
            rgba[at + 2] = toByte(c.b);
            rgba[at + 3] = 255;
        }
    }
    return WritePng(path, size, size, rgba);
}

// Warm green grass with darker blades and a few light speckles.
Rgb Grass(int x, int y)
{
    const float blade = Noise(x, y / 3, 1);
    const float patch = Noise(x / 8, y / 8, 2);
    const float light = 0.85f + 0.15f * patch - 0.25f * (blade > 0.8f ? 1.0f : 0.0f);
    const float speckle = Noise(x, y, 3) > 0.985f ? 0.25f : 0.0f;
    return {(0.33f + speckle) * light, (0.62f + speckle) * light, (0.2f + speckle * 0.5f) * light};
}

// Running-bond stone blocks in grey-brown, mortar lines between them.
Rgb WallBlocks(int x, int y)
{
    constexpr int BlockHeight = 16;
    constexpr int BlockWidth = 32;
    const int row = y / BlockHeight;
    const int shiftedX = x + (row % 2) * (BlockWidth / 2);
    const int column = shiftedX / BlockWidth;
    const bool mortar = y % BlockHeight < 2 || shiftedX % BlockWidth < 2;
    if (mortar) {
        return {0.36f, 0.33f, 0.3f};
    }
    const float tone = 0.82f + 0.18f * Noise(column, row, 4) + 0.06f * (Noise(x, y, 5) - 0.5f);
    return {0.58f * tone, 0.53f * tone, 0.46f * tone};
}

// Neutral flagstones for the select screen floor.
Rgb FloorSlabs(int x, int y)
{
    constexpr int Slab = 32;
    const bool joint = x % Slab < 1 || y % Slab < 1;
    if (joint) {
        return {0.4f, 0.4f, 0.42f};
    }
    const float tone = 0.85f + 0.12f * Noise(x / Slab, y / Slab, 6) + 0.05f * (Noise(x, y, 7) - 0.5f);
    return {0.66f * tone, 0.65f * tone, 0.63f * tone};
}

} // namespace

bool WriteModelTextures(const std::string& outDir)
{
    bool ok = WriteTexture(outDir + "/" + GrassTexture, 64, Grass);
    ok = WriteTexture(outDir + "/" + WallTexture, 64, WallBlocks) && ok;
    ok = WriteTexture(outDir + "/" + FloorTexture, 64, FloorSlabs) && ok;
    return ok;
}
