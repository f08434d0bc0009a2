#include "history/SqliteRecorder.h"

#include "core/ResText.h"
#include "history/HistoryTexts.h"

#include <QMetaObject>

// The half of the recorder that lives on the writing thread; it owns the connection.
class HistoryWriter : public QObject {
public:
    HistoryWriter(SqliteRecorder* owner, QString path, int busyTimeoutMs)
        : owner_(owner), path_(std::move(path)), busyTimeoutMs_(busyTimeoutMs) {}

    void add(const AnswerRecord& answer) {
        if (pending_.size() >= SqliteRecorder::MaxPending) pending_.removeFirst();
        pending_.append(answer);
        write();
    }

    bool write() {
        if (pending_.isEmpty()) return true;
        if (!store_.isOpen()) {
            HistoryStore::Options options;
            options.busyTimeoutMs = busyTimeoutMs_;
            const StoreStatus opened = store_.open(path_, options);
            if (opened != StoreStatus::Ok) {
                owner_->reportStatus(opened);
                return false;
            }
        }
        const StoreStatus status = store_.insert(pending_);
        // Answers the store refuses outright would block every later one: they are dropped.
        // Those that met a lock, a full disk or a broken file wait for the next try.
        if (status == StoreStatus::Ok || status == StoreStatus::Failed) pending_.clear();
        // A file replaced or broken under us is opened afresh next time.
        if (status != StoreStatus::Ok && status != StoreStatus::Locked) store_.close();
        owner_->reportStatus(status);
        return status == StoreStatus::Ok;
    }

private:
    SqliteRecorder* owner_;
    QString path_;
    int busyTimeoutMs_;
    HistoryStore store_;
    QList<AnswerRecord> pending_;
};

SqliteRecorder::SqliteRecorder(const QString& path, int busyTimeoutMs) {
    writer_ = new HistoryWriter(this, path, busyTimeoutMs);
    writer_->moveToThread(&thread_);
    QObject::connect(&thread_, &QThread::finished, writer_, &QObject::deleteLater);
    thread_.setObjectName(QStringLiteral("history writer"));
    thread_.start(QThread::LowPriority);
}

SqliteRecorder::~SqliteRecorder() {
    flush();
    thread_.quit();
    thread_.wait();
}

void SqliteRecorder::record(const AnswerRecord& answer) {
    HistoryWriter* writer = writer_;
    QMetaObject::invokeMethod(
        writer, [writer, answer] { writer->add(answer); }, Qt::QueuedConnection);
}

bool SqliteRecorder::flush() {
    bool written = false;
    HistoryWriter* writer = writer_;
    QMetaObject::invokeMethod(
        writer, [writer, &written] { written = writer->write(); }, Qt::BlockingQueuedConnection);
    return written;
}

StoreStatus SqliteRecorder::lastStatus() const {
    QMutexLocker lock(&mutex_);
    return lastStatus_;
}

void SqliteRecorder::reportStatus(StoreStatus status) {
    QMutexLocker lock(&mutex_);
    lastStatus_ = status;
    if (status == StoreStatus::Ok || told_.contains(status)) return;
    told_.append(status);
    if (pendingNotice_.isEmpty()) pendingNotice_ = HistoryNoticeText(status);
}

QString SqliteRecorder::takeNotice() {
    QMutexLocker lock(&mutex_);
    return std::exchange(pendingNotice_, QString());
}

QString HistoryNoticeText(StoreStatus status) {
    switch (status) {
    case StoreStatus::Ok:
        return {};
    case StoreStatus::Corrupt:
        return ResText(TextHistoryBroken);
    case StoreStatus::Unreadable:
        return ResText(TextHistoryUnreadable);
    case StoreStatus::ReadOnly:
        return ResText(TextHistoryReadOnly);
    case StoreStatus::Locked:
        return ResText(TextHistoryLocked);
    case StoreStatus::Full:
        return ResText(TextHistoryFull);
    case StoreStatus::TooNew:
        return ResText(TextHistoryTooNew);
    case StoreStatus::Failed:
        return ResText(TextHistoryUnreadable);
    }
    return {};
}
