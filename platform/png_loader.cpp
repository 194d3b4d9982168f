#include "platform/png_loader.h"

#include <png.h>  // Required for: png_image, png_image_begin_read_*, png_image_finish_read

namespace {

// The largest image we agree to decode; anything bigger is not one of ours
// and would only cost memory (a forged header can claim any size).
constexpr png_uint_32 MaxSide = 8192;

bool FinishRead(png_image& header, PngImage& image)
{
    if (header.width == 0 || header.height == 0 || header.width > MaxSide ||
        header.height > MaxSide) {
        png_image_free(&header);
        return false;
    }
    header.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(header));
    // A positive row stride gives the rows top first, as they are stored.
    if (png_image_finish_read(&header, nullptr, pixels.data(), 0, nullptr) == 0) {
        png_image_free(&header);
        return false;
    }
    image.width = static_cast<int>(header.width);
    image.height = static_cast<int>(header.height);
    image.rgba = std::move(pixels);
    return true;
}

}  // namespace

bool DecodePng(const uint8_t* data, size_t size, PngImage& image)
{
    image = PngImage{};
    if (data == nullptr || size == 0) {
        return false;
    }
    png_image header{};
    header.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&header, data, size) == 0) {
        png_image_free(&header);
        return false;
    }
    return FinishRead(header, image);
}

bool ReadPngFile(const char* path, PngImage& image)
{
    image = PngImage{};
    if (path == nullptr) {
        return false;
    }
    png_image header{};
    header.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&header, path) == 0) {
        png_image_free(&header);
        return false;
    }
    return FinishRead(header, image);
}
