#pragma once

#include "convert/TableParser.h"

#include <QString>

// Which column (0-based) of a question list holds the question, the answer and the genre; -1
// when the list has none for it.
struct ColumnMap {
    int question = 0;
    int answer = 1;
    int genre = 2;
    enum Source { ByPosition, ByHeading, Given };
    Source source = ByPosition;
    bool operator==(const ColumnMap&) const = default;
};

// What a heading cell names: 'q' question, 'a' answer, 'g' genre, 'x' another known column
// (No., 出典, 備考, ...), or 0 when it is no heading word.
char HeadingRole(const QString& cell);

// A first row is a heading when it names at least one column, names no genre and holds no
// question-like text (a sentence, a question mark, a long cell).
bool LooksLikeHeading(const TableRow& row);

// The columns a heading names, in any order; a role it does not name takes the first column
// left that the heading does not name either (perhaps one past its last cell).
ColumnMap ColumnsFromHeading(const TableRow& heading);

// "q,a,g", "n,q,a,g", "a,q,-,g": one letter per column from the left; q, a and g each exactly
// once, anything else a column that is not read. False when the list is not like that.
bool ParseColumns(const QString& list, ColumnMap* out);

// "A", "B", ... "Z", "AA": the column as a spreadsheet names it.
QString ColumnLetter(int column);
