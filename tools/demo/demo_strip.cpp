// Joins screenshots of the README demo into one strip: each frame is halved
// (2 by 2 pixels averaged) and the frames are laid side by side, left to right.
// Usage: kestrune_demo_strip OUT.png IN1.png IN2.png ...
#include <png.h>  // Required for: the simplified libpng read and write API

#include <cstdio>
#include <vector>

namespace {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

bool ReadPicture(const char* path, Picture& picture)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path) == 0) {
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr) == 0) {
        png_image_free(&image);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: kestrune_demo_strip OUT.png IN.png...\n");
        return 2;
    }
    std::vector<Picture> frames;
    for (int i = 2; i < argc; ++i) {
        Picture picture;
        if (!ReadPicture(argv[i], picture) || picture.width < 2 || picture.height < 2) {
            std::fprintf(stderr, "kestrune_demo_strip: cannot read '%s'\n", argv[i]);
            return 1;
        }
        if (!frames.empty() && (picture.width != frames[0].width || picture.height != frames[0].height)) {
            std::fprintf(stderr, "kestrune_demo_strip: '%s' differs in size from the first frame\n", argv[i]);
            return 1;
        }
        frames.push_back(std::move(picture));
    }
    const int cellWidth = frames[0].width / 2;
    const int cellHeight = frames[0].height / 2;
    const int stripWidth = cellWidth * static_cast<int>(frames.size());
    std::vector<unsigned char> strip(static_cast<size_t>(stripWidth) * cellHeight * 3, 0);
    for (size_t f = 0; f < frames.size(); ++f) {
        const Picture& frame = frames[f];
        for (int y = 0; y < cellHeight; ++y) {
            for (int x = 0; x < cellWidth; ++x) {
                for (int c = 0; c < 3; ++c) {
                    int sum = 0;
                    for (int dy = 0; dy < 2; ++dy) {
                        for (int dx = 0; dx < 2; ++dx) {
                            sum += frame.rgb[(static_cast<size_t>(2 * y + dy) * frame.width + 2 * x + dx) * 3 + c];
                        }
                    }
                    const size_t out = (static_cast<size_t>(y) * stripWidth + f * cellWidth + x) * 3 + c;
                    strip[out] = static_cast<unsigned char>(sum / 4);
                }
            }
        }
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(stripWidth);
    image.height = static_cast<png_uint_32>(cellHeight);
    image.format = PNG_FORMAT_RGB;
    if (png_image_write_to_file(&image, argv[1], 0, strip.data(), 0, nullptr) == 0) {
        std::fprintf(stderr, "kestrune_demo_strip: cannot write '%s'\n", argv[1]);
        return 1;
    }
    return 0;
}
