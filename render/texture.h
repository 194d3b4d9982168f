// The global texture table the scenes address by slot, and the image loader
// shared with the model readers.
#pragma once

#include <cstdint>

inline constexpr int TextureSlotCount = 32;

struct TextureSlots {
    unsigned int name[TextureSlotCount] = {};  // GL texture, 0 when empty
    int width[TextureSlotCount] = {};          // image size in texels
    int height[TextureSlotCount] = {};
    uint8_t perScene[TextureSlotCount] = {};   // 1 once loaded by a scene; never cleared
    // 1 while the slot holds a picture without a texel of alpha below one
    // half: its sprites never cut anything out, so they draw without the
    // alpha test, which lets the driver test depth before shading.
    uint8_t opaque[TextureSlotCount] = {};
};

extern TextureSlots TextureTable;

// Loads an image file into a new GL texture and returns its name, or 0 when
// the file is missing or unreadable (width and height then 0). A ".bmp" path
// (see IsBmpPath) is read by our BMP reader and uploaded as RGB with no filter
// or wrap set; any other path, or a ".bmp" that fails, is read as PNG and
// uploaded as RGBA with clamped edges, nearest filtering and no mipmaps.
unsigned int LoadImageTexture(const char* path, int& width, int& height);

// Replaces the slot's texture with the image at `path` and marks the slot as
// belonging to the current scene. A failed load leaves name 0. Slots outside
// 0..31 are ignored.
void LoadTexture(int slot, const char* path);

// Scene switch: deletes every per-scene texture and sets its name to 0.
void ReleaseSceneTextures();

// Program exit: deletes all 32 textures.
void DeleteAllTextures();
