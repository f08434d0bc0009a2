#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QProcess;
class QTimer;

// Asks the program at `path` for its version with "--version" and waits at most `timeoutMs`.
// The first line of its answer must end in "<major>.<minor>" (for example "Pomvex 1.2"); the
// result is "major.minor", or empty when the program is not a regular file, does not start,
// answers late or answers something else. A program still running at the limit is killed with
// every process it started.
QString AskProgramVersion(const QString& path, int timeoutMs = 2000);

// The same question without waiting: `answered` comes once from the event loop, with the version
// or empty. The program runs in a process group of its own; at the limit, or when the query is
// destroyed first, the whole group is killed, so nothing it started is left behind.
class ProgramVersionQuery : public QObject {
    Q_OBJECT
public:
    ProgramVersionQuery(const QString& path, int timeoutMs, QObject* parent = nullptr);
    ~ProgramVersionQuery() override;

    // The process id of the program once started (the id of its process group), else 0.
    qint64 processId() const;

signals:
    void answered(const QString& version);

private:
    void finish(const QString& version);
    void stop();

    std::unique_ptr<QProcess> process_;
    QTimer* limit_ = nullptr;
    qint64 group_ = 0;
    bool done_ = false;
};

// The version in the first line of a program's answer to "--version"; empty when none.
QString VersionFromAnswer(const QByteArray& answer);
