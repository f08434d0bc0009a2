#include "quiz/HistoryObserver.h"

#include "core/AppGlobals.h"
#include "history/HistoryRecorder.h"
#include "platform/Platform.h"

#include <QFileInfo>

void HistoryObserver::setQuestionFile(const QString& path) {
    finish();
    filePath_ = QFileInfo(path).absoluteFilePath();
    fileHash_ = historyRecorder() ? FileHash(path) : QByteArray();
}

void HistoryObserver::finish() {
    if (!pending_) return;
    if (HistoryRecorder* recorder = historyRecorder()) recorder->record(*pending_);
    pending_.reset();
}

void HistoryObserver::questionAsked(int, int, const QuestionRecord&) {
    finish();
}

void HistoryObserver::questionJudged(const JudgedQuestion& j) {
    if (!historyRecorder()) return;
    if (j.rejudged) {
        // Only the verdict changes: the times stay those of the first judgement.
        if (pending_ && questionNo_ == j.questionNo)
            pending_->verdict = j.correct ? Verdict::Right : Verdict::Wrong;
        return;
    }
    finish();
    questionNo_ = j.questionNo;
    AnswerRecord a;
    a.whenMs = j.judgedAtMs;
    a.filePath = filePath_;
    a.fileHash = fileHash_;
    a.recordNo = j.recordNo;
    a.recordHash = RecordHash(j.record);
    a.genre = GenreNumber(j.record.genre);
    // A time over is kept apart from a wrong answer whatever the settings count it as.
    a.verdict = j.timeOver ? Verdict::TimeOver : j.correct ? Verdict::Right : Verdict::Wrong;
    a.questionLength = j.questionLength;
    a.charsShown = j.buzzPosition > 0 ? j.buzzPosition : j.questionLength;
    const bool buzzed = j.buzzAtMs != 0;
    const qint64 thoughtUntil = buzzed ? j.buzzAtMs : j.judgedAtMs;
    a.thinkingMs = j.askedAtMs ? int(qMax<qint64>(0, thoughtUntil - j.askedAtMs)) : 0;
    a.answerMs = buzzed ? int(qMax<qint64>(0, j.judgedAtMs - j.buzzAtMs)) : 0;
    if (G().Roster.matchOn) {
        a.player = j.answerer;
        for (int rank = 0; rank < j.buzzes.size(); ++rank) {
            if (j.buzzes[rank].name == j.answerer) {
                a.buzzRank = rank + 1;
                a.buzzLagMs = int(j.buzzes[rank].lagMs);
                break;
            }
        }
    } else {
        a.player = platform().registeredOwnerName();
        a.buzzRank = buzzed ? 1 : 0;
    }
    pending_ = a;
}
