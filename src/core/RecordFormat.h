#pragma once

#include <QtGlobal>

// The geometry of a question file record and the size caps on files read whole, in one place.

// A question file: N records of 351 bytes (288 question, 60 answer, 1 genre digit, CR LF), code
// page 932, no header. N = length / 351.
namespace QuestionFormat {
constexpr int QuestionBytes = 288;
constexpr int AnswerBytes = 60;
constexpr int BodyLength = QuestionBytes + AnswerBytes + 1; // 349, with the genre digit
constexpr int RecordLength = BodyLength + 2;                // 351, with CR LF
constexpr int EditorLimit = 1000;                           // records the editor holds
} // namespace QuestionFormat

// A log is text written by the program and is read whole (to print it, or to look for its
// marker): anything larger is no log of ours.
constexpr qint64 MaxLogBytes = 64LL * 1024 * 1024;
// Tables for the conversion tool are read whole too; a question list of 100,000 rows is a few
// megabytes.
constexpr qint64 MaxTableBytes = 64LL * 1024 * 1024;
