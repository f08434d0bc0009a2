#pragma once

#include "core/Records.h"

#include <QByteArray>
#include <QString>

// How a judged question ended for its answerer.
enum class Verdict : int {
    Right = 0,    // ○
    Wrong = 1,    // ×
    TimeOver = 2, // nobody opened the answer in time
};

// One judged question, as the history keeps it. Nothing else about the user is stored.
struct AnswerRecord {
    qint64 whenMs = 0;     // end of the question, UTC milliseconds since 1970
    QString filePath;      // the question file as it was opened
    QByteArray fileHash;   // SHA-256 of the file's bytes when the run started
    int recordNo = 0;      // 1-based record number in that file
    qint64 recordHash = 0; // RecordHash of the question as asked
    int genre = 7;         // 1-7
    QString player;        // the answerer in a match, the user otherwise; may be empty
    Verdict verdict = Verdict::Wrong;
    int charsShown = 0;     // question characters on the board at the buzz (all of them if none)
    int questionLength = 0; // question length in characters
    int thinkingMs = 0;     // from the start of the reveal to the buzz (or to the time over)
    int answerMs = 0;       // from the buzz to the answer being shown; 0 without a buzz
    int buzzRank = 0;       // 1-3 for this player's place among the buzzes, 0 = did not buzz
    int buzzLagMs = 0;      // behind the first buzz of the question (0 for the first)
};

// A question's identity: the first 8 bytes of SHA-256 over its question, answer and genre, so
// an edited question counts as a new one while a moved or copied one stays the same.
qint64 RecordHash(const QuestionRecord& record);

// SHA-256 of a file's bytes; empty when it is no regular file or cannot be read.
QByteArray FileHash(const QString& path);

// The genre number 1-7 of a record's genre text; anything else is 7 (undefined), as the quiz
// shows it.
int GenreNumber(const QString& genre);
