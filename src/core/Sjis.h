#pragma once

#include <QByteArray>
#include <QString>

// Code page 932 (Windows-31J) text. Fixed-width fields are measured and cut in these bytes.

// The text without trailing ASCII blanks, in code page 932. A character the code page cannot
// represent becomes one substitute byte "?".
QByteArray SjisBytes(const QString& text);
// pos = 0: byte length of SjisBytes(text). pos != 0: width of the 1-based character pos
// (1 or 2; 0 for an ASCII blank or a position past the end).
int SjisWidth(const QString& text, int pos);
// count != 0: the count bytes from 1-based start; count = 0: the first `start` bytes. A double-byte
// character cut in half is dropped whole. Decoded and trimmed of ASCII blanks at both ends.
QString SjisField(const QByteArray& bytes, int start, int count);

// Plain conversions without trimming (file contents).
QByteArray SjisEncode(const QString& text);
QString SjisDecode(const QByteArray& bytes);
// True when every character of the text has a code page 932 form.
bool SjisRepresentable(const QString& text);
