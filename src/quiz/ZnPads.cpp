#include "quiz/ZN.h"

#include "core/AppGlobals.h"
#include "core/PadNames.h"
#include "core/ResText.h"
#include "platform/Controllers.h"

#include <QApplication>

#include <algorithm>

void ZN::connectPads() {
    Controllers& pads = controllers();
    connect(&pads, &Controllers::buttonChanged, this, &ZN::Pad_Button);
    connect(&pads, &Controllers::padConnected, this, &ZN::ShowPadNotice);
    connect(&pads, &Controllers::padDisconnected, this, [this](int pad) {
        // A button held while its pad went away never comes up.
        erase_if(pressedButtons_, [pad](int code) { return PadOfCode(code) == pad; });
        ShowPadNotice();
    });
}

void ZN::Pad_Button(int code, bool pressed) {
    // Like a key: a button pressed while this window is active acts when it comes up, so a
    // press meant for a dialog or a menu never buzzes here.
    const bool ours = isActiveWindow() && !QApplication::activePopupWidget();
    if (pressed) {
        if (ours) pressedButtons_.insert(code);
        return;
    }
    if (!pressedButtons_.remove(code) || !ours) return;
    // The same way as a released key, on the same clock.
    playerBuzz(code, QuizRules::Now);
}

void ZN::ShowPadNotice() {
    const MatchRoster& roster = G().Roster;
    QList<int> missing;
    if (roster.matchOn) {
        const QList<int> connected = controllers().connectedPads();
        const int last = std::clamp(roster.lastPlayer, 0, int(roster.players.size()) - 1);
        for (int i = 0; i <= last; ++i) {
            const int code = roster.players[i].keyCode;
            if (!IsControllerCode(code)) continue;
            const int pad = PadOfCode(code);
            if (!connected.contains(pad) && !missing.contains(pad)) missing.append(pad);
        }
    }
    std::sort(missing.begin(), missing.end());
    QStringList names;
    for (int pad : missing)
        names.append(PadText(pad));
    QString title = G().AppTitle;
    if (!names.isEmpty()) title += ResText(TextPadsUnplugged, names.join(QLatin1Char(' ')));
    setWindowTitle(title);
}
