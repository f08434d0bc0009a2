#include "settings/Cast.h"

#include "core/AppGlobals.h"
#include "core/Paths.h"
#include "core/ResText.h"
#include "core/Sjis.h"
#include "data/SettingsFile.h"
#include "settings/CastHelpers.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

// What the settings dialog checks before it takes an entry: the player count, the players'
// names and keys, the background path.

bool Cast::ParsePlayerCount(const QString& text, int* count) {
    int value = 0;
    if (!RoundedNumber(text, &value) || value < 2 || value > 10) return false;
    *count = value;
    return true;
}

void Cast::Nin_LostFocus() {
    int count = 0;
    if (ParsePlayerCount(Nin->text(), &count)) {
        VScroll1->setValue(count);
        G().Roster.lastPlayer = count - 1;
        return;
    }
    MSG->setText(LoadResString(TextPlayerCount));
    // The focus is on its way to another box; bring it back once it has arrived, with the
    // message, so the count is put right before anything else.
    QTimer::singleShot(0, this, [this] {
        int ignored = 0;
        if (!isVisible() || !Nin->isVisible() || ParsePlayerCount(Nin->text(), &ignored)) return;
        pendingMessage = LoadResString(TextPlayerCount);
        focusWithMessage(Nin);
    });
}

void Cast::VScroll1_Change() {
    ShowPendingMessage();
    Nin->setText(QString::number(VScroll1->value()));
    G().Roster.lastPlayer = VScroll1->value() - 1;
    EnablePlayerRows();
}

bool Cast::applyPlayerCount() {
    int count = 0;
    if (!ParsePlayerCount(Nin->text(), &count)) {
        pendingMessage = LoadResString(TextPlayerCount);
        focusWithMessage(Nin);
        return false;
    }
    if (VScroll1->value() != count) VScroll1->setValue(count);
    G().Roster.lastPlayer = count - 1;
    return true;
}

void Cast::focusWithMessage(QWidget* box) {
    box->setFocus(Qt::OtherFocusReason);
    // A box that already had the focus (or a window not active yet) gets no focus event.
    if (!pendingMessage.isEmpty()) ShowPendingMessage();
}

bool Cast::ValidatePlayers() {
    MatchRoster& roster = G().Roster;
    for (PlayerEntry& player : roster.players)
        player.keyCode = 0;
    const int last = std::clamp(roster.lastPlayer, 1, 9);

    auto fail = [this](QWidget* box, int textId) {
        pendingMessage = LoadResString(textId);
        focusWithMessage(box);
        return false;
    };
    // Names are checked as they will be stored, so two players can never end up with one name
    // (" Bb" and "Bb", or long names that agree in their first 14 bytes).
    std::array<QString, 10> names;
    for (int i = 0; i <= last; ++i)
        names[i] = StoredName(NameK[i]->currentText());
    for (int i = 0; i <= last; ++i) {
        if (names[i].isEmpty()) return fail(NameK[i], 76);
        if (UKey[i]->currentText().isEmpty()) return fail(UKey[i], 77);
        for (int j = i + 1; j <= last; ++j) {
            if (names[j] == names[i]) return fail(NameK[i], 78);
            if (UKey[j]->currentText() == UKey[i]->currentText()) return fail(UKey[i], 78);
        }
        roster.players[i].keyCode = UKey[i]->currentData().toInt();
    }

    for (int i = 0; i <= last; ++i)
        roster.players[i].name = names[i];
    if (!AppendMembers(G().IniPath, kept.members,
                       QStringList(names.begin(), names.begin() + last + 1))) {
        reportIoFailure();
        return false;
    }
    return true;
}

bool Cast::BackgroundPathExists(const QString& path) {
    QString p = TrimBlanks(path);
    if (p.isEmpty()) return true;
    // A bare name would be found in whatever folder the program was started from, and the main
    // window takes only a full path for a picture.
    const int kind = PathKind(p);
    if (kind != 1 && kind != 2) return false;
    p.replace(u'\\', u'/');
    if (p.contains(u'*') || p.contains(u'?')) {
        const QFileInfo pattern(p);
        const QDir folder(pattern.path());
        return !folder.entryList({pattern.fileName()}, QDir::Files).isEmpty();
    }
    if (p.endsWith(u'/')) {
        const QDir folder(p);
        return folder.exists() && !folder.entryList(QDir::Files).isEmpty();
    }
    return QFileInfo(p).isFile();
}

void Cast::warnUnmappableName(QWidget* left) {
    // A name is remembered in code page 932; a character it cannot hold becomes "?" there.
    for (QComboBox* box : NameK) {
        if (!box || !IsWithin(left, box) || SjisRepresentable(box->currentText())) continue;
        pendingMessage = LoadResString(TextUnmappableChars);
        MSG->setText(pendingMessage);
    }
}
