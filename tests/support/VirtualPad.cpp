#include "support/VirtualPad.h"

#include "platform/SdlControllers.h"

#include <SDL.h>

VirtualPad::VirtualPad(int buttons, int vendor, int product, const char* name)
    : buttons_(buttons), vendor_(vendor), product_(product), name_(name) {
    plug();
}

VirtualPad::~VirtualPad() {
    unplug();
}

void VirtualPad::plug() {
    if (joystick_) return;
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.nbuttons = Uint16(buttons_);
    desc.vendor_id = Uint16(vendor_);
    desc.product_id = Uint16(product_);
    desc.name = name_.constData();
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index >= 0) joystick_ = SDL_JoystickOpen(index);
}

void VirtualPad::unplug() {
    if (!joystick_) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
}

void VirtualPad::setButton(int button, bool down) {
    if (joystick_) SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
}

void VirtualPad::tap(SdlControllers& reader, int button) {
    setButton(button, true);
    reader.pollNow();
    setButton(button, false);
    reader.pollNow();
}
