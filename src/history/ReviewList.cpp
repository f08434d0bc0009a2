#include "history/ReviewList.h"

#include "core/SafeFile.h"
#include "data/QuestionFile.h"
#include "history/AnswerRecord.h"

#include <QHash>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <memory>

namespace {

constexpr qint64 DayMs = 86400000;

// The answers of the filtered player, one question after another, each in time order.
QString AttemptsSql(const ReviewOptions& options, QVariantList& values) {
    QString sql = QStringLiteral(
        "SELECT a.record_hash, a.answered_at, a.verdict, f.path, a.record_no, a.genre"
        " FROM answers a JOIN question_files f ON f.id = a.file_id WHERE 1");
    if (!options.filter.allPlayers) {
        sql += QStringLiteral(" AND a.player_id = (SELECT id FROM players WHERE name = ?)");
        values << options.filter.player;
    }
    return sql + QStringLiteral(" ORDER BY a.record_hash, a.answered_at, a.id");
}

bool Wanted(const ReviewItem& item, const ReviewOptions& options) {
    if (options.genre != 0 && item.genre != options.genre) return false;
    return options.filter.filePath.isEmpty() || item.filePath == options.filter.filePath;
}

// Walks every question's attempts and hands each question's last miss and state to `take`.
template <typename Take>
void ForEachQuestion(const QSqlDatabase& db, const ReviewOptions& options, Take take) {
    QVariantList values;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(AttemptsSql(options, values))) return;
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    if (!query.exec()) return;
    QList<Attempt> attempts;
    ReviewItem item;
    bool have = false;
    auto finish = [&] {
        if (have && item.lastMissMs != 0) take(item, attempts);
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
            item.filePath = query.value(3).toString();
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
    QList<ReviewItem> out;
    ForEachQuestion(db, options, [&](const ReviewItem& item, const QList<Attempt>& attempts) {
        if (!attempts.last().right && Wanted(item, options)) out.append(item);
    });
    std::stable_sort(out.begin(), out.end(), [](const ReviewItem& a, const ReviewItem& b) {
        return a.lastMissMs > b.lastMissMs;
    });
    if (out.size() > options.limit) out.resize(options.limit);
    return out;
}

QList<ReviewItem> DueQuestions(const QSqlDatabase& db, const ReviewOptions& options, qint64 nowMs) {
    QList<ReviewItem> out;
    ForEachQuestion(db, options, [&](ReviewItem item, const QList<Attempt>& attempts) {
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
