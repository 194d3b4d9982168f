// Feeds arbitrary bytes to the static .x reader; it must reject or read them
// without touching memory out of range.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "render/static_model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StaticModel model;
    ParseStaticModel(std::string_view(reinterpret_cast<const char*>(data), size), model);
    return 0;
}
