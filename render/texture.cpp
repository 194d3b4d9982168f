#include "render/texture.h"

#include <GL/glew.h>  // Required for: texture entry points

#include "app/scene.h"
#include "platform/png_loader.h"
#include "render/bmp.h"

TextureSlots TextureTable;

namespace {

// Pixel rows are tightly packed; the default 4-byte unpack alignment would
// skew any RGB image whose width is not a multiple of four.
void UploadPixels(GLint internalFormat, GLenum format, int width, int height, const uint8_t* pixels)
{
    GLint oldAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &oldAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE, pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, oldAlignment);
}

unsigned int BindPng(const char* path, int& width, int& height)
{
    PngImage image;
    if (!ReadPngFile(path, image)) {
        return 0;
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    UploadPixels(GL_RGBA, GL_RGBA, image.width, image.height, image.rgba.data());
    width = image.width;
    height = image.height;
    return name;
}

// Registered once, so every scene switch releases the scene's textures.
const bool ReleaseRegistered = (AddSceneReleaseHook(&ReleaseSceneTextures), true);

}  // namespace

unsigned int LoadImageTexture(const char* path, int& width, int& height)
{
    width = 0;
    height = 0;
    std::unique_ptr<uint8_t[]> pixels = ReadBmp(path, width, height);
    if (pixels != nullptr) {
        GLuint name = 0;
        glGenTextures(1, &name);
        glBindTexture(GL_TEXTURE_2D, name);
        UploadPixels(GL_RGB, GL_RGB, width, height, pixels.get());
        return name;
    }
    return BindPng(path, width, height);
}

void LoadTexture(int slot, const char* path)
{
    if (slot < 0 || slot >= TextureSlotCount) {
        return;
    }
    glDeleteTextures(1, &TextureTable.name[slot]);
    TextureTable.name[slot] = 0;
    TextureTable.perScene[slot] = 1;
    int width = 0;
    int height = 0;
    TextureTable.name[slot] = LoadImageTexture(path, width, height);
    // A failed load keeps the old size, so texel maths on the empty slot
    // never divides by a fresh zero.
    if (TextureTable.name[slot] != 0) {
        TextureTable.width[slot] = width;
        TextureTable.height[slot] = height;
    }
}

void ReleaseSceneTextures()
{
    for (int slot = 0; slot < TextureSlotCount; ++slot) {
        if (TextureTable.perScene[slot] != 0) {
            glDeleteTextures(1, &TextureTable.name[slot]);
            TextureTable.name[slot] = 0;
        }
    }
}

void DeleteAllTextures()
{
    glDeleteTextures(TextureSlotCount, TextureTable.name);
    for (unsigned int& name : TextureTable.name) {
        name = 0;
    }
}
