// Test artwork with solid boxes of known colours, and reading the game's
// screenshots back pixel by pixel, for the tests that run the real game.
#pragma once

#include <gtest/gtest.h>

#include <png.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

struct ProbeColour {
    int r = 0;
    int g = 0;
    int b = 0;
};

struct ProbeBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    ProbeColour colour;
};

// An RGBA PNG, transparent except for the boxes.
inline void WriteProbePng(const std::string& path, int width, int height, const std::vector<ProbeBox>& boxes)
{
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4, 0);
    for (const ProbeBox& box : boxes) {
        for (int y = box.top; y < box.bottom; ++y) {
            for (int x = box.left; x < box.right; ++x) {
                uint8_t* pixel = &pixels[(static_cast<size_t>(y) * width + x) * 4];
                pixel[0] = static_cast<uint8_t>(box.colour.r);
                pixel[1] = static_cast<uint8_t>(box.colour.g);
                pixel[2] = static_cast<uint8_t>(box.colour.b);
                pixel[3] = 255;
            }
        }
    }
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    ASSERT_NE(png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr), 0);
}

// An 800 by 600 screenshot; invalid when missing or of another size.
class ProbeScreenshot {
public:
    explicit ProbeScreenshot(const std::string& path)
    {
        png_image image = {};
        image.version = PNG_IMAGE_VERSION;
        if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
            return;
        }
        image.format = PNG_FORMAT_RGB;
        pixels_.resize(PNG_IMAGE_SIZE(image));
        if (png_image_finish_read(&image, nullptr, pixels_.data(), 0, nullptr) == 0 || image.width != 800 ||
            image.height != 600) {
            pixels_.clear();
        }
    }

    bool Valid() const { return !pixels_.empty(); }

    ::testing::AssertionResult Shows(int x, int y, ProbeColour expected) const
    {
        if (!Valid()) {
            return ::testing::AssertionFailure() << "no screenshot";
        }
        const size_t at = (static_cast<size_t>(y) * 800 + x) * 3;
        const ProbeColour actual = {pixels_[at], pixels_[at + 1], pixels_[at + 2]};
        if (std::abs(actual.r - expected.r) <= 2 && std::abs(actual.g - expected.g) <= 2 &&
            std::abs(actual.b - expected.b) <= 2) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is (" << actual.r << ", "
                                             << actual.g << ", " << actual.b << "), expected (" << expected.r
                                             << ", " << expected.g << ", " << expected.b << ")";
    }

private:
    std::vector<uint8_t> pixels_;
};
