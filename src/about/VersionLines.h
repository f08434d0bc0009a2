#pragma once

#include <QDateTime>
#include <QFontMetrics>
#include <QString>

// Text lines of the version window that depend on the system, kept apart from the window so
// they can be checked without one.

// A count with thousands separators: 1234567 -> "1,234,567"; 0 -> "0".
QString FormatThousands(qint64 value);

// True for file systems that live on another computer (NFS, SMB/CIFS, SSHFS, WebDAV, ...).
bool IsNetworkFileSystem(const QString& type);

// The name a volume is shown by: a drive root "C:/" becomes "C:", a mount point "/mnt/data/"
// becomes "/mnt/data", the root "/" stays "/".
QString DriveName(const QString& rootPath);

// The disk line for the program folder: text 124 when the folder is not a local drive path
// (pathKind != 1) or lies on a network file system, else text 87 with the free bytes ("?" when
// unknown, i.e. negative) and the drive name.
QString DiskLine(int pathKind, const QString& fileSystemType, const QString& drive,
                 qint64 freeBytes);

// The disk line narrowed towards `maxWidth` pixels of `metrics`: while the whole line (closing
// bracket included) is wider, the drive name keeps fewer of its characters (two at least), the
// first and the last ones, with "…" in place of the middle. A line without a drive name is left as
// it is; so is a short drive name when the number alone is too wide (the window then narrows the
// letters, see Jyou).
QString FittedDiskLine(int pathKind, const QString& fileSystemType, const QString& drive,
                       qint64 freeBytes, const QFontMetrics& metrics, int maxWidth);
// `text` keeping `keep` of its characters, half from each end, "…" between them.
QString ShortenMiddle(const QString& text, qsizetype keep);

// `local` in a date pattern of the kind text 38 holds (dddd d dd m mm mmmm yyyy h hh nn ss a/p,
// "\" quoting the next character), with the names a Japanese system uses.
QString FormatDateTime(const QDateTime& local, const QString& pattern);
// `local` as a Japanese system writes "dddd,d,mmmm,yyyy  hh:nn:ss a/p.\m.": weekday and month
// names in Japanese, the 12-hour clock and "a.m."/"p.m.", right-aligned in 44 code-page bytes.
QString DateLine(const QDateTime& local);
