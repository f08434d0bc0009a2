#pragma once

#include "convert/RowCheck.h"
#include "convert/TableText.h"
#include "core/RecordFormat.h"
#include "core/Records.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

// A question list read from a text table file, before the checks.
struct TableFile {
    QString path;
    TableEncoding encoding = TableEncoding::Utf8;
    QChar separator = u',';
    QList<TableRow> rows; // rows whose cells are all blank are left out
    int badBytes = 0;
};

// Reads and splits a table file. False with a Japanese reason when the file cannot be used
// (missing, not a plain file, unreadable, too large, no rows at all).
bool ReadTableFile(const QString& path, TableEncoding encoding, TableFile& out, QString* error);
// The same from bytes already in memory.
TableFile ParseTable(const QByteArray& bytes, TableEncoding encoding);

// A whole list checked: its question rows, its heading and the problems counted.
struct CheckedTable {
    QList<CheckedRow> rows;          // the question rows, heading excluded
    std::optional<TableRow> heading; // the first row, when it was a heading
    ColumnMap columns;               // where the question, answer and genre were read
    QList<RowIssue> fileIssues;      // about the list as a whole
    int errorRows = 0;
    int warningRows = 0;
};

// Report every `step` rows: progress(rows done, rows in all).
using Progress = std::function<void(int, int)>;

// Checks every row. The first row is a heading when it looks like one (LooksLikeHeading); its
// names then say which column is which, unless the options give the columns. Read by position,
// a list whose answers are mostly longer than its questions is reported: its columns may be
// the wrong way round.
CheckedTable CheckTable(const QList<TableRow>& rows, const CheckOptions& options,
                        const Progress& progress = {});

// "問題=B列、解答=C列、ジャンル=D列"
QString ColumnsText(const ColumnMap& columns);

// "1,204行中 3行にエラー" (and the warnings, when there are any).
QString SummaryText(const CheckedTable& table);
// A count with thousands separators: 1,204.
QString GroupedNumber(qsizetype n);

enum class WriteResult { Written, RowErrors, NothingToWrite, WriteFailed };

// Writes the checked rows as a question file (atomic). With rows in error nothing is written
// unless goodRowsOnly, which leaves those rows out. A list holding only its heading (what an
// empty question file exports to) writes an empty question file.
WriteResult WriteQuestions(const CheckedTable& table, const QString& path, bool goodRowsOnly,
                           int* written, QString* error);

// A question file as a table: UTF-8 with a byte-order mark (so spreadsheets read it as Japanese),
// a heading row, one row per record with question, answer and genre digit (a genre byte other
// than "1"-"7" as "0x" and two hex digits), CR LF line ends. Reading that table again gives the
// same question file byte for byte.
bool ExportQuestionFile(const QString& questionFile, const QString& tablePath, int* records,
                        QString* error);
// The bytes ExportQuestionFile writes, for the records given.
QByteArray TableBytes(const QList<QuestionRecord>& records);
