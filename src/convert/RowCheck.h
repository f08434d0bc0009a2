#pragma once

#include "convert/TableParser.h"

#include <QList>
#include <QString>

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
    int genre = 0;     // 1-7, 0 when missing or not a genre
    QString genreText; // as written, trimmed
    QList<RowIssue> issues;
    bool hasError() const;
    bool hasWarning() const;
};

// How strictly the rows are checked.
struct CheckOptions {
    bool cutLong = false; // cut texts over their byte limit instead of refusing them
};

// The genre a cell names: a digit 1-7 (half- or full-width) or one of the seven genre names;
// 0 otherwise.
int GenreOf(const QString& cell);

// The cell as the editor keeps a text: line breaks removed, then ASCII blanks trimmed at both
// ends. `hadBreak` tells whether a line break was removed.
QString CleanCell(const QString& cell, bool* hadBreak);

// Checks one row (question, answer, genre in its first three fields; further fields are not
// read) and reports every problem with a reason.
CheckedRow CheckRow(const TableRow& row, const CheckOptions& options);
