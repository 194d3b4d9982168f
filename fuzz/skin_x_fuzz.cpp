// Feeds arbitrary bytes to the skinned .x reader and poses whatever it
// accepts, so the posing code also meets every frame tree a file can make.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "render/posing.h"
#include "render/skin_model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SkinModel model;
    if (ParseSkinModel(std::string_view(reinterpret_cast<const char*>(data), size), model)) {
        for (int set = 0; set < model.animationSetCount; ++set) {
            PoseSkinModel(model, set, 15.0f);
        }
    }
    return 0;
}
