#pragma once

#include <QString>
#include <QStringList>

// A match player's name as it is kept (ZN.INI, the log): control characters become blanks, then
// it is trimmed and cut to NameBytes code page 932 bytes without splitting a character.
QString StoredPlayerName(QString typed);

// Why a typed name cannot join players already named `taken` (stored forms): 0 when it can,
// else the string-table text to show: 76 empty, 78 taken, TextUnmappableChars when code page
// 932 cannot hold it.
int PlayerNameProblem(const QString& typed, const QStringList& taken);
