#include "platform/ProgramVersion.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

QString AskProgramVersion(const QString& path, int timeoutMs) {
    if (!QFileInfo(path).isFile()) return QString();
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(path, {QStringLiteral("--version")}, QIODevice::ReadOnly);
    // One limit for starting and answering together.
    const QDeadlineTimer deadline(timeoutMs);
    if (!process.waitForStarted(int(deadline.remainingTime()))) return QString();
    if (!process.waitForFinished(int(qMax<qint64>(1, deadline.remainingTime())))) {
        // A program that ignores the option may wait for input or open a window: it must not
        // keep the version window from opening.
        process.kill();
        process.waitForFinished(500);
        return QString();
    }
    if (process.exitStatus() != QProcess::NormalExit) return QString();
    // Only the first line counts, and only a short one: a program printing megabytes is not
    // the tool.
    QByteArray out = process.readAllStandardOutput().left(256);
    if (const qsizetype end = out.indexOf('\n'); end >= 0) out.truncate(end);
    const QString firstLine = QString::fromUtf8(out).trimmed();
    static const QRegularExpression pattern(QStringLiteral("(?:^|\\s)(\\d{1,5})\\.(\\d{1,5})$"));
    const QRegularExpressionMatch m = pattern.match(firstLine);
    if (!m.hasMatch()) return QString();
    return QStringLiteral("%1.%2").arg(m.captured(1).toInt()).arg(m.captured(2).toInt());
}
