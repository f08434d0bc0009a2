#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The one reader and writer of comma- (or tab-) separated text: question lists from
// spreadsheets, the lists Pomvex exports and the logs of finished runs.

// One record: its fields and its 1-based number (a quoted field holding line breaks keeps its
// record one row, as in a spreadsheet).
struct CsvRecord {
    int row = 0;
    QStringList fields;
    // A field began with a quote that did not enclose it; the field was read as text, quotes
    // and all.
    bool looseQuote = false;
};

// How quotes that do not enclose a field properly are read.
enum class CsvQuotes {
    // Clipboard text and hand-written lists: a field that merely begins with a quote
    // ("Hello" he said) is text as written, up to the next separator.
    Spreadsheet,
    // Our logs put every field in quotes, and older ones did not double the quotes inside
    // (""答"" for "答"): such a field runs to a quote followed by `,"` or the line end (else by
    // the separator) and keeps the quotes inside as written.
    Log,
};

// Splits text into records. A field is quoted when a quote opens it and a lone quote followed
// by the separator, a line end or the end of the text closes it; inside, a doubled quote is one
// quote and separators and line breaks are text. Records end at CR LF, LF or CR; no record is
// made for the end of the text after a final line end.
QList<CsvRecord> ReadCsv(QStringView text, QChar separator, CsvQuotes quotes);

enum class CsvQuoting {
    Always,     // every field in quotes (logs)
    WhenNeeded, // only fields holding a separator, quote, line break, tab or edge blank
};

// One field, quoted as asked; a quote inside is doubled.
QString QuoteCsvField(const QString& text, CsvQuoting quoting);
// The fields joined by commas, ending in CR LF.
QString CsvLine(const QStringList& fields, CsvQuoting quoting);
