#include "render/texture.h"

#include <GL/glew.h>  // Required for: texture entry points

#include "app/scene.h"
#include "render/image_file.h"

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

// Registered once, so every scene switch releases the scene's textures.
const bool ReleaseRegistered = (AddSceneReleaseHook(&ReleaseSceneTextures), true);

// LoadImageTexture, also telling whether the picture is opaque. A picture
// the start-up read ahead comes from there.
unsigned int LoadImage(const char* path, int& width, int& height, bool& opaque)
{
    ImageFile image;
    if (!TakePrefetchedImage(path, image)) {
        image = ReadImageFile(path);
    }
    // A picture that did not read comes back as 0 by 0 and not opaque.
    width = image.width;
    height = image.height;
    opaque = image.opaque;
    if (!image.Loaded()) {
        return 0;
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    if (!image.rgb) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    }
    const GLenum format = image.rgb ? GL_RGB : GL_RGBA;
    UploadPixels(static_cast<GLint>(format), format, width, height, image.Pixels());
    return name;
}

}  // namespace

unsigned int LoadImageTexture(const char* path, int& width, int& height)
{
    bool opaque = false;
    return LoadImage(path, width, height, opaque);
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
    bool opaque = false;
    TextureTable.name[slot] = LoadImage(path, width, height, opaque);
    TextureTable.opaque[slot] = opaque ? 1 : 0;
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
            TextureTable.opaque[slot] = 0;
        }
    }
}

void DeleteAllTextures()
{
    glDeleteTextures(TextureSlotCount, TextureTable.name);
    for (int slot = 0; slot < TextureSlotCount; ++slot) {
        TextureTable.name[slot] = 0;
        TextureTable.opaque[slot] = 0;
    }
}
