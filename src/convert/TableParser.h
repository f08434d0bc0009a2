#pragma once

#include "data/Csv.h"

#include <QStringView>

// One row of a question list as a spreadsheet writes it.
using TableRow = CsvRecord;

// Comma or tab: the one that splits more of the first lines into at least three fields; a tie
// goes to the one seen more often, then to the comma.
QChar DetectSeparator(QStringView text);

// Splits a question list into rows (quoting as spreadsheets write it).
QList<TableRow> SplitTable(QStringView text, QChar separator);
