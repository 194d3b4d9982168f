// Any bytes handed to the BMP reader: it accepts or rejects, and never reads
// outside the data or allocates more than the header can justify.
#include <cstddef>
#include <cstdint>

#include "render/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    int width = 0;
    int height = 0;
    const std::unique_ptr<uint8_t[]> pixels = DecodeBmp(data, size, width, height);
    if (pixels != nullptr && (width <= 0 || height <= 0)) {
        __builtin_trap();
    }
    return 0;
}
