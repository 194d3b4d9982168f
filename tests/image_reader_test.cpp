// BMP and PNG decoding: orientation, channel order, padding, every PNG
// flavour we may meet, malformed files rejected without a crash, and the
// pictures the start-up reads ahead on a worker thread.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/png_loader.h"
#include "render/bmp.h"
#include "render/image_file.h"
#include "tests/test_files.h"
#include "tests/test_images.h"

using namespace test_images;

namespace {

void ExpectPixel(const uint8_t* rgb, int x, int y)
{
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    PixelColour(x, y, r, g, b);
    EXPECT_EQ(rgb[0], r) << "red at " << x << "," << y;
    EXPECT_EQ(rgb[1], g) << "green at " << x << "," << y;
    EXPECT_EQ(rgb[2], b) << "blue at " << x << "," << y;
}

}  // namespace

TEST(BmpReader, RowsTopFirstRedFirstAndPaddingSkipped)
{
    TempDir dir;
    // Widths 1..5 cover every padding length (1, 2, 3, 0, 1 bytes).
    for (int width = 1; width <= 5; ++width) {
        const std::string path = dir.File("w" + std::to_string(width) + ".bmp");
        WriteFile(path, MakeBmp(width, 3));
        int w = 0;
        int h = 0;
        std::unique_ptr<uint8_t[]> pixels = ReadBmp(path.c_str(), w, h);
        ASSERT_NE(pixels, nullptr) << width;
        EXPECT_EQ(w, width);
        EXPECT_EQ(h, 3);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < width; ++x) {
                ExpectPixel(pixels.get() + 3 * (y * width + x), x, y);
            }
        }
    }
}

TEST(BmpReader, PathMustEndInLowerCaseBmpFromItsFirstDot)
{
    TempDir dir;
    const std::vector<uint8_t> bytes = MakeBmp(2, 2);
    for (const char* name : {"upper.BMP", "two.bmp.bak", "noext"}) {
        WriteFile(dir.File(name), bytes);
        int w = 7;
        int h = 7;
        EXPECT_EQ(ReadBmp(dir.File(name).c_str(), w, h), nullptr) << name;
        EXPECT_EQ(w, 0);
        EXPECT_EQ(h, 0);
    }
    int w = 0;
    int h = 0;
    EXPECT_EQ(ReadBmp(dir.File("missing.bmp").c_str(), w, h), nullptr);
    EXPECT_EQ(ReadBmp(nullptr, w, h), nullptr);
    EXPECT_FALSE(IsBmpPath("image/Title.BMP"));
    EXPECT_TRUE(IsBmpPath("image/Title.bmp"));
}

TEST(BmpReader, MalformedHeadersAreRejected)
{
    const std::vector<uint8_t> good = MakeBmp(4, 4);
    int w = 0;
    int h = 0;
    ASSERT_NE(DecodeBmp(good.data(), good.size(), w, h), nullptr);

    struct Case {
        const char* what;
        size_t at;
        uint32_t value;
        bool twoBytes;
    };
    const Case cases[] = {
        {"negative width", 18, 0xFFFFFFFCu, false},
        {"negative height", 22, 0xFFFFFFFCu, false},
        {"zero width", 18, 0, false},
        {"huge width", 18, 0x40000000u, false},
        {"huge height", 22, 0x7FFFFFFFu, false},
        {"rows past the end", 22, 5, false},
        {"pixel offset past the end", 10, 100000, false},
        {"pixel offset inside the header", 10, 20, false},
        {"32 bits per pixel", 28, 32, true},
        {"8 bits per pixel", 28, 8, true},
        {"run-length compressed", 30, 1, false},
        {"old core header", 14, 12, false},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bad = good;
        if (c.twoBytes) {
            PutU16(bad, c.at, static_cast<uint16_t>(c.value));
        } else {
            PutU32(bad, c.at, c.value);
        }
        w = 1;
        h = 1;
        EXPECT_EQ(DecodeBmp(bad.data(), bad.size(), w, h), nullptr) << c.what;
        EXPECT_EQ(w, 0) << c.what;
        EXPECT_EQ(h, 0) << c.what;
    }
    // Every truncation of a valid file is refused; none reads past the end.
    for (size_t size = 0; size < good.size(); ++size) {
        EXPECT_EQ(DecodeBmp(good.data(), size, w, h), nullptr) << size;
    }
    std::vector<uint8_t> notBmp = good;
    notBmp[0] = 'P';
    EXPECT_EQ(DecodeBmp(notBmp.data(), notBmp.size(), w, h), nullptr);
}

TEST(PngReader, EveryColourTypeDepthAndInterlaceGivesTopFirstRgba)
{
    const PngKind kinds[] = {PngKind::Rgba8, PngKind::Palette, PngKind::Grey, PngKind::Rgb16,
                             PngKind::Interlaced};
    for (PngKind kind : kinds) {
        const int width = 3;
        const int height = 2;
        const std::vector<uint8_t> file = MakePng(kind, width, height);
        PngImage image;
        ASSERT_TRUE(DecodePng(file.data(), file.size(), image)) << static_cast<int>(kind);
        ASSERT_EQ(image.width, width);
        ASSERT_EQ(image.height, height);
        ASSERT_EQ(image.rgba.size(), static_cast<size_t>(width * height * 4));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const uint8_t* p = image.rgba.data() + 4 * (y * width + x);
                uint8_t r = 0;
                uint8_t g = 0;
                uint8_t b = 0;
                PixelColour(x, y, r, g, b);
                if (kind == PngKind::Grey) {
                    EXPECT_EQ(p[0], r);
                    EXPECT_EQ(p[1], r);
                    EXPECT_EQ(p[2], r);
                } else {
                    EXPECT_NEAR(p[0], r, 1) << static_cast<int>(kind);
                    EXPECT_NEAR(p[1], g, 1) << static_cast<int>(kind);
                    EXPECT_NEAR(p[2], b, 1) << static_cast<int>(kind);
                }
                const bool seeThrough = kind == PngKind::Rgba8 || kind == PngKind::Interlaced;
                EXPECT_EQ(p[3], seeThrough && x == 0 ? 0 : 255) << static_cast<int>(kind);
            }
        }
    }
}

TEST(PngReader, TruncatedCorruptAndMissingFilesFail)
{
    const std::vector<uint8_t> file = MakePng(PngKind::Rgba8, 8, 8);
    PngImage image;
    for (size_t size : {size_t{0}, size_t{8}, size_t{33}, file.size() / 2, file.size() - 13}) {
        EXPECT_FALSE(DecodePng(file.data(), size, image)) << size;
        EXPECT_EQ(image.width, 0);
        EXPECT_TRUE(image.rgba.empty());
    }
    std::vector<uint8_t> corrupt = file;
    corrupt[corrupt.size() / 2] ^= 0xFF;
    EXPECT_FALSE(DecodePng(corrupt.data(), corrupt.size(), image));
    EXPECT_FALSE(ReadPngFile("/nonexistent/kestrune.png", image));
    EXPECT_FALSE(ReadPngFile(nullptr, image));
}

// The start-up reads the title's pictures ahead on a worker thread: each
// comes out exactly as a direct read gives it, once; a path nobody asked
// for, a broken file and anything left when the next prefetch starts or the
// leftovers are dropped are not handed out, so the caller reads (and reports)
// the file itself.
TEST(ImagePrefetch, HandsOutEachGoodPictureOnceAsADirectReadGivesIt)
{
    TempDir dir;
    const std::string bmp = dir.File("a.bmp");
    const std::string png = dir.File("b.png");
    const std::string broken = dir.File("c.png");
    WriteBytes(bmp, MakeBmp(5, 3));
    WriteBytes(png, MakePng(PngKind::Palette, 6, 4));
    std::vector<uint8_t> corrupt = MakePng(PngKind::Rgba8, 8, 8);
    corrupt.resize(corrupt.size() / 2);
    WriteBytes(broken, corrupt);

    PrefetchImageFiles({bmp, png, broken});
    for (const std::string& path : {png, bmp}) {
        SCOPED_TRACE(path);
        const ImageFile direct = ReadImageFile(path);
        ImageFile taken;
        ASSERT_TRUE(TakePrefetchedImage(path, taken));
        EXPECT_EQ(taken.width, direct.width);
        EXPECT_EQ(taken.height, direct.height);
        EXPECT_EQ(taken.rgb, direct.rgb);
        EXPECT_EQ(taken.opaque, direct.opaque);
        const size_t bytes = static_cast<size_t>(direct.width) * direct.height * (direct.rgb ? 3 : 4);
        EXPECT_TRUE(std::equal(direct.Pixels(), direct.Pixels() + bytes, taken.Pixels()));
        EXPECT_FALSE(TakePrefetchedImage(path, taken)) << "handed out twice";
    }
    ImageFile image;
    EXPECT_FALSE(TakePrefetchedImage(broken, image));
    EXPECT_FALSE(ReadImageFile(broken).Loaded());
    EXPECT_FALSE(TakePrefetchedImage(dir.File("never.png"), image));

    PrefetchImageFiles({bmp});
    PrefetchImageFiles({png});
    EXPECT_FALSE(TakePrefetchedImage(bmp, image)) << "an earlier prefetch's leftover";
    DropPrefetchedImages();
    EXPECT_FALSE(TakePrefetchedImage(png, image)) << "a dropped picture";
}
