#include "platform/ProgramVersion.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>

#include <utility>

#if !defined(Q_OS_WIN)
#include <signal.h>
#include <unistd.h>
#endif

namespace {

// Only so much of the answer is read: a program printing megabytes is not the tool.
constexpr qint64 AnswerLimit = 256;

void StartInOwnGroup(QProcess& process, const QString& path) {
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardInputFile(QProcess::nullDevice());
#if !defined(Q_OS_WIN)
    // Its own process group, so that whatever it starts can be ended with it.
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
#endif
    process.start(path, {QStringLiteral("--version")}, QIODevice::ReadOnly);
}

// Ends everything in the program's process group (what it started may outlive it), then the
// program itself, and reaps it.
void KillGroup(QProcess& process, qint64 group) {
#if !defined(Q_OS_WIN)
    if (group > 0) ::kill(-pid_t(group), SIGKILL);
#else
    Q_UNUSED(group);
#endif
    if (process.state() == QProcess::NotRunning) return;
    process.kill();
    process.waitForFinished(1000);
}

} // namespace

QString VersionFromAnswer(const QByteArray& answer) {
    QByteArray out = answer.left(AnswerLimit);
    if (const qsizetype end = out.indexOf('\n'); end >= 0) out.truncate(end);
    const QString firstLine = QString::fromUtf8(out).trimmed();
    static const QRegularExpression pattern(QStringLiteral("(?:^|\\s)(\\d{1,5})\\.(\\d{1,5})$"));
    const QRegularExpressionMatch m = pattern.match(firstLine);
    if (!m.hasMatch()) return QString();
    return QStringLiteral("%1.%2").arg(m.captured(1).toInt()).arg(m.captured(2).toInt());
}

QString AskProgramVersion(const QString& path, int timeoutMs) {
    QString version;
    QEventLoop loop;
    ProgramVersionQuery query(path, timeoutMs);
    QObject::connect(&query, &ProgramVersionQuery::answered, &loop, [&](const QString& answer) {
        version = answer;
        loop.quit();
    });
    // The answer may already be queued (a path that is no program); the loop then ends at once.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return version;
}

ProgramVersionQuery::ProgramVersionQuery(const QString& path, int timeoutMs, QObject* parent)
    : QObject(parent), limit_(new QTimer(this)) {
    limit_->setSingleShot(true);
    connect(limit_, &QTimer::timeout, this, [this] { finish(QString()); });
    if (!QFileInfo(path).isFile()) {
        QTimer::singleShot(0, this, [this] { finish(QString()); });
        return;
    }
    process_ = std::make_unique<QProcess>();
    connect(process_.get(), &QProcess::finished, this, [this](int, QProcess::ExitStatus status) {
        finish(status == QProcess::NormalExit ? VersionFromAnswer(process_->readAllStandardOutput())
                                              : QString());
    });
    connect(process_.get(), &QProcess::started, this, [this] { group_ = process_->processId(); });
    connect(process_.get(), &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) finish(QString());
    });
    // One limit for starting and answering together.
    limit_->start(timeoutMs);
    StartInOwnGroup(*process_, path);
}

ProgramVersionQuery::~ProgramVersionQuery() {
    stop();
}

qint64 ProgramVersionQuery::processId() const {
    return group_;
}

void ProgramVersionQuery::stop() {
    limit_->stop();
    if (!process_) return;
    process_->disconnect(this);
    KillGroup(*process_, std::exchange(group_, 0));
}

void ProgramVersionQuery::finish(const QString& version) {
    if (done_) return;
    done_ = true;
    // A program that answered may have left something running in its group; one that did not
    // answer in time is ended here with all it started.
    limit_->stop();
    if (process_) {
        process_->disconnect(this);
        KillGroup(*process_, std::exchange(group_, 0));
    }
    emit answered(version);
}
