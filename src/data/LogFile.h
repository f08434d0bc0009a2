#pragma once

#include "core/SafeFile.h" // WriteFileAtomically, the writer of every log

#include <QByteArray>
#include <QList>
#include <QString>

// The CSV log of a finished run: code page 932, CR LF, four quoted fields per line.

// One asked question as the log records it.
struct LogLine {
    QString question; // trimmed
    QString answer;   // trimmed
    QString answerer; // match player, or the registered owner outside a match
    bool correct = false;
    int buzzPosition = 0; // characters shown when the buzz came during the reveal; 0 = none
};

// Field 1: the question split at the buzz into heard / read after / never read, joined by "/".
QString SplitLoggedQuestion(const QString& question, int buzzPosition, bool readPress,
                            int extraChars);
// One CSV field in double quotes; a double quote inside is doubled, line breaks become blanks.
QString CsvField(const QString& text);
// A line break inside a field would be counted as one more log line by older readers: each
// (CR LF, CR or LF) becomes one blank.
QString OneLogLine(const QString& text);
// The whole log: header (appTitle + " Log File", "VS"/"1P", "解答者", "正誤") and one line per
// entry.
QByteArray BuildLog(const QString& appTitle, bool matchOn, bool readPress, int extraChars,
                    const QList<LogLine>& lines);
