#include "platform/SdlLibrary.h"

#include <QLibrary>

#include <optional>
#include <type_traits>

namespace {

std::optional<SdlLibrary> Load() {
#ifdef Q_OS_WIN
    QLibrary library(QStringLiteral("SDL2"));
#else
    QLibrary library(QStringLiteral("SDL2-2.0"), 0); // libSDL2-2.0.so.0, libSDL2-2.0.0.dylib
#endif
    if (!library.load()) return std::nullopt;
    SdlLibrary sdl{};
    bool complete = true;
    auto take = [&](auto& function, const char* name) {
        function =
            reinterpret_cast<std::remove_reference_t<decltype(function)>>(library.resolve(name));
        complete = complete && function;
    };
    take(sdl.SetHint, "SDL_SetHint");
    take(sdl.InitSubSystem, "SDL_InitSubSystem");
    take(sdl.QuitSubSystem, "SDL_QuitSubSystem");
    take(sdl.EventState, "SDL_EventState");
    take(sdl.PeepEvents, "SDL_PeepEvents");
    take(sdl.FlushEvents, "SDL_FlushEvents");
    take(sdl.JoystickUpdate, "SDL_JoystickUpdate");
    take(sdl.JoystickOpen, "SDL_JoystickOpen");
    take(sdl.JoystickClose, "SDL_JoystickClose");
    take(sdl.JoystickGetDeviceInstanceID, "SDL_JoystickGetDeviceInstanceID");
    take(sdl.JoystickGetGUID, "SDL_JoystickGetGUID");
    take(sdl.JoystickGetGUIDString, "SDL_JoystickGetGUIDString");
    take(sdl.JoystickGetSerial, "SDL_JoystickGetSerial");
    take(sdl.JoystickName, "SDL_JoystickName");
    take(sdl.JoystickPath, "SDL_JoystickPath");
    // The library stays loaded for the rest of the program: QLibrary does not unload on
    // destruction.
    if (!complete) return std::nullopt;
    return sdl;
}

} // namespace

const SdlLibrary* LoadSdlLibrary() {
    static const std::optional<SdlLibrary> sdl = Load();
    return sdl ? &*sdl : nullptr;
}
