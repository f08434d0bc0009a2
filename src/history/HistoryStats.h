#pragma once

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Which answers a statistic counts. An empty file path means every file. The player may be
// empty (a match question nobody answered), so "every player" is a flag of its own.
struct StatsFilter {
    bool allPlayers = true;
    QString player;
    QString filePath;
};

// Answers and right answers in one group of a statistic.
struct RateRow {
    int key = 0; // genre 1-7, or tenth 0-9
    int answered = 0;
    int right = 0;
    double percent() const { return answered ? 100.0 * right / answered : 0.0; }
};

struct DayRow {
    QDate day;
    int answered = 0;
    int right = 0;
    double percent() const { return answered ? 100.0 * right / answered : 0.0; }
};

// Every genre 1-7 in order, those without answers at 0.
QList<RateRow> AccuracyByGenre(const QSqlDatabase& db, const StatsFilter& filter);
// Buzzed answers by how much of the question was on the board at the buzz: tenth k holds the
// buzzes after k/10 and up to (k+1)/10 of the question (a buzz on the last character is in 9).
QList<RateRow> AccuracyByTenth(const QSqlDatabase& db, const StatsFilter& filter);
// One row per calendar day, the last `days` days up to the day of `nowUtcMs`, oldest first.
// Days are counted in the local time `utcOffsetSeconds` ahead of UTC.
QList<DayRow> DailyActivity(const QSqlDatabase& db, const StatsFilter& filter, qint64 nowUtcMs,
                            int days, int utcOffsetSeconds);

// All three at once, from one pass over the answers (what the 成績 window shows).
struct StatsSummary {
    QList<RateRow> genres;
    QList<RateRow> tenths;
    QList<DayRow> days;
};
StatsSummary Summarize(const QSqlDatabase& db, const StatsFilter& filter, qint64 nowUtcMs, int days,
                       int utcOffsetSeconds);

// Names and file paths that occur in the history, sorted.
QStringList HistoryPlayers(const QSqlDatabase& db);
QStringList HistoryFiles(const QSqlDatabase& db);
