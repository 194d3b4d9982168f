#include "app/frame_trace.h"

#include <cxxabi.h>  // Required for: abi::__cxa_demangle, the screen's class name

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <typeinfo>

#include "app/input_script.h"
#include "app/scene.h"
#include "platform/key_input.h"

namespace {

std::FILE* trace = nullptr;
uint8_t tracedKeys[256] = {};
const Scene* tracedScreen = nullptr;

std::string ClassName(const Scene& screen)
{
    const char* mangled = typeid(screen).name();
    int status = 0;
    char* name = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    const std::string result = status == 0 ? name : mangled;
    std::free(name);
    return result;
}

}  // namespace

bool OpenFrameTrace(const std::string& path)
{
    trace = std::fopen(path.c_str(), "w");
    if (trace != nullptr) {
        // Whole lines as they happen: a test reads the file while we run.
        std::setvbuf(trace, nullptr, _IOLBF, 0);
    }
    return trace != nullptr;
}

void TraceKeys(int frame)
{
    if (trace == nullptr) {
        return;
    }
    uint8_t keys[256] = {};
    PlatformKeyboardState(keys);
    if (std::memcmp(keys, tracedKeys, sizeof keys) == 0) {
        return;
    }
    std::memcpy(tracedKeys, keys, sizeof keys);
    std::string line = std::to_string(frame) + " keys";
    for (int key = 0; key < 256; ++key) {
        if ((keys[key] & 0x80) != 0) {
            line += " " + KeyName(key);
        }
    }
    std::fprintf(trace, "%s\n", line.c_str());
}

void TraceScreen(int frame, const Scene* screen)
{
    if (trace == nullptr || screen == tracedScreen) {
        return;
    }
    tracedScreen = screen;
    if (screen != nullptr) {
        std::fprintf(trace, "%d screen %s\n", frame, ClassName(*screen).c_str());
    }
}
