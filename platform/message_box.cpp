#include "platform/message_box.h"

#include <SDL.h>  // Required for: SDL_ShowSimpleMessageBox

#include "platform/font_box.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The box carries no title of the game's own, only a plain system-like word.
constexpr const char* BoxTitle = "Error";

bool BoxWanted()
{
    const char* skip = std::getenv("KESTRUNE_NO_MESSAGE_BOX");
    if (skip != nullptr && std::strcmp(skip, "1") == 0) {
        return false;
    }
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (display != nullptr && display[0] != '\0') || (wayland != nullptr && wayland[0] != '\0');
}

}  // namespace

void ShowMessageBox(const char* text)
{
    const char* shown = text != nullptr ? text : "";
    std::fprintf(stderr, "%s\n", shown);
    std::fflush(stderr);
    if (!BoxWanted()) {
        return;
    }
    // SDL's box draws with the X server's core fonts, which many desktops
    // and bare X servers lack; ours then draws with the client's own fonts.
    // Without any usable display the stderr copy is all there is.
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, BoxTitle, shown, nullptr) != 0) {
        ShowFontBox(BoxTitle, shown);
    }
}
