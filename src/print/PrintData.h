#pragma once

#include "print/PrintLayout.h"

#include <QList>
#include <QString>

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
