#pragma once

#include <QByteArray>
#include <QString>

// Windows code page 932 (Windows-31J) conversion: iconv "CP932" on POSIX, the Windows API on
// Windows. Never a plain "Shift_JIS" codec (it maps 81 60 to U+301C instead of U+FF5E).

// A character without a code page 932 form becomes the one substitute byte '?'. Each UTF-16
// unit counts as one character, so a character outside the BMP becomes "??".
QByteArray Cp932Encode(const QString& text);
// Invalid or truncated byte sequences become U+FFFD (one per bad byte); never fails.
QString Cp932Decode(const QByteArray& bytes);
// True when every character has a code page 932 form.
bool Cp932Representable(const QString& text);
// Bytes of one UTF-16 unit in code page 932: 2 for a double-byte character, else 1 (a
// substitute '?' is one byte). Always equal to Cp932Encode(QString(c)).size().
int Cp932CharWidth(QChar c);
// True when `b` starts a double-byte character.
bool Cp932IsLeadByte(unsigned char b);
// True when `b` may be the second byte of a double-byte character.
bool Cp932IsTrailByte(unsigned char b);
