#pragma once

#include <QString>

// 0 empty or none of these; 1 drive path ("C:\..." or an absolute POSIX path "/..."),
// 2 network path ("\\server..." or "//server..."), 3 ends in a separator.
int PathKind(const QString& path);
// The text without ASCII blanks at either end; the ideographic space U+3000 is text and stays.
QString TrimBlanks(const QString& text);
// The text before its first NUL, trimmed of blanks; sets G().WorkNumber to the count kept.
QString TrimNul(const QString& text);
