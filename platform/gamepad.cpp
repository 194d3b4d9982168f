#include "platform/gamepad.h"

#include <SDL.h>  // Required for: the game controller API, its device events

#include <cmath>
#include <vector>

#include "platform/key_input.h"

namespace {

bool started = false;
bool onlyVirtualPads = false;
bool menuMode = true;
std::vector<SDL_GameController*> pads;

struct ButtonKey {
    SDL_GameControllerButton button;
    int key;
    bool menusOnly;
};

constexpr ButtonKey ButtonKeys[] = {
    {SDL_CONTROLLER_BUTTON_A, VkEnter, false},
    {SDL_CONTROLLER_BUTTON_A, VkCtrl, false},
    {SDL_CONTROLLER_BUTTON_B, 'B', false},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 'R', false},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, 'W', false},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, 'A', false},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, 'S', false},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 'D', false},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, VkUp, true},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, VkLeft, true},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, VkDown, true},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, VkRight, true},
};

// Per-frame axis and button events would only fill SDL's queue: the state
// is read directly. Device events stay on for the hot-plug.
constexpr Uint32 UnreadEvents[] = {
    SDL_JOYAXISMOTION,         SDL_JOYBALLMOTION,           SDL_JOYHATMOTION,
    SDL_JOYBUTTONDOWN,         SDL_JOYBUTTONUP,             SDL_JOYBATTERYUPDATED,
    SDL_CONTROLLERAXISMOTION,  SDL_CONTROLLERBUTTONDOWN,    SDL_CONTROLLERBUTTONUP,
    SDL_CONTROLLERTOUCHPADDOWN, SDL_CONTROLLERTOUCHPADMOTION, SDL_CONTROLLERTOUCHPADUP,
    SDL_CONTROLLERSENSORUPDATE,
};

SDL_JoystickID InstanceOf(SDL_GameController* pad)
{
    return SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
}

void OpenPad(int deviceIndex)
{
    if (onlyVirtualPads && !SDL_JoystickIsVirtual(deviceIndex)) {
        return;
    }
    const SDL_JoystickID instance = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    for (SDL_GameController* pad : pads) {
        if (InstanceOf(pad) == instance) {
            return;
        }
    }
    if (SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex)) {
        pads.push_back(pad);
    }
}

void ClosePulledPads()
{
    for (auto pad = pads.begin(); pad != pads.end();) {
        if (SDL_GameControllerGetAttached(*pad)) {
            ++pad;
        } else {
            SDL_GameControllerClose(*pad);
            pad = pads.erase(pad);
        }
    }
}

// A stick outside the dead zone gives one of eight directions, 45 degrees
// each: an axis counts once it carries at least sin(22.5 degrees) of the
// push, so a stick held straight ahead with a little sideways drift walks
// straight ahead.
void StickKeys(SDL_GameController* pad, SDL_GameControllerAxis xAxis, SDL_GameControllerAxis yAxis, int left,
               int right, int up, int down, uint8_t table[256])
{
    const float x = SDL_GameControllerGetAxis(pad, xAxis);
    const float y = SDL_GameControllerGetAxis(pad, yAxis);
    const float push = std::sqrt(x * x + y * y);
    if (push <= static_cast<float>(PadStickDeadZone)) {
        return;
    }
    const float share = push * 0.38268343f;
    // SDL's y axes grow downwards.
    if (x <= -share) {
        table[left] |= 0x80;
    }
    if (x >= share) {
        table[right] |= 0x80;
    }
    if (y <= -share) {
        table[up] |= 0x80;
    }
    if (y >= share) {
        table[down] |= 0x80;
    }
}

}  // namespace

bool InitGamepads(bool virtualOnly)
{
    if (started) {
        return true;
    }
    // SDL would otherwise catch Ctrl+C and the terminate signal as a quit
    // event that nobody reads, and the game could not be stopped that way.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        return false;
    }
    for (Uint32 type : UnreadEvents) {
        SDL_EventState(type, SDL_IGNORE);
    }
    onlyVirtualPads = virtualOnly;
    started = true;
    return true;
}

void ShutdownGamepads()
{
    if (!started) {
        return;
    }
    for (SDL_GameController* pad : pads) {
        SDL_GameControllerClose(pad);
    }
    pads.clear();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    started = false;
}

void SetPadMenuMode(bool menus)
{
    menuMode = menus;
}

void PollGamepads(uint8_t table[256])
{
    if (!started) {
        return;
    }
    // Polling events also updates every open pad's state.
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (event.type == SDL_CONTROLLERDEVICEADDED) {
            OpenPad(event.cdevice.which);
        }
    }
    ClosePulledPads();
    for (SDL_GameController* pad : pads) {
        StickKeys(pad, SDL_CONTROLLER_AXIS_LEFTX, SDL_CONTROLLER_AXIS_LEFTY, 'A', 'D', 'W', 'S', table);
        StickKeys(pad, SDL_CONTROLLER_AXIS_RIGHTX, SDL_CONTROLLER_AXIS_RIGHTY, VkLeft, VkRight, VkUp, VkDown, table);
        for (const ButtonKey& mapping : ButtonKeys) {
            if ((!mapping.menusOnly || menuMode) && SDL_GameControllerGetButton(pad, mapping.button) != 0) {
                table[mapping.key] |= 0x80;
            }
        }
    }
}
