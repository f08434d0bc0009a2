#include "history/ReviewList.h"

#include "core/SafeFile.h"
#include "data/QuestionFile.h"
#include "history/AnswerRecord.h"
#include "history/SqlQuery.h"

#include <QHash>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <memory>

namespace {

constexpr qint64 DayMs = 86400000;

QString PlayerClause(const ReviewOptions& options, const char* column, QVariantList& values) {
    if (options.filter.allPlayers) return {};
    values << options.filter.player;
    return QStringLiteral(" AND %1 = (SELECT id FROM players WHERE name = ?)")
        .arg(QLatin1String(column));
}

QHash<qint64, QString> FilePaths(const QSqlDatabase& db) {
    QHash<qint64, QString> paths;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (query.exec(QStringLiteral("SELECT id, path FROM question_files")))
        while (query.next())
            paths.insert(query.value(0).toLongLong(), query.value(1).toString());
    return paths;
}

bool Wanted(const ReviewItem& item, const ReviewOptions& options) {
    if (options.genre != 0 && item.genre != options.genre) return false;
    return options.filter.filePath.isEmpty() || item.filePath == options.filter.filePath;
}

// Walks the attempts of every question the player ever missed, each question's in time order,
// and hands each question's last miss and attempts to `take`. Only numbers are read per row;
// the file paths come from one look-up.
template <typename Take>
void ForEachMissedQuestion(const QSqlDatabase& db, const ReviewOptions& options, Take take) {
    QVariantList values;
    QString sql = QStringLiteral("SELECT record_hash, answered_at, verdict, file_id, record_no,"
                                 " genre FROM answers WHERE 1");
    sql += PlayerClause(options, "player_id", values);
    sql +=
        QStringLiteral(" AND record_hash IN (SELECT record_hash FROM answers WHERE verdict <> 0");
    sql += PlayerClause(options, "player_id", values);
    sql += QStringLiteral(") ORDER BY record_hash, answered_at, id");
    QSqlQuery query(db);
    if (!RunQuery(query, sql, values)) return;
    const QHash<qint64, QString> paths = FilePaths(db);
    QList<Attempt> attempts;
    ReviewItem item;
    qint64 fileId = 0;
    bool have = false;
    auto finish = [&] {
        if (!have || item.lastMissMs == 0) return;
        item.filePath = paths.value(fileId);
        take(item, attempts);
    };
    while (query.next()) {
        const qint64 hash = query.value(0).toLongLong();
        if (!have || hash != item.recordHash) {
            finish();
            attempts.clear();
            item = ReviewItem{};
            item.recordHash = hash;
            have = true;
        }
        const Attempt a{query.value(1).toLongLong(), query.value(2).toInt() == 0};
        attempts.append(a);
        if (!a.right) {
            item.lastMissMs = a.whenMs;
            fileId = query.value(3).toLongLong();
            item.recordNo = query.value(4).toInt();
            item.genre = query.value(5).toInt();
        }
    }
    finish();
}

} // namespace

SpacedState SpacedReviewState(const QList<Attempt>& attempts) {
    SpacedState s;
    for (const Attempt& a : attempts) {
        if (!a.right) {
            s.missed = true;
            s.learned = false;
            s.step = 0;
            s.dueMs = a.whenMs + ReviewStepDays[0] * DayMs;
        } else if (s.missed && !s.learned && a.whenMs >= s.dueMs) {
            ++s.step;
            if (s.step >= int(ReviewStepDays.size()))
                s.learned = true;
            else
                s.dueMs = a.whenMs + ReviewStepDays[s.step] * DayMs;
        }
    }
    return s;
}

QList<ReviewItem> MissedQuestions(const QSqlDatabase& db, const ReviewOptions& options) {
    // Each question's last answer (SQLite takes the other columns of a MAX() group from the
    // row holding the maximum); the question is to be reviewed when that answer was a miss.
    QVariantList values;
    QString sql = QStringLiteral("SELECT a.record_hash, a.answered_at, f.path, a.record_no, a.genre"
                                 " FROM (SELECT id, MAX(answered_at) FROM answers WHERE 1");
    sql += PlayerClause(options, "player_id", values);
    sql += QStringLiteral(" GROUP BY record_hash) last JOIN answers a ON a.id = last.id"
                          " JOIN question_files f ON f.id = a.file_id WHERE a.verdict <> 0");
    if (!options.filter.filePath.isEmpty()) {
        sql += QStringLiteral(" AND f.path = ?");
        values << options.filter.filePath;
    }
    if (options.genre != 0) {
        sql += QStringLiteral(" AND a.genre = ?");
        values << options.genre;
    }
    sql += QStringLiteral(" ORDER BY a.answered_at DESC, a.id DESC LIMIT ?");
    values << options.limit;
    QList<ReviewItem> out;
    QSqlQuery query(db);
    if (!RunQuery(query, sql, values)) return out;
    while (query.next()) {
        ReviewItem item;
        item.recordHash = query.value(0).toLongLong();
        item.lastMissMs = query.value(1).toLongLong();
        item.filePath = query.value(2).toString();
        item.recordNo = query.value(3).toInt();
        item.genre = query.value(4).toInt();
        out.append(item);
    }
    return out;
}

QList<ReviewItem> DueQuestions(const QSqlDatabase& db, const ReviewOptions& options, qint64 nowMs) {
    QList<ReviewItem> out;
    ForEachMissedQuestion(db, options, [&](ReviewItem item, const QList<Attempt>& attempts) {
        const SpacedState s = SpacedReviewState(attempts);
        if (!s.missed || s.learned || s.dueMs > nowMs || !Wanted(item, options)) return;
        item.dueMs = s.dueMs;
        out.append(item);
    });
    std::stable_sort(out.begin(), out.end(),
                     [](const ReviewItem& a, const ReviewItem& b) { return a.dueMs < b.dueMs; });
    if (out.size() > options.limit) out.resize(options.limit);
    return out;
}

namespace {

// One source question file, read once however many review questions it supplies.
struct Source {
    QuestionFile file;
    bool opened = false;
    bool indexed = false;
    QHash<qint64, int> recordByHash;

    bool find(const ReviewItem& item, QuestionRecord& out) {
        if (!opened) return false;
        if (file.read(item.recordNo, out) && RecordHash(out) == item.recordHash) return true;
        // Records were inserted or removed since: look for the question elsewhere in the file.
        if (!indexed) {
            indexed = true;
            QuestionRecord r;
            for (int n = 1; n <= file.recordCount(); ++n)
                if (file.read(n, r)) recordByHash.insert(RecordHash(r), n);
        }
        const int n = recordByHash.value(item.recordHash, 0);
        return n > 0 && file.read(n, out);
    }
};

} // namespace

ReviewFileResult WriteReviewFile(const QList<ReviewItem>& items, const QString& path) {
    ReviewFileResult result;
    QHash<QString, std::shared_ptr<Source>> sources;
    QStringList texts;
    for (const ReviewItem& item : items) {
        std::shared_ptr<Source>& source = sources[item.filePath];
        if (!source) {
            source = std::make_shared<Source>();
            source->opened = IsRegularFile(item.filePath) && source->file.open(item.filePath);
        }
        QuestionRecord record;
        if (!source->find(item, record)) {
            ++result.missing;
            continue;
        }
        const QChar genre = QLatin1Char(char('0' + GenreNumber(record.genre)));
        texts << ComposeRecordText(record.question, record.answer, genre);
    }
    for (auto& source : sources)
        source->file.close();
    if (texts.isEmpty()) return result;
    if (!WriteRecordTexts(path, texts, &result.error)) return result;
    result.ok = true;
    result.written = int(texts.size());
    return result;
}
