#pragma once

#include "convert/Columns.h"
#include "convert/TableParser.h"

#include <QList>
#include <QString>

#include <optional>

enum class Severity { Note, Warning, Error };

// One problem found in a row, with how bad it is.
struct RowIssue {
    Severity severity = Severity::Error;
    QString reason; // Japanese, for the user
};

// One table row made ready for a question record.
struct CheckedRow {
    int row = 0;
    QString question;
    QString answer;
    int genre = 0;      // 1-7, 0 when missing or not a genre
    int genreByte = -1; // the byte a list exported as "0x38" asks for (not "1"-"7"), else -1
    QString genreText;  // as written, trimmed
    QList<RowIssue> issues;
    bool hasError() const;
    bool hasWarning() const;
};

// How strictly the rows are checked.
struct CheckOptions {
    bool cutLong = false; // cut texts over their byte limit instead of refusing them
    // ¥ and ‾ as the one-byte forms (which Japanese fonts show as ¥ and ‾) rather than ￥ and ￣
    bool yenHalfWidth = true;
    std::optional<ColumnMap> columns; // chosen by the user; else from the heading or position
};

// The genre a cell names: a digit 1-7 (half- or full-width) or one of the seven genre names;
// 0 otherwise.
int GenreOf(const QString& cell);

// The genre byte of a cell written as "0x" and two hex digits (how a question file's genre
// outside 1-7 is exported); -1 for any other cell.
int GenreByteOf(const QString& cell);

// The cell as the editor keeps a text: composed characters (NFC, so kana decomposed by macOS
// are one character again), line breaks removed, ASCII blanks trimmed at both ends. `hadBreak`
// tells whether a line break was removed.
QString CleanCell(const QString& cell, bool* hadBreak);

// The Mac and Unicode forms of characters code page 932 has under another code point (〜 −
// ‖ ¢ £ ¬ —, and ¥ ‾ as the user chose), replaced by ours, so the result never depends on the
// system's converter.
QString ToCp932Forms(const QString& text, bool yenHalfWidth);

// A character for a message: 「字」(U+5B57), or for one that cannot be seen
// 「U+00A0 (ノーブレークスペース)」.
QString DescribeChar(char32_t c);

// Checks one row (question, answer and genre in the columns given; other fields are not read)
// and reports every problem with a reason.
CheckedRow CheckRow(const TableRow& row, const CheckOptions& options,
                    const ColumnMap& columns = ColumnMap());
