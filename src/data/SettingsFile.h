#pragma once

#include "core/Records.h"

#include <QString>
#include <QStringList>

// Operations on ZN.INI: bytes 0-19 the SettingsRecord (line 0), line 1 the background picture
// path, line 2 on the remembered member names. Each operation opens, works and closes, holding
// the lock file "ZN.INI.lock" beside it throughout, so programs sharing the file take turns; one
// that cannot get the lock within a few seconds fails.
// Whole-file rewrites go through a temporary file and rename. A failing operation returns false
// and leaves `errorText` set where given; it never throws.

constexpr int MemberLimit = 100;
constexpr int NameBytes = 14;

void DefaultSettings(SettingsRecord& record);

// What reading ZN.INI for the main window found.
struct LoadSettingsResult {
    bool ok = true;                 // false: the file could not be read or written (defaults used)
    bool writeFailed = false;       // the failure was a write (the file itself was readable)
    bool repairedBadNumber = false; // a non-numeric speed/read-press field was replaced by defaults
    bool hasBackgroundLine = false; // the file is longer than 20 bytes: backgroundPath was read
    QString backgroundPath;         // line 1 (trailing blanks of the file removed), maybe empty
};
// Reads (or creates) the record into `record`; finds the background path.
LoadSettingsResult LoadSettings(const QString& iniPath, SettingsRecord& record);

// ZN.INI as the settings dialog reads it: the background line, the members and the lines kept.
struct DialogSettings {
    QString backgroundPath; // line 1 trimmed when it is a path (PathKind != 0), else empty
    MemberList members;     // at most 100 names
    QStringList keptLines;  // the file split at CR LF, after any repair
    // Reading worked, but the repair or the added line was not written.
    bool writeFailed = false;
};
// Reads the record, the background path and the member list; repairs a file whose line 1 is a
// member name (inserts an empty line 1) and appends an empty line 1 to a file of exactly 20 bytes;
// a missing or shorter file becomes the default record and an empty line 1.
bool ReadSettingsForDialog(const QString& iniPath, SettingsRecord& record, DialogSettings& out);
// Writes the 20-byte record at byte 0; the rest of the file stays.
bool SaveSettingsRecord(const QString& iniPath, const SettingsRecord& record);
// Replaces line 1 with `path`; a line 1 that was the file's last piece gets a CR LF after it.
bool RewriteBackgroundLine(const QString& iniPath, const QString& path);
// "OK" of the settings dialog: the record and, when `background` is given, line 1 in one atomic
// rewrite, so a failure leaves the old file whole.
bool SaveDialogSettings(const QString& iniPath, const SettingsRecord& record,
                        const QString* background);
// Adds each name not yet contained in the list (NUL-joined substring test) to the list and the
// file; names are cut to 14 bytes first; nothing is added once the list holds 100 names.
// Empty names are skipped. Text after the file's last CR LF is ended first. The list changes only
// once the file is written.
bool AppendMembers(const QString& iniPath, MemberList& members, const QStringList& names);
// Starts the file anew: the record, then `path` and CR LF as line 1; empties the list.
bool DeleteAllMembers(const QString& iniPath, const SettingsRecord& record, MemberList& members,
                      const QString& path);
