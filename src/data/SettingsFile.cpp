#include "data/SettingsFile.h"

#include "core/Paths.h"
#include "core/SafeFile.h"
#include "core/Sjis.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr int RecordSize = SettingsRecord::Size;
const QByteArray CrLf("\r\n");

// A settings file this program writes is a few kilobytes. Only this much of a larger file is
// looked at; whatever lies beyond is kept byte for byte by every rewrite.
constexpr qint64 HeadLimit = 4 * 1024 * 1024;

// The start of the file and what is known about its shape. Lines are found on bytes: a CR LF can
// never be the second byte of a double-byte character, so this is the same split as on text,
// and it keeps bytes that are not valid code page 932 exactly as they were.
struct IniHead {
    bool exists = false;
    bool readable = false;
    qint64 size = 0;
    QByteArray bytes; // the first min(size, HeadLimit) bytes
    bool whole() const { return bytes.size() == size; }
    // Byte offset of the n-th CR LF (0-based) within the head, or -1.
    qint64 crlf(int n) const {
        qsizetype from = 0;
        for (int i = 0;; ++i) {
            const qsizetype at = bytes.indexOf(CrLf, from);
            if (at < 0 || i == n) return at;
            from = at + 2;
        }
    }
};

IniHead readHead(const QString& path) {
    IniHead head;
    QFile file(path);
    head.exists = file.exists();
    // Anything but a plain file (a folder, a pipe) counts as unreadable: a pipe would block.
    if (!head.exists || !IsRegularFile(path) || !file.open(QIODevice::ReadOnly)) return head;
    head.size = file.size();
    head.bytes = file.read(qMin(head.size, HeadLimit));
    head.readable = head.bytes.size() == qMin(head.size, HeadLimit);
    return head;
}

// The head split at CR LF. When the head is not the whole file, its last piece is cut short and,
// like the text after the final CR LF, is never taken for a line of its own.
QList<QByteArray> splitLines(const QByteArray& bytes) {
    QList<QByteArray> lines;
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = bytes.indexOf(CrLf, from);
        if (at < 0) {
            lines.append(bytes.mid(from));
            return lines;
        }
        lines.append(bytes.mid(from, at - from));
        from = at + 2;
    }
}

// Replaces bytes [from, to) of the file with `insert` through a temporary file and rename; the
// rest of the file is copied in chunks, so even a huge file is kept unchanged around the edit.
bool spliceFile(const QString& path, const IniHead& head, qint64 from, qint64 to,
                const QByteArray& insert) {
    QFile source(path);
    if (!IsRegularFile(path) || !source.open(QIODevice::ReadOnly)) return false;
    AtomicFileWriter target(path);
    if (!target.open() || !target.write(head.bytes.left(from)) || !target.write(insert))
        return false;
    if (!source.seek(to)) return false;
    QByteArray chunk;
    while (!(chunk = source.read(1 << 16)).isEmpty())
        if (!target.write(chunk)) return false;
    if (source.error() != QFileDevice::NoError || source.pos() != head.size) return false;
    return target.commit();
}

bool writeWhole(const QString& path, const QByteArray& bytes) {
    return WriteFileAtomically(path, bytes);
}

// Appends `bytes` in place. A write that fails part way is taken back, so a full disk never
// leaves half a line that the next append would run on from.
bool appendInPlace(QFile& file, qint64 at, const QByteArray& bytes) {
    if (file.seek(at) && file.write(bytes) == bytes.size() && file.flush()) return true;
    file.resize(at);
    return false;
}

// The file may be opened in place: it is missing (and will be created) or a regular file.
bool openableInPlace(const QString& path) {
    return !QFileInfo::exists(path) || IsRegularFile(path);
}

bool isDigit(const QString& field) {
    return field.size() == 1 && field.at(0) >= u'0' && field.at(0) <= u'9';
}

// A name or path about to become one line of the file: a line break inside it would split it
// into lines of its own (a path read as a member, a name as two).
QString oneLine(QString text) {
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

// A member entry as the name boxes show it: without trailing blanks, cut to 14 bytes.
QString memberName(const QString& text) {
    return SjisField(SjisBytes(text), NameBytes, 0);
}

} // namespace

void DefaultSettings(SettingsRecord& record) {
    record = SettingsRecord();
}

bool SaveSettingsRecord(const QString& iniPath, const SettingsRecord& record) {
    // The record is written in place: the rest of the file is never touched or shortened.
    QFile file(iniPath);
    if (!openableInPlace(iniPath) || !file.open(QIODevice::ReadWrite)) return false;
    const QByteArray bytes = record.toBytes();
    return file.seek(0) && file.write(bytes) == bytes.size() && file.flush();
}

LoadSettingsResult LoadSettings(const QString& iniPath, SettingsRecord& record) {
    LoadSettingsResult result;
    DefaultSettings(record);
    const IniHead head = readHead(iniPath);
    if (head.exists && !head.readable) {
        result.ok = false;
        return result;
    }
    if (head.size < RecordSize) {
        // Missing or too short: the default record makes it a settings file from now on.
        result.ok = SaveSettingsRecord(iniPath, record);
        result.writeFailed = !result.ok;
        return result;
    }
    record = SettingsRecord::fromBytes(head.bytes.left(RecordSize));
    if (!isDigit(record.speedLevel) || !isDigit(record.readPressChars)) {
        DefaultSettings(record);
        result.repairedBadNumber = true;
        result.ok = SaveSettingsRecord(iniPath, record);
        result.writeFailed = !result.ok;
    }
    if (head.size > RecordSize) {
        QByteArray text = head.bytes;
        if (head.whole()) {
            qsizetype end = text.size();
            while (end > 0 && text.at(end - 1) == ' ')
                --end;
            text.truncate(end);
        }
        const QList<QByteArray> lines = splitLines(text);
        result.hasBackgroundLine = true;
        // With no CR LF at all there is no line 1: it reads as empty.
        if (lines.size() > 1 && (head.whole() || lines.size() > 2))
            result.backgroundPath = SjisDecode(lines.at(1));
    }
    return result;
}

bool ReadSettingsForDialog(const QString& iniPath, SettingsRecord& record, DialogSettings& out) {
    out = DialogSettings();
    IniHead head = readHead(iniPath);
    if (head.exists && !head.readable) {
        DefaultSettings(record);
        return false;
    }
    if (head.size < RecordSize) {
        // Normally the main window has made the record already; if not, the file is started
        // with the default record and an empty line 1, as it would have been.
        DefaultSettings(record);
        out.keptLines = {QString(), QString(), QString()};
        out.keptLines[0] = SjisDecode(record.toBytes().left(RecordSize - 2));
        out.writeFailed = !writeWhole(iniPath, record.toBytes() + CrLf);
        return !out.writeFailed;
    }
    record = SettingsRecord::fromBytes(head.bytes.left(RecordSize));
    if (head.size == RecordSize) {
        // First opening: add the empty background line. Appending never rewrites the record.
        QFile file(iniPath);
        const bool written =
            file.open(QIODevice::ReadWrite) && appendInPlace(file, RecordSize, CrLf);
        out.writeFailed = !written;
        for (const QByteArray& line : splitLines(head.bytes + CrLf))
            out.keptLines.append(SjisDecode(line));
        return written;
    }

    QList<QByteArray> lines = splitLines(head.bytes);
    bool ok = true;
    if (lines.size() > 1) {
        const QString line1 = SjisDecode(lines.at(1));
        const QString trimmedPath = TrimBlanks(line1);
        if (!trimmedPath.isEmpty() && PathKind(line1) != 0) {
            out.backgroundPath = trimmedPath;
        } else if (!trimmedPath.isEmpty()) {
            // Line 1 holds a name written by a file without a background line: an empty line
            // goes in after the record and every name stays a member.
            const qint64 lineEnd = head.crlf(0) + 2;
            ok = spliceFile(iniPath, head, lineEnd, lineEnd, CrLf);
            out.writeFailed = !ok;
            lines.insert(1, QByteArray());
        }
    }
    // Members run from line 2 up to, not including, the last piece: the text after the final
    // CR LF (or the cut end of a huge file) is never a member.
    for (qsizetype i = 2; i + 1 < lines.size() && out.members.size() < MemberLimit; ++i)
        out.members.append(memberName(SjisDecode(lines.at(i))));
    for (const QByteArray& line : lines)
        out.keptLines.append(SjisDecode(line));
    return ok;
}

bool RewriteBackgroundLine(const QString& iniPath, const QString& path) {
    const IniHead head = readHead(iniPath);
    if (!head.exists || !head.readable) return false;
    const QByteArray encoded = SjisEncode(oneLine(path));
    const qint64 end0 = head.crlf(0);
    if (end0 < 0) {
        // No line break at all (a file cut short, or larger than we look at): line 1 is added.
        if (!head.whole()) return false;
        return spliceFile(iniPath, head, head.size, head.size, CrLf + encoded + CrLf);
    }
    const qint64 end1 = head.crlf(1);
    if (end1 >= 0) return spliceFile(iniPath, head, end0 + 2, end1, encoded);
    if (!head.whole())
        return false; // line 1 runs past the part we read; it cannot be replaced safely
    // Line 1 was the last piece. Its line end is added so that a member appended later starts
    // a line of its own instead of running on from the path.
    return spliceFile(iniPath, head, end0 + 2, head.size, encoded + CrLf);
}

bool AppendMembers(const QString& iniPath, MemberList& members, const QStringList& names) {
    MemberList list = members;
    QByteArray added;
    for (const QString& raw : names) {
        if (list.size() >= MemberLimit) break;
        const QString name = memberName(oneLine(raw));
        if (name.isEmpty()) continue;
        // Exact substring test over the NUL-joined list: a part of a longer name counts as known.
        if (list.join(QChar(u'\0')).contains(name)) continue;
        list.append(name);
        added += SjisBytes(name) + CrLf;
    }
    if (added.isEmpty()) return true;

    QFile file(iniPath);
    if (!openableInPlace(iniPath) || !file.open(QIODevice::ReadWrite)) return false;
    const qint64 size = file.size();
    if (size < RecordSize) {
        // Without its record the file would read as garbage settings: it gets the default
        // record and an empty background line first, as the main window would have written.
        added.prepend(SettingsRecord().toBytes() + CrLf);
        if (!file.resize(0)) return false;
    } else {
        // Text after the final CR LF would run on into the first new name; it gets its line end.
        if (!file.seek(size - 2)) return false;
        if (file.read(2) != CrLf) added.prepend(CrLf);
    }
    if (!appendInPlace(file, file.size(), added)) return false;
    members = list;
    return true;
}

bool DeleteAllMembers(const QString& iniPath, const SettingsRecord& record, MemberList& members,
                      const QString& path) {
    // The new file is whole before it replaces the old one; the list empties only if it did.
    if (!writeWhole(iniPath, record.toBytes() + SjisEncode(oneLine(path)) + CrLf)) return false;
    members.clear();
    return true;
}
