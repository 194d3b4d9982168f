#include "tools/png_writer.h"

#include <png.h> // Required for: png_create_write_struct, png_write_row and friends

#include <cstdio>

namespace {

// zlib's default level: the files are barely larger than at 9 and are
// written several times faster.
constexpr int PngCompressionLevel = 6;

struct PngFile {
    std::FILE* file = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngFile()
    {
        if (png != nullptr) {
            png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
        }
        if (file != nullptr) {
            std::fclose(file);
        }
    }
};

} // namespace

bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba)
{
    const std::size_t expected = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    if (width <= 0 || height <= 0 || rgba.size() != expected) {
        std::fprintf(stderr, "%s: pixel buffer does not match %dx%d\n", path.c_str(), width, height);
        return false;
    }
    PngFile out;
    out.file = std::fopen(path.c_str(), "wb");
    if (out.file == nullptr) {
        std::perror(path.c_str());
        return false;
    }
    out.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (out.png == nullptr) {
        return false;
    }
    out.info = png_create_info_struct(out.png);
    if (out.info == nullptr) {
        return false;
    }
    // libpng reports errors by long jump; nothing with a destructor lives
    // between here and the end of the function apart from `out`, which is
    // declared before.
    if (setjmp(png_jmpbuf(out.png))) {
        std::fprintf(stderr, "%s: libpng failed while writing\n", path.c_str());
        return false;
    }
    png_init_io(out.png, out.file);
    png_set_compression_level(out.png, PngCompressionLevel);
    // No row filter: our pictures are large flat areas that zlib packs well
    // as they stand. The files come out smaller than with the Paeth filter
    // and decode in about two thirds of the time, which the game pays at
    // every screen's start (the title's artwork is 1024 by 1024).
    png_set_filter(out.png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_IHDR(out.png, out.info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_write_info(out.png, out.info);
    const std::size_t stride = static_cast<std::size_t>(width) * 4;
    for (int y = 0; y < height; ++y) {
        png_write_row(out.png, rgba.data() + stride * static_cast<std::size_t>(y));
    }
    png_write_end(out.png, nullptr);
    return true;
}
