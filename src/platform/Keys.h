#pragma once

#include <QList>

class QKeyEvent;

// Windows virtual-key codes, used everywhere in the program (Esc 27, F1 112, player keys ...).
namespace VK {
constexpr int Return = 13, Escape = 27, Space = 32, Left = 37, Up = 38, Right = 39, Down = 40;
constexpr int Delete = 46, F1 = 112, F2 = 113, F24 = 135, Numpad0 = 96, Alt = 18;
} // namespace VK

// Keyboard layouts whose symbol keys have their own codes on Windows. Any layout other than a
// Japanese one is read as US.
enum class KeyLayout { Jis, Us };

// The layout of the keyboard in use; JIS when the system does not say.
KeyLayout CurrentKeyLayout();

// The virtual-key code of a key event (nativeVirtualKey() on Windows; elsewhere from the Qt key,
// the keypad modifier and the layout's OEM keys). 0 when the key has no code.
int VirtualKey(const QKeyEvent* event);
int VirtualKey(const QKeyEvent* event, KeyLayout layout);
// The physical key of an event: its native scan code, or the Qt key when it carries none. The
// press and the release of one key share it even when Shift changed in between.
quint32 PhysicalKey(const QKeyEvent* event);
// Auto-repeated events are ignored by the windows, so a held key acts once.
bool IsAutoRepeat(const QKeyEvent* event);
// Asks the window system to send a held key as one press and one release, without the
// release+press pairs of auto-repeat (X11: the XKB detectable auto-repeat flag of this client).
// True when the system does so; Windows and macOS always do, so there it is true at once.
bool RequestDetectableAutoRepeat();
// Every code VirtualKey can return, on either layout.
QList<int> ProducibleVirtualKeys();
