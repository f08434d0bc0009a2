#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// One row of a text table as a spreadsheet writes it: `row` is its 1-based row number (a field
// holding line breaks keeps the row one row, as in the spreadsheet).
struct TableRow {
    int row = 0;
    QStringList fields;
    bool unclosedQuote = false; // a quoted field ran to the end of the text
};

// Comma or tab: the one that splits more of the first lines into at least three fields; a tie
// goes to the one seen more often, then to the comma.
QChar DetectSeparator(QStringView text);

// Splits the text into rows. A field that starts with a double quote runs to the next lone
// quote; inside it a doubled quote is one quote and separators and line breaks are text.
// Rows end at CR LF, LF or CR. A quote left open (or closed only lines later by a quote followed
// by more text) makes its field end with its own line, so one stray quote cannot swallow the
// rest of the list; that row is marked.
QList<TableRow> SplitTable(QStringView text, QChar separator);
