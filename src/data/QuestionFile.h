#pragma once

#include "core/RecordFormat.h"
#include "core/Records.h"

#include <QFile>
#include <QString>
#include <QStringList>

// True when a file of this length is a question file (a multiple of 351, 0 included).
bool IsQuestionFileLength(qint64 length);

// Random reading by record number, read-only. The file stays open until close().
class QuestionFile {
public:
    // False when it cannot be opened or is no plain file. A partial record at the end is ignored.
    bool open(const QString& path);
    void close();
    bool isOpen() const { return file_.isOpen(); }
    int recordCount() const { return count_; }
    // Reads record n (1-based) into `out`: question and answer trimmed, genre the raw character.
    // False (and `out` emptied) past the end or on a read error.
    bool read(int n, QuestionRecord& out);

private:
    QFile file_;
    int count_ = 0;
};

// Sequential reading for the editor: the first `count` records, each its first 349 bytes as
// trimmed text. `ok` is false when the file could not be read completely.
QStringList ReadRecordTexts(const QString& path, int count, bool* ok);

// Record text as the editor composes it: question, blanks to 288 bytes, answer, blanks to 60
// bytes, genre digit. Question/answer longer than their fields are cut without splitting a
// double-byte character, so the code page 932 form is always exactly 349 bytes.
QString ComposeRecordText(const QString& question, const QString& answer, QChar genreDigit);

// Writes the whole file at once (temporary file and rename): each text in code page 932 followed
// by CR LF. A text shorter than 349 bytes (one whose leading blanks were trimmed on reading) gets
// them back in front; a longer one makes the whole write fail. On failure the old file is
// untouched and `error` says why.
bool WriteRecordTexts(const QString& path, const QStringList& texts, QString* error = nullptr);
