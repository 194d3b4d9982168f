#include "platform/debug_sink.h"

#include <cstdio>
#include <cstdlib>

void DebugOutput(const char* text)
{
    static const bool enabled = std::getenv("KESTRUNE_DEBUG_OUTPUT") != nullptr;
    if (enabled) {
        std::fputs(text, stderr);
    }
}
