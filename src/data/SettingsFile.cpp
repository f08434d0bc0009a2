#include "data/SettingsFile.h"

#include "core/Paths.h"
#include "core/SafeFile.h"
#include "core/Sjis.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

#include <algorithm>
#include <optional>

namespace {

constexpr int RecordSize = SettingsRecord::Size;
const QByteArray CrLf("\r\n");

// Held for every read-modify-write of the file: two programs sharing one ZN.INI (two users of a
// program folder, two desktop sessions) must not interleave their edits, or an append lands
// on top of another or a rewrite drops it. The lock file lies beside ZN.INI.
class IniLock {
    static constexpr int LockWaitMs = 3000;

public:
    explicit IniLock(const QString& iniPath) : lock_(iniPath + QStringLiteral(".lock")) {
        // Another program holds it only for one edit; one that died is noticed by its process id.
        lock_.setStaleLockTime(10000);
        // QLockFile's own wait doubles its pauses from 100 ms, and would mostly miss the short
        // gaps between another program's edits; asking often keeps the wait fair.
        const QDeadlineTimer deadline(LockWaitMs);
        bool locked = lock_.tryLock(0);
        while (!locked && lock_.error() == QLockFile::LockFailedError && !deadline.hasExpired()) {
            QThread::msleep(2);
            locked = lock_.tryLock(0);
        }
        // Where no lock file can be made (a read-only folder, a path through a plain file) no
        // other program can make one either; the edit itself then succeeds or fails on its own.
        usable_ = locked || lock_.error() != QLockFile::LockFailedError;
    }
    // False when another program kept the file locked: nothing may be read or written.
    bool usable() const { return usable_; }

private:
    QLockFile lock_;
    bool usable_ = false;
};

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

struct Edit {
    qint64 from, to;  // bytes [from, to) of the file ...
    QByteArray bytes; // ... become these
};

// Applies `edits` (in file order, not overlapping) through a temporary file and rename; the rest
// of the file is copied in chunks, so even a huge file is kept unchanged around the edits.
bool spliceFile(const QString& path, const IniHead& head, const QList<Edit>& edits) {
    QFile source(path);
    if (!IsRegularFile(path) || !source.open(QIODevice::ReadOnly)) return false;
    AtomicFileWriter target(path);
    if (!target.open()) return false;
    qint64 at = 0;
    QByteArray chunk;
    auto copyUpTo = [&](qint64 end) {
        if (!source.seek(at)) return false;
        while (at < end) {
            chunk = source.read(std::min<qint64>(end - at, 1 << 16));
            if (chunk.isEmpty() || !target.write(chunk)) return false;
            at += chunk.size();
        }
        return true;
    };
    for (const Edit& edit : edits) {
        if (!copyUpTo(edit.from) || !target.write(edit.bytes)) return false;
        at = edit.to;
    }
    if (!copyUpTo(head.size) || source.error() != QFileDevice::NoError) return false;
    return target.commit();
}

bool spliceFile(const QString& path, const IniHead& head, qint64 from, qint64 to,
                const QByteArray& insert) {
    return spliceFile(path, head, {{from, to, insert}});
}

bool writeWhole(const QString& path, const QByteArray& bytes) {
    return WriteFileAtomically(path, bytes);
}

// Appends `bytes` in place. A write that fails part way is taken back, so a full disk never
// leaves half a line that the next append would run on from. The file must be open unbuffered:
// with bytes left in a buffer that cannot be flushed, QFile refuses to shorten the file.
bool appendInPlace(QFile& file, qint64 at, const QByteArray& bytes) {
    Q_ASSERT(file.openMode().testFlag(QIODevice::Unbuffered));
    if (file.seek(at) && file.write(bytes) == bytes.size()) return true;
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

// The operations below run with the lock held by their public names at the end of the file.

static bool saveRecord(const QString& iniPath, const SettingsRecord& record) {
    // The record is written in place: the rest of the file is never touched or shortened.
    QFile file(iniPath);
    if (!openableInPlace(iniPath) || !file.open(QIODevice::ReadWrite)) return false;
    const QByteArray bytes = record.toBytes();
    return file.seek(0) && file.write(bytes) == bytes.size() && file.flush();
}

static LoadSettingsResult loadSettings(const QString& iniPath, SettingsRecord& record) {
    LoadSettingsResult result;
    DefaultSettings(record);
    const IniHead head = readHead(iniPath);
    if (head.exists && !head.readable) {
        result.ok = false;
        return result;
    }
    if (head.size < RecordSize) {
        // Missing or too short: the default record makes it a settings file from now on.
        result.ok = saveRecord(iniPath, record);
        result.writeFailed = !result.ok;
        return result;
    }
    record = SettingsRecord::fromBytes(head.bytes.left(RecordSize));
    if (!isDigit(record.speedLevel) || !isDigit(record.readPressChars)) {
        DefaultSettings(record);
        result.repairedBadNumber = true;
        result.ok = saveRecord(iniPath, record);
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

static bool readForDialog(const QString& iniPath, SettingsRecord& record, DialogSettings& out) {
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
        const bool written = file.open(QIODevice::ReadWrite | QIODevice::Unbuffered) &&
                             appendInPlace(file, RecordSize, CrLf);
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

// The edit that makes line 1 `path`, or none when line 1 cannot be found safely.
static std::optional<Edit> backgroundEdit(const IniHead& head, const QString& path) {
    const QByteArray encoded = SjisEncode(oneLine(path));
    const qint64 end0 = head.crlf(0);
    if (end0 < 0) {
        // No line break at all (a file cut short, or larger than we look at): line 1 is added.
        if (!head.whole()) return std::nullopt;
        return Edit{head.size, head.size, CrLf + encoded + CrLf};
    }
    const qint64 end1 = head.crlf(1);
    if (end1 >= 0) return Edit{end0 + 2, end1, encoded};
    if (!head.whole())
        return std::nullopt; // line 1 runs past the part we read; it cannot be replaced safely
    // Line 1 was the last piece. Its line end is added so that a member appended later starts
    // a line of its own instead of running on from the path.
    return Edit{end0 + 2, head.size, encoded + CrLf};
}

static bool rewriteBackground(const QString& iniPath, const QString& path) {
    const IniHead head = readHead(iniPath);
    if (!head.exists || !head.readable) return false;
    const std::optional<Edit> edit = backgroundEdit(head, path);
    return edit && spliceFile(iniPath, head, {*edit});
}

static bool saveDialogSettings(const QString& iniPath, const SettingsRecord& record,
                               const QString* background) {
    const IniHead head = readHead(iniPath);
    if (head.exists && !head.readable) return false;
    if (head.size < RecordSize) {
        // Missing or cut short: nothing of it is worth keeping.
        QByteArray bytes = record.toBytes();
        if (background) bytes += SjisEncode(oneLine(*background)) + CrLf;
        return writeWhole(iniPath, bytes);
    }
    QList<Edit> edits = {{0, RecordSize, record.toBytes()}};
    if (background) {
        const std::optional<Edit> edit = backgroundEdit(head, *background);
        if (!edit) return false;
        // Line 1 begins after the record's own line end, unless the file has no line end at
        // all: then it is added at the end, which may not be inside the record.
        if (edit->from < RecordSize) return false;
        edits.append(*edit);
    }
    return spliceFile(iniPath, head, edits);
}

static bool appendMembers(const QString& iniPath, MemberList& members, const QStringList& names) {
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
    if (!openableInPlace(iniPath) || !file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return false;
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

static bool deleteAllMembers(const QString& iniPath, const SettingsRecord& record,
                             MemberList& members, const QString& path) {
    // The new file is whole before it replaces the old one; the list empties only if it did.
    if (!writeWhole(iniPath, record.toBytes() + SjisEncode(oneLine(path)) + CrLf)) return false;
    members.clear();
    return true;
}

// --- the operations, each holding the lock for all of its reading and writing ---------------

LoadSettingsResult LoadSettings(const QString& iniPath, SettingsRecord& record) {
    const IniLock lock(iniPath);
    if (lock.usable()) return loadSettings(iniPath, record);
    DefaultSettings(record);
    LoadSettingsResult result;
    result.ok = false;
    return result;
}

bool ReadSettingsForDialog(const QString& iniPath, SettingsRecord& record, DialogSettings& out) {
    const IniLock lock(iniPath);
    if (lock.usable()) return readForDialog(iniPath, record, out);
    out = DialogSettings();
    DefaultSettings(record);
    return false;
}

bool SaveSettingsRecord(const QString& iniPath, const SettingsRecord& record) {
    const IniLock lock(iniPath);
    return lock.usable() && saveRecord(iniPath, record);
}

bool RewriteBackgroundLine(const QString& iniPath, const QString& path) {
    const IniLock lock(iniPath);
    return lock.usable() && rewriteBackground(iniPath, path);
}

bool SaveDialogSettings(const QString& iniPath, const SettingsRecord& record,
                        const QString* background) {
    const IniLock lock(iniPath);
    return lock.usable() && saveDialogSettings(iniPath, record, background);
}

bool AppendMembers(const QString& iniPath, MemberList& members, const QStringList& names) {
    const IniLock lock(iniPath);
    return lock.usable() && appendMembers(iniPath, members, names);
}

bool DeleteAllMembers(const QString& iniPath, const SettingsRecord& record, MemberList& members,
                      const QString& path) {
    const IniLock lock(iniPath);
    return lock.usable() && deleteAllMembers(iniPath, record, members, path);
}
