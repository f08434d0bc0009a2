#include "about/VersionLines.h"

#include "core/ResText.h"
#include "core/Sjis.h"

#include <QStringList>

QString FormatThousands(qint64 value) {
    const bool negative = value < 0;
    // The magnitude as unsigned, so the smallest value has one too.
    quint64 magnitude = negative ? quint64(0) - quint64(value) : quint64(value);
    QString digits = QString::number(magnitude);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return negative ? QLatin1Char('-') + digits : digits;
}

bool IsNetworkFileSystem(const QString& type) {
    static const QStringList network = {
        QStringLiteral("nfs"),    QStringLiteral("nfs4"),   QStringLiteral("cifs"),
        QStringLiteral("smb"),    QStringLiteral("smbfs"),  QStringLiteral("smb2"),
        QStringLiteral("smb3"),   QStringLiteral("sshfs"),  QStringLiteral("ncpfs"),
        QStringLiteral("afs"),    QStringLiteral("coda"),   QStringLiteral("9p"),
        QStringLiteral("davfs"),  QStringLiteral("ceph"),   QStringLiteral("glusterfs"),
        QStringLiteral("lustre"), QStringLiteral("ocfs2"),  QStringLiteral("gfs2"),
        QStringLiteral("afpfs"),  QStringLiteral("webdav"), QStringLiteral("rclone"),
    };
    QString t = type.trimmed().toLower();
    // FUSE file systems are reported as "fuse.<name>" ("fuse.sshfs", "fuse.davfs2").
    if (t.startsWith(QStringLiteral("fuse."))) t = t.mid(5);
    while (!t.isEmpty() && t.back().isDigit() && !network.contains(t))
        t.chop(1); // "davfs2", "smb3" and the like
    return network.contains(t);
}

QString DriveName(const QString& rootPath) {
    QString name = rootPath;
    while (name.size() > 1 && (name.endsWith(QLatin1Char('/')) || name.endsWith(QLatin1Char('\\'))))
        name.chop(1);
    return name;
}

QString DiskLine(int pathKind, const QString& fileSystemType, const QString& drive,
                 qint64 freeBytes) {
    if (pathKind != 1 || IsNetworkFileSystem(fileSystemType)) return ResText(124);
    const QString amount = freeBytes < 0 ? QStringLiteral("?") : FormatThousands(freeBytes);
    return ResText(87, amount).replace(QLatin1Char('X'), drive);
}

QString ShortenMiddle(const QString& text, qsizetype keep) {
    if (keep >= text.size()) return text;
    keep = qMax<qsizetype>(0, keep);
    qsizetype head = (keep + 1) / 2, tail = keep / 2;
    // A character outside the basic plane is two code units: never cut between them.
    if (head > 0 && text.at(head - 1).isHighSurrogate()) --head;
    if (tail > 0 && text.at(text.size() - tail).isLowSurrogate()) --tail;
    return text.left(head) + QChar(0x2026) + text.right(tail);
}

QString FittedDiskLine(int pathKind, const QString& fileSystemType, const QString& drive,
                       qint64 freeBytes, const QFontMetrics& metrics, int maxWidth) {
    QString line = DiskLine(pathKind, fileSystemType, drive, freeBytes);
    if (pathKind != 1 || IsNetworkFileSystem(fileSystemType)) return line;
    int width = metrics.horizontalAdvance(line);
    // At least its first and last characters stay, so the line still tells which drive it is.
    for (qsizetype keep = drive.size() - 1; width > maxWidth && keep >= 2; --keep) {
        const QString shorter =
            DiskLine(pathKind, fileSystemType, ShortenMiddle(drive, keep), freeBytes);
        // "…" is wider than one or two narrow characters: cut only where it gains room.
        const int shorterWidth = metrics.horizontalAdvance(shorter);
        if (shorterWidth >= width) continue;
        line = shorter;
        width = shorterWidth;
    }
    return line;
}

QString FormatDateTime(const QDateTime& local, const QString& pattern) {
    static const char16_t* const weekdays[] = {u"月曜日", u"火曜日", u"水曜日", u"木曜日",
                                               u"金曜日", u"土曜日", u"日曜日"};
    const QDate date = local.date();
    const QTime time = local.time();
    // An a/p marker anywhere turns the hours to the 12-hour clock (12, 1, ..., 11).
    const bool twelveHour = pattern.contains(QStringLiteral("a/p"), Qt::CaseInsensitive);
    const int hour = twelveHour ? (time.hour() % 12 == 0 ? 12 : time.hour() % 12) : time.hour();
    auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };

    QString out;
    qsizetype i = 0;
    auto takes = [&](const char* token) {
        const QLatin1String t(token);
        if (!pattern.mid(i).startsWith(t, Qt::CaseInsensitive)) return false;
        i += t.size();
        return true;
    };
    while (i < pattern.size()) {
        if (pattern.at(i) == QLatin1Char('\\') && i + 1 < pattern.size()) {
            out += pattern.at(i + 1);
            i += 2;
        } else if (takes("dddd")) {
            out += QString::fromUtf16(weekdays[date.dayOfWeek() - 1]);
        } else if (takes("dd")) {
            out += two(date.day());
        } else if (takes("d")) {
            out += QString::number(date.day());
        } else if (takes("mmmm")) {
            out += QString::number(date.month()) + QStringLiteral("月");
        } else if (takes("mm")) {
            out += two(date.month());
        } else if (takes("m")) {
            out += QString::number(date.month());
        } else if (takes("yyyy")) {
            out += QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
        } else if (takes("hh")) {
            out += two(hour);
        } else if (takes("h")) {
            out += QString::number(hour);
        } else if (takes("nn")) {
            out += two(time.minute());
        } else if (takes("ss")) {
            out += two(time.second());
        } else if (takes("a/p")) {
            out += time.hour() < 12 ? QLatin1Char('a') : QLatin1Char('p');
        } else {
            out += pattern.at(i++);
        }
    }
    return out;
}

QString DateLine(const QDateTime& local) {
    // The field is 44 code-page bytes wide, a full-width character counting two, like every
    // fixed-width text of the program: counted in characters, the line would run past the
    // window's edge by the width of its four full-width characters.
    QString text = FormatDateTime(local, ResText(38));
    qsizetype bytes = SjisEncode(text).size();
    while (bytes > 44) {
        bytes -= SjisEncode(text.left(1)).size();
        text.remove(0, 1);
    }
    return QString(44 - bytes, QLatin1Char(' ')) + text;
}
