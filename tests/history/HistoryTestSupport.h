#pragma once

#include "history/AnswerRecord.h"
#include "history/HistoryStore.h"

#include "support/TestKit.h"
#include <QSqlQuery>

constexpr qint64 TestDayMs = 86400000;
// 2026-12-01 00:00 UTC.
constexpr qint64 TestEpochMs = 1796083200000;

inline AnswerRecord Answer(qint64 hash, Verdict verdict, qint64 whenMs,
                           const QString& player = QStringLiteral("太郎"),
                           const QString& file = QStringLiteral("/q/a.znd"), int recordNo = 1,
                           int genre = 1) {
    AnswerRecord a;
    a.whenMs = whenMs;
    a.filePath = file;
    a.fileHash = QByteArray(32, char(file.size()));
    a.recordNo = recordNo;
    a.recordHash = hash;
    a.genre = genre;
    a.player = player;
    a.verdict = verdict;
    a.charsShown = 10;
    a.questionLength = 40;
    a.thinkingMs = 1500;
    a.answerMs = 800;
    a.buzzRank = 1;
    return a;
}

// One value of the first row of `sql` on the store's connection.
inline QVariant Scalar(const HistoryStore& store, const QString& sql) {
    QSqlQuery q(store.database());
    if (!q.exec(sql) || !q.next()) return QVariant();
    return q.value(0);
}

inline qint64 AnswerCount(const HistoryStore& store) {
    return Scalar(store, QStringLiteral("SELECT COUNT(*) FROM answers")).toLongLong();
}
