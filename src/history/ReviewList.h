#pragma once

#include "history/HistoryStats.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <array>

// The spaced-review rule: a missed question comes back 1 day after the miss; answered right
// when it is due, it comes back 3, then 7, then 21 days later; answered right at the 21-day
// step it is learned and does not come back. A miss at any time starts again at 1 day. A right
// answer before the question is due changes nothing.
constexpr std::array<int, 4> ReviewStepDays{1, 3, 7, 21};

struct Attempt {
    qint64 whenMs = 0;
    bool right = false;
};

struct SpacedState {
    bool missed = false;  // the question was ever missed: it is under review
    bool learned = false; // answered right at every step
    int step = 0;         // index into ReviewStepDays of the next interval
    qint64 dueMs = 0;     // when it comes back (meaningful when missed and not learned)
};

// The state after `attempts`, oldest first.
SpacedState SpacedReviewState(const QList<Attempt>& attempts);

// One question to review and where the history last saw it.
struct ReviewItem {
    qint64 recordHash = 0;
    QString filePath;
    int recordNo = 0;
    int genre = 7;
    qint64 lastMissMs = 0;
    qint64 dueMs = 0;
};

struct ReviewOptions {
    StatsFilter filter; // player and file; the file is the one of the last miss
    int genre = 0;      // 1-7, or 0 for every genre
    int limit = 1000;
};

// Questions missed (wrong or time over) and not answered right since, newest miss first.
QList<ReviewItem> MissedQuestions(const QSqlDatabase& db, const ReviewOptions& options);
// Questions under spaced review that are due at `nowMs`, the longest overdue first.
QList<ReviewItem> DueQuestions(const QSqlDatabase& db, const ReviewOptions& options, qint64 nowMs);

struct ReviewFileResult {
    bool ok = false;
    int written = 0;
    int missing = 0; // questions whose file is gone or no longer holds them
    QString error;
};

// Writes the questions as a question file, reading each from its file. A record is taken only
// when it still is the question that was answered (its hash matches); otherwise the file is
// searched for it. Nothing is written when no question is found.
ReviewFileResult WriteReviewFile(const QList<ReviewItem>& items, const QString& path);
