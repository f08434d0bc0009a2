#pragma once

#include <SDL.h>

// The SDL functions the controller reader uses, taken from the shared library at run time. The
// program does not link SDL, so its start does not pay for loading SDL and the sound and display
// libraries SDL itself pulls in; and a system without SDL still runs, with no game controllers.
struct SdlLibrary {
    decltype(&SDL_SetHint) SetHint;
    decltype(&SDL_InitSubSystem) InitSubSystem;
    decltype(&SDL_QuitSubSystem) QuitSubSystem;
    decltype(&SDL_EventState) EventState;
    decltype(&SDL_PeepEvents) PeepEvents;
    decltype(&SDL_FlushEvents) FlushEvents;
    decltype(&SDL_JoystickUpdate) JoystickUpdate;
    decltype(&SDL_JoystickOpen) JoystickOpen;
    decltype(&SDL_JoystickClose) JoystickClose;
    decltype(&SDL_JoystickGetDeviceInstanceID) JoystickGetDeviceInstanceID;
    decltype(&SDL_JoystickGetGUID) JoystickGetGUID;
    decltype(&SDL_JoystickGetGUIDString) JoystickGetGUIDString;
    decltype(&SDL_JoystickGetSerial) JoystickGetSerial;
    decltype(&SDL_JoystickName) JoystickName;
    decltype(&SDL_JoystickPath) JoystickPath;
};

// Loads SDL 2 once; nullptr when it is not installed or lacks one of the functions (older than
// 2.24, which added the device path).
const SdlLibrary* LoadSdlLibrary();
