#pragma once

#include <QByteArray>
#include <QString>

// Windows code page 932 (Windows-31J) conversion: iconv "CP932" on POSIX, the Windows API on
// Windows. Never a plain "Shift_JIS" codec (it maps 81 60 to U+301C instead of U+FF5E).

// A character without a code page 932 form becomes the one substitute byte '?'.
QByteArray Cp932Encode(const QString& text);
// Invalid or truncated byte sequences become U+FFFD (one per bad byte); never fails.
QString Cp932Decode(const QByteArray& bytes);
// True when every character has a code page 932 form.
bool Cp932Representable(const QString& text);
