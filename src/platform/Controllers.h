#pragma once

#include <QList>
#include <QObject>

// Player buttons that are not keyboard keys share the int code of a match player's key. Keyboard
// keys are virtual-key codes 1-255; everything from ControllerCodeBase up is some other device.
namespace BuzzerCode {
constexpr int ControllerBase = 0x10000; // + pad * 256 + button
constexpr int PhoneBase = 0x20000;      // + phone number (1-based)
constexpr int MaxPads = 256;
constexpr int MaxButtons = 256;
} // namespace BuzzerCode

constexpr int ControllerButtonCode(int pad, int button) {
    return BuzzerCode::ControllerBase + pad * BuzzerCode::MaxButtons + button;
}
constexpr bool IsControllerCode(int code) {
    return code >= BuzzerCode::ControllerBase && code < BuzzerCode::PhoneBase;
}
constexpr int PadOfCode(int code) {
    return (code - BuzzerCode::ControllerBase) / BuzzerCode::MaxButtons;
}
constexpr int ButtonOfCode(int code) {
    return (code - BuzzerCode::ControllerBase) % BuzzerCode::MaxButtons;
}

// Game controllers, joysticks and USB buzzer boxes as sources of player buttons. A pad keeps its
// number (0-based) for the whole session: unplugged and plugged in again it is the same pad, so
// a player's button works again when the device returns.
class Controllers : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Pads plugged in now, in number order.
    virtual QList<int> connectedPads() const = 0;
    bool isConnected(int pad) const { return connectedPads().contains(pad); }

signals:
    // A button went down or up; code is ControllerButtonCode(pad, button).
    void buttonChanged(int code, bool pressed);
    void padConnected(int pad);
    // Buttons held at that moment send no release.
    void padDisconnected(int pad);
};

// The controllers in use: none until the program (or a test) installs a reader.
Controllers& controllers();
// Replaces the reader (not owned; nullptr goes back to none); returns the previous one.
Controllers* setControllers(Controllers* replacement);
