#pragma once

#include "print/PrintLayout.h"

#include <QList>
#include <QString>
#include <QStringList>

// Splits CSV text into records of fields: fields may be quoted, a quoted field may hold commas,
// line ends and doubled quotes ("" = one quote); records end at CR LF, LF or CR. A quote inside
// a quoted field that is not followed by a comma, a line end or a second quote is kept as text,
// so logs written without doubling their quotes still read. No record is made for the end of
// the text after a final line end.
QList<QStringList> ParseCsv(const QString& text);

// Why reading print data failed.
struct PrintDataError {
    int textId = 0; // string-table text of the message
    int record = 0; // the entry concerned (log records), else 0
};

// Reads entries from .. to of the print data at `path`: records of a question file, or the
// lines after the header of a CSV log (code page 932). False with `error` set when the file can
// no longer be read or a log record has fewer than four fields.
bool ReadPrintEntries(const QString& path, bool isLog, int from, int to, QList<PrintEntry>* out,
                      PrintDataError* error);
