// Any bytes handed to the PNG layer: a decoded image always has the size it
// reports, and a failure leaves nothing behind.
#include <cstddef>
#include <cstdint>

#include "platform/png_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PngImage image;
    const bool decoded = DecodePng(data, size, image);
    const size_t expected = static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 4;
    if (decoded ? image.rgba.size() != expected || expected == 0 : !image.rgba.empty()) {
        __builtin_trap();
    }
    return 0;
}
