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

const QString RecordKey = QStringLiteral("history/record");

void Tell(QWidget* owner, StoreStatus status) {
    const QString text = HistoryNoticeText(status);
    if (!text.isEmpty()) platform().messageBox(owner, MsgWarning, ResText(TitleHistoryError), text);
}

} // namespace

QString DefaultHistoryPath() {
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
}

bool RecordingEnabled() {
    const QSettings settings(HistorySettingsPath(), QSettings::IniFormat);
    return settings.value(RecordKey, true).toBool();
}

bool SetRecordingEnabled(bool on) {
    QSettings settings(HistorySettingsPath(), QSettings::IniFormat);
    settings.setValue(RecordKey, on);
    settings.sync();
    return settings.status() == QSettings::NoError;
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
