#include "data/PlayerName.h"

#include "core/ResText.h"
#include "core/Sjis.h"
#include "data/SettingsFile.h"

QString StoredPlayerName(QString typed) {
    // A pasted line break would split the name over two lines of ZN.INI.
    for (QChar& ch : typed)
        if (ch.unicode() < 0x20) ch = u' ';
    return SjisField(SjisBytes(typed), NameBytes, 0);
}

int PlayerNameProblem(const QString& typed, const QStringList& taken) {
    const QString stored = StoredPlayerName(typed);
    if (stored.isEmpty()) return 76;
    if (!SjisRepresentable(typed)) return TextUnmappableChars;
    if (taken.contains(stored)) return 78;
    return 0;
}
