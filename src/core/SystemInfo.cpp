#include "core/SystemInfo.h"

#include "core/Paths.h"
#include "core/Sjis.h"
#include "platform/Platform.h"

QString RegisteredOwnerName() {
    // The name was read into a 256-byte buffer ending in a NUL: at most 255 code page 932 bytes,
    // never half of a double-byte character.
    const QString name = TrimNul(platform().registeredOwnerName());
    int bytes = 0;
    qsizetype keep = 0;
    while (keep < name.size()) {
        const int width = name.at(keep) == QLatin1Char(' ') ? 1 : SjisWidth(name, int(keep) + 1);
        if (bytes + width > 255) break;
        bytes += width;
        ++keep;
    }
    return TrimNul(name.left(keep));
}
