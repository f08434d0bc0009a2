#pragma once

#include <QHash>

#include <functional>
#include <optional>

// Decides which key presses and releases reach the quiz, so that one physical press and release
// is one press and one release for it. Players hold a key while a question is read, while the
// operator judges and while menus are open; the key acts when let go.
// - An auto-repeated press or release never acts. A release followed by a press of the same key
//   with the same time stamp is auto-repeat too (X11 sends held keys as such pairs): a release is
//   held back until settle(), which the window calls at the next turn of its event loop.
// - A key pressed while the quiz window had the keyboard stays the window's until let go, across
//   menus, the judge pop-up and dialogs; its release acts when the window has the keyboard again.
// - A release while a menu, pop-up or dialog has the keyboard is theirs and does not act.
// - A key pressed while they had the keyboard does not act when let go later, except a match
//   player's own key (players press in anticipation while the operator judges). Esc, Return, Alt
//   and the F-keys pressed there never act: they were commands of the menu or dialog.
class HeldKeys {
public:
    enum class Owner { Quiz, Other }; // who had the keyboard when the event came

    struct Stroke {
        quint32 physical = 0;    // the physical key (PhysicalKey)
        int key = 0;             // its virtual-key code
        quint64 time = 0;        // the event's time stamp in ms; 0 when it carries none
        bool autoRepeat = false; // marked auto-repeat by the window system
    };

    std::function<void(int)> keyDown;     // a press in the quiz window
    std::function<void(int)> keyUp;       // a release that acts in the quiz
    std::function<bool(int)> isPlayerKey; // a match player's own key, at the moment of release

    void press(const Stroke& stroke, Owner owner);
    // True when the release is held back for settle(). A release without a time stamp (made by a
    // program, not a keyboard) cannot be told from auto-repeat and is settled at once.
    bool release(const Stroke& stroke, Owner owner);
    // The held-back release acts now, if no press showed it to be auto-repeat.
    void settle();
    bool releasePending() const { return pending_.has_value(); }
    bool isHeld(quint32 physical) const { return held_.contains(physical); }
    // The keyboard went to another program: releases of what is held will never come here.
    void forgetAll();

private:
    struct Held {
        int key;
        Owner pressedIn;
    };
    struct Release {
        Stroke stroke;
        Owner owner;
    };
    bool acts(const Held& held, Owner releasedIn) const;

    QHash<quint32, Held> held_;
    std::optional<Release> pending_;
};
