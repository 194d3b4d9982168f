// Pictures read from disk into memory, ready for upload: our BMPs as RGB,
// anything else through the PNG reader as RGBA. There is no GL here, so the
// start-up can read the first screen's pictures on a worker thread while the
// window and the GL driver come up on the main one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/png_loader.h"

struct ImageFile {
    int width = 0;
    int height = 0;
    bool rgb = false;     // 3 bytes a pixel (a BMP); otherwise RGBA
    bool opaque = false;  // no texel would be cut out (a BMP always: no alpha)
    std::unique_ptr<uint8_t[]> bmpPixels;
    PngImage png;

    bool Loaded() const { return width > 0 && height > 0; }
    const uint8_t* Pixels() const { return rgb ? bmpPixels.get() : png.rgba.data(); }
};

// Reads and decodes the picture at `path`; a missing or broken file gives an
// image that is not Loaded().
ImageFile ReadImageFile(const std::string& path);

// Starts reading `paths` on a worker thread, after dropping what an earlier
// call read and nobody took. Called from the GL thread only, like the rest.
void PrefetchImageFiles(std::vector<std::string> paths);

// Moves the prefetched picture at `path` into `image`, waiting for the worker
// if it is still reading. False when `path` was not prefetched, was taken
// already, or did not read: the caller then reads it itself, and its own
// failure is reported the usual way.
bool TakePrefetchedImage(const std::string& path, ImageFile& image);

// Waits for the worker and frees every picture nobody took.
void DropPrefetchedImages();
