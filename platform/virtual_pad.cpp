#include "platform/virtual_pad.h"

#include <SDL.h>  // Required for: SDL's virtual joystick and controller names

#include <algorithm>

namespace {

SDL_Joystick* pad = nullptr;

}  // namespace

bool PlugVirtualPad()
{
    if (pad != nullptr) {
        return true;
    }
    SDL_VirtualJoystickDesc description;
    SDL_zero(description);
    description.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    description.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    description.naxes = SDL_CONTROLLER_AXIS_MAX;
    description.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    description.name = "Kestrune virtual pad";
    const int deviceIndex = SDL_JoystickAttachVirtualEx(&description);
    if (deviceIndex < 0) {
        return false;
    }
    pad = SDL_JoystickOpen(deviceIndex);
    return pad != nullptr;
}

void UnplugVirtualPad()
{
    if (pad == nullptr) {
        return;
    }
    const SDL_JoystickID instance = SDL_JoystickInstanceID(pad);
    SDL_JoystickClose(pad);
    pad = nullptr;
    for (int deviceIndex = 0; deviceIndex < SDL_NumJoysticks(); ++deviceIndex) {
        if (SDL_JoystickGetDeviceInstanceID(deviceIndex) == instance) {
            SDL_JoystickDetachVirtual(deviceIndex);
            return;
        }
    }
}

int PadButtonFromName(const std::string& name)
{
    return SDL_GameControllerGetButtonFromString(name.c_str());
}

int PadAxisFromName(const std::string& name)
{
    return SDL_GameControllerGetAxisFromString(name.c_str());
}

void SetVirtualPadButton(int button, bool down)
{
    if (pad != nullptr) {
        SDL_JoystickSetVirtualButton(pad, button, down ? 1 : 0);
    }
}

void SetVirtualPadAxis(int axis, int value)
{
    if (pad != nullptr) {
        SDL_JoystickSetVirtualAxis(pad, axis, static_cast<Sint16>(std::clamp(value, -32768, 32767)));
    }
}
