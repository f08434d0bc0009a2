#pragma once

#include <QString>

#include <functional>

// Whether a display server answers, asked before Qt is started: Qt ends the process with an
// abort when its platform plugin finds no server, so the program asks first and says so itself.
struct DisplayProbe {
    // True when the X server named like DISPLAY (":0", "host:1.0") accepts a connection.
    std::function<bool(const QString& display)> x11;
    // True when the Wayland compositor named like WAYLAND_DISPLAY (a socket name in
    // XDG_RUNTIME_DIR, or an absolute path) accepts a connection and Qt can speak Wayland.
    std::function<bool(const QString& display)> wayland;
};

// The probes that really connect (and disconnect at once).
DisplayProbe SystemDisplayProbe();
