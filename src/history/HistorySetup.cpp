#include "history/HistorySetup.h"

#include "core/ResText.h"
#include "history/HistoryTexts.h"
#include "history/SqliteRecorder.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

QString gSettingsPath;
QString gHistoryPath;
// The choice as last read or set; read from the file once, not for every answer.
int gRecording = -1;

const QString RecordKey = QStringLiteral("history/record");

void Tell(QWidget* owner, StoreStatus status) {
    const QString text = HistoryNoticeText(status);
    if (!text.isEmpty()) platform().messageBox(owner, MsgWarning, ResText(TitleHistoryError), text);
}

} // namespace

void SetHistoryPath(const QString& path) {
    gHistoryPath = path;
}

QString HistoryPath() {
    if (!gHistoryPath.isEmpty()) return gHistoryPath;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("history.sqlite"));
}

QString HistorySettingsPath() {
    if (!gSettingsPath.isEmpty()) return gSettingsPath;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QStringLiteral("history.ini"));
}

void SetHistorySettingsPath(const QString& path) {
    gSettingsPath = path;
    gRecording = -1;
}

bool RecordingEnabled() {
    if (gRecording < 0) {
        const QSettings settings(HistorySettingsPath(), QSettings::IniFormat);
        gRecording = settings.value(RecordKey, true).toBool() ? 1 : 0;
    }
    return gRecording == 1;
}

bool SetRecordingEnabled(bool on) {
    gRecording = on ? 1 : 0;
    QSettings settings(HistorySettingsPath(), QSettings::IniFormat);
    settings.setValue(RecordKey, on);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

HistoryService::HistoryService(QString path) : path_(std::move(path)) {}

HistoryService::~HistoryService() = default;

void HistoryService::start(QWidget* owner) {
    if (tried_ || !RecordingEnabled()) return;
    tried_ = true;
    recorder_ = StartRecording(owner, path_);
}

void HistoryService::record(const AnswerRecord& answer) {
    if (!RecordingEnabled()) return;
    start(nullptr);
    if (recorder_) recorder_->record(answer);
}

QString HistoryService::takeNotice() {
    return recorder_ ? recorder_->takeNotice() : QString();
}

std::unique_ptr<SqliteRecorder> StartRecording(QWidget* owner, const QString& path) {
    HistoryStore::Options options;
    options.checkPages = true;
    StoreStatus status;
    {
        HistoryStore store;
        status = store.open(path, options);
    }
    if (status == StoreStatus::Corrupt) {
        const QDate today = platform().utcNow().toLocalTime().date();
        QString aside =
            path + QStringLiteral(".broken-") + today.toString(QStringLiteral("yyyyMMdd"));
        const int answer =
            platform().messageBox(owner, MsgYesNo, ResText(TitleHistoryError),
                                  ResText(TextHistoryAskMoveAside, QFileInfo(aside).fileName()));
        if (answer != AnswerYes) return nullptr; // the file stays as it is, untouched
        aside = MoveAsideBroken(path, today);
        if (aside.isEmpty()) {
            Tell(owner, StoreStatus::ReadOnly);
            return nullptr;
        }
        HistoryStore store;
        status = store.open(path, options);
    }
    if (status != StoreStatus::Ok && status != StoreStatus::Locked) {
        Tell(owner, status);
        return nullptr;
    }
    return std::make_unique<SqliteRecorder>(path);
}

bool ClearHistory(QWidget* owner, const QString& path) {
    if (platform().messageBox(owner, MsgYesNo, ResText(83), ResText(TextAskClearHistory)) !=
        AnswerYes)
        return false;
    if (!QFileInfo::exists(path)) return true;
    HistoryStore store;
    StoreStatus status = store.open(path);
    if (status == StoreStatus::Ok) status = store.clear();
    if (status == StoreStatus::Ok) return true;
    Tell(owner, status);
    return false;
}
