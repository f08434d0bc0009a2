#pragma once

#include "history/HistoryRecorder.h"
#include "history/HistoryStore.h"

#include <QMutex>
#include <QObject>
#include <QThread>

#include <memory>

class HistoryWriter;

// Records into the SQLite history on a thread of its own: record() only queues the answer, so
// a slow disk or a lock held by another program never delays the quiz. Answers that could not
// be written stay queued (up to MaxPending) and go with the next one; the first failure of each
// kind becomes a notice for the user.
class SqliteRecorder : public HistoryRecorder {
public:
    static constexpr int MaxPending = 10000;

    explicit SqliteRecorder(const QString& path,
                            int busyTimeoutMs = HistoryStore::DefaultBusyTimeoutMs);
    ~SqliteRecorder() override; // writes what is queued, then stops the thread

    void record(const AnswerRecord& answer) override;
    QString takeNotice() override;

    // Waits until every queued answer has been tried once; true when none is left unwritten.
    bool flush();
    // The status of the last write (Ok before the first).
    StoreStatus lastStatus() const;

private:
    friend class HistoryWriter;
    void reportStatus(StoreStatus status);

    QThread thread_;
    HistoryWriter* writer_ = nullptr; // lives in thread_, deleted when it finishes
    mutable QMutex mutex_;
    StoreStatus lastStatus_ = StoreStatus::Ok;
    QList<StoreStatus> told_; // kinds of failure already reported
    QString pendingNotice_;
};

// The message text for a store status; empty for Ok.
QString HistoryNoticeText(StoreStatus status);
