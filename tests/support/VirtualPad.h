#pragma once

#include <QByteArray>

struct _SDL_Joystick;
class SdlControllers;

// An SDL virtual joystick standing in for a game controller or a buzzer box. Needs SDL's
// joystick subsystem running (an SdlControllers alive). Pads of one vendor and product are one
// kind of device to the reader, like two boxes of one model.
class VirtualPad {
public:
    VirtualPad(int buttons, int vendor, int product = 1, const char* name = "Test pad");
    ~VirtualPad();
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    void plug();
    void unplug();
    bool plugged() const { return joystick_ != nullptr; }
    void setButton(int button, bool down);
    // Down and up, with the reader looking in between: SDL's virtual devices only report the
    // state they have when the reader looks.
    void tap(SdlControllers& reader, int button);

private:
    int buttons_, vendor_, product_;
    QByteArray name_;
    _SDL_Joystick* joystick_ = nullptr;
};
