#include "history/HistoryStats.h"

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

bool Run(QSqlQuery& query, const QString& sql, const QVariantList& values) {
    query.setForwardOnly(true);
    if (!query.prepare(sql)) return false;
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    return query.exec();
}

QList<RateRow> Grouped(const QSqlDatabase& db, const QString& keyExpr, const QString& extra,
                       const StatsFilter& filter, int first, int last) {
    QList<RateRow> rows;
    for (int k = first; k <= last; ++k)
        rows.append(RateRow{k, 0, 0});
    const Where w = FilterClause(filter);
    QSqlQuery query(db);
    const QString sql =
        QStringLiteral("SELECT %1 AS k, COUNT(*), SUM(verdict = 0) FROM answers").arg(keyExpr) +
        w.sql + extra + QStringLiteral(" GROUP BY k");
    if (!Run(query, sql, w.values)) return rows;
    while (query.next()) {
        const int k = query.value(0).toInt();
        if (k < first || k > last) continue;
        rows[k - first].answered = query.value(1).toInt();
        rows[k - first].right = query.value(2).toInt();
    }
    return rows;
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
    return Grouped(db, QStringLiteral("genre"), QString(), filter, 1, 7);
}

QList<RateRow> AccuracyByTenth(const QSqlDatabase& db, const StatsFilter& filter) {
    // (shown * 10 - 1) / length: exactly a tenth of the question still counts as that tenth.
    return Grouped(db, QStringLiteral("MIN(9, MAX(0, (chars_shown * 10 - 1) / question_length))"),
                   QStringLiteral(" AND buzz_rank > 0 AND question_length > 0"), filter, 0, 9);
}

QList<DayRow> DailyActivity(const QSqlDatabase& db, const StatsFilter& filter, qint64 nowUtcMs,
                            int days, int utcOffsetSeconds) {
    constexpr qint64 DayMs = 86400000;
    const qint64 offsetMs = qint64(utcOffsetSeconds) * 1000;
    const qint64 today = (nowUtcMs + offsetMs) / DayMs; // days since 1970 in local time
    const qint64 firstDay = today - days + 1;
    QList<DayRow> rows;
    const QDate epoch(1970, 1, 1);
    for (int i = 0; i < days; ++i)
        rows.append(DayRow{epoch.addDays(firstDay + i), 0, 0});
    Where w = FilterClause(filter);
    w.sql += QStringLiteral(" AND answered_at >= ?");
    w.values << firstDay * DayMs - offsetMs;
    QSqlQuery query(db);
    const QString sql =
        QStringLiteral(
            "SELECT (answered_at + ?) / %1 AS d, COUNT(*), SUM(verdict = 0) FROM answers")
            .arg(DayMs) +
        w.sql + QStringLiteral(" GROUP BY d");
    QVariantList values{offsetMs};
    values += w.values;
    if (!Run(query, sql, values)) return rows;
    while (query.next()) {
        const qint64 index = query.value(0).toLongLong() - firstDay;
        if (index < 0 || index >= days) continue;
        rows[index].answered = query.value(1).toInt();
        rows[index].right = query.value(2).toInt();
    }
    return rows;
}

QStringList HistoryPlayers(const QSqlDatabase& db) {
    return Column(db, QStringLiteral("SELECT name FROM players ORDER BY name"));
}

QStringList HistoryFiles(const QSqlDatabase& db) {
    return Column(db, QStringLiteral("SELECT DISTINCT path FROM question_files ORDER BY path"));
}
