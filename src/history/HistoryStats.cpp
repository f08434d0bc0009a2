#include "history/HistoryStats.h"

#include "history/SqlQuery.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QVariant>

namespace {

// The WHERE clause of a filter and its bound values, in order.
struct Where {
    QString sql;
    QVariantList values;
};

Where FilterClause(const StatsFilter& filter) {
    Where w;
    w.sql = QStringLiteral(" WHERE 1");
    if (!filter.allPlayers) {
        w.sql += QStringLiteral(" AND player_id = (SELECT id FROM players WHERE name = ?)");
        w.values << filter.player;
    }
    if (!filter.filePath.isEmpty()) {
        w.sql += QStringLiteral(" AND file_id IN (SELECT id FROM question_files WHERE path = ?)");
        w.values << filter.filePath;
    }
    return w;
}

QStringList Column(const QSqlDatabase& db, const QString& sql) {
    QStringList out;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(sql)) return out;
    while (query.next())
        out << query.value(0).toString();
    return out;
}

} // namespace

QList<RateRow> AccuracyByGenre(const QSqlDatabase& db, const StatsFilter& filter) {
    return Summarize(db, filter, 0, 0, 0).genres;
}

QList<RateRow> AccuracyByTenth(const QSqlDatabase& db, const StatsFilter& filter) {
    return Summarize(db, filter, 0, 0, 0).tenths;
}

QList<DayRow> DailyActivity(const QSqlDatabase& db, const StatsFilter& filter, qint64 nowUtcMs,
                            int days, int utcOffsetSeconds) {
    return Summarize(db, filter, nowUtcMs, days, utcOffsetSeconds).days;
}

StatsSummary Summarize(const QSqlDatabase& db, const StatsFilter& filter, qint64 nowUtcMs, int days,
                       int utcOffsetSeconds) {
    constexpr qint64 DayMs = 86400000;
    StatsSummary out;
    for (int g = 1; g <= 7; ++g)
        out.genres.append(RateRow{g, 0, 0});
    for (int k = 0; k <= 9; ++k)
        out.tenths.append(RateRow{k, 0, 0});
    const qint64 offsetMs = qint64(utcOffsetSeconds) * 1000;
    const qint64 firstDay = (nowUtcMs + offsetMs) / DayMs - days + 1; // days since 1970, local
    const QDate epoch(1970, 1, 1);
    for (int i = 0; i < days; ++i)
        out.days.append(DayRow{epoch.addDays(firstDay + i), 0, 0});

    // One pass, grouped by genre, buzz tenth and day; the groups are few and added up here.
    // Tenth k holds the buzzes after k/10 and up to (k+1)/10 of the question, -1 = no buzz.
    const Where w = FilterClause(filter);
    const QString sql =
        QStringLiteral(
            "SELECT genre,"
            " CASE WHEN buzz_rank > 0 AND question_length > 0"
            "  THEN MIN(9, MAX(0, (chars_shown * 10 - 1) / question_length)) ELSE -1 END AS t,"
            " CASE WHEN answered_at >= ? THEN (answered_at + ?) / %1 ELSE -1 END AS d,"
            " COUNT(*), SUM(verdict = 0) FROM answers")
            .arg(DayMs) +
        w.sql + QStringLiteral(" GROUP BY genre, t, d");
    QVariantList values{firstDay * DayMs - offsetMs, offsetMs};
    values += w.values;
    QSqlQuery query(db);
    if (!RunQuery(query, sql, values)) return out;
    while (query.next()) {
        const int genre = query.value(0).toInt();
        const int tenth = query.value(1).toInt();
        const qint64 day = query.value(2).toLongLong();
        const int answered = query.value(3).toInt();
        const int right = query.value(4).toInt();
        auto add = [&](auto& row) {
            row.answered += answered;
            row.right += right;
        };
        if (genre >= 1 && genre <= 7) add(out.genres[genre - 1]);
        if (tenth >= 0 && tenth <= 9) add(out.tenths[tenth]);
        if (day >= firstDay && day < firstDay + days) add(out.days[day - firstDay]);
    }
    return out;
}

QStringList HistoryPlayers(const QSqlDatabase& db) {
    return Column(db, QStringLiteral("SELECT name FROM players ORDER BY name"));
}

QStringList HistoryFiles(const QSqlDatabase& db) {
    return Column(db, QStringLiteral("SELECT DISTINCT path FROM question_files ORDER BY path"));
}
