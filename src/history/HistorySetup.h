#pragma once

#include "history/HistoryRecorder.h"
#include "history/HistoryStore.h"

#include <QString>

#include <memory>

class QWidget;
class SqliteRecorder;

// Where the history lives: the per-user data folder, "history.sqlite", unless a test put it
// elsewhere.
QString HistoryPath();
void SetHistoryPath(const QString& path);

// Whether answers are recorded ("成績を記録する", on unless the user turned it off). Kept in a
// small per-user file of its own, "history.ini" in the configuration folder, because ZN.INI's
// layout is fixed and read by other programs.
bool RecordingEnabled();
bool SetRecordingEnabled(bool on);
// The file holding that choice; tests point it elsewhere.
QString HistorySettingsPath();
void SetHistorySettingsPath(const QString& path);

// Opens the history for recording at start-up. A broken file is moved aside and a new one
// started when the user agrees; any other failure is told once and nothing is recorded in this
// session (nullptr). A lock held by another program is not a failure: writes wait for it.
std::unique_ptr<SqliteRecorder> StartRecording(QWidget* owner, const QString& path);

// The program's recorder: records only while "成績を記録する" is on, and opens the history the
// first time it is needed (start() does so at start-up, where a question about a broken file
// interrupts nobody). A history that failed to open is not tried again in this session.
class HistoryService : public HistoryRecorder {
public:
    explicit HistoryService(QString path);
    ~HistoryService() override;
    void start(QWidget* owner);
    void record(const AnswerRecord& answer) override;
    QString takeNotice() override;

private:
    QString path_;
    bool tried_ = false;
    std::unique_ptr<SqliteRecorder> recorder_;
};

// Asks, then deletes every recorded answer. False when the user said no or it failed (told).
bool ClearHistory(QWidget* owner, const QString& path);
