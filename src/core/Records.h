#pragma once

#include <QString>
#include <QStringList>

#include <array>

// One question as held in memory: question (at most 288 Shift-JIS bytes), answer (at most 60),
// genre as its one-character digit "1"-"7" (whatever the file held, until a reader repairs it).
struct QuestionRecord {
    QString question;
    QString answer;
    QString genre;
};

// The 20-byte record at the start of ZN.INI. Each field keeps its text exactly as read, so a
// value out of range survives a round trip; toBytes() pads or cuts every field to its width.
struct SettingsRecord {
    QString soundOn = QStringLiteral("ON ");      // 3 bytes
    QString speedLevel = QStringLiteral("3");     // 1 byte, "1"-"5"
    QString readPressOn = QStringLiteral("ON ");  // 3 bytes
    QString readPressChars = QStringLiteral("2"); // 1 byte, "2"-"5"
    QString gothicFont = QStringLiteral("ON ");   // 3 bytes
    QString randomOrder = QStringLiteral("ON ");  // 3 bytes
    QString revealOn = QStringLiteral("ON ");     // 3 bytes
    QString timeOverMark = QStringLiteral("X");   // 1 byte, "O" or "X"
    QString lineEnd = QStringLiteral("\r\n");     // 2 bytes

    static constexpr int Size = 20;
    QByteArray toBytes() const;                         // exactly 20 bytes
    static SettingsRecord fromBytes(const QByteArray&); // first 20 bytes; shorter input is padded
    bool operator==(const SettingsRecord&) const = default;
};

// The remembered player names (at most 100), in file order.
using MemberList = QStringList;

// One player of a match: a name of at most 14 Shift-JIS bytes and the virtual-key code that buzzes.
struct PlayerEntry {
    QString name;
    int keyCode = 0;
};

// The match state handed from the settings dialog to the main window; never stored in a file.
struct MatchRoster {
    bool matchOn = false;
    int lastPlayer = 1; // players - 1, 1..9
    std::array<PlayerEntry, 10> players{};
};
