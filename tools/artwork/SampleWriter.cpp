#include "Art.h"

#include "platform/Cp932.h"

#include <QFile>
#include <QSaveFile>

namespace {

QByteArray Padded(const QByteArray& bytes, int width) {
    return bytes + QByteArray(width - bytes.size(), ' ');
}

QString CheckField(const QString& text, int limit, const char* what) {
    if (text.isEmpty()) return QStringLiteral("empty %1").arg(QLatin1String(what));
    if (text.trimmed() != text)
        return QStringLiteral("%1 begins or ends with a blank").arg(QLatin1String(what));
    if (!Cp932Representable(text))
        return QStringLiteral("%1 has characters outside code page 932").arg(QLatin1String(what));
    const int bytes = int(Cp932Encode(text).size());
    if (bytes > limit)
        return QStringLiteral("%1 is %2 bytes, at most %3")
            .arg(QLatin1String(what))
            .arg(bytes)
            .arg(limit);
    return {};
}

} // namespace

QString WriteQuestionFile(const QString& textPath, const QString& zndPath) {
    QFile in(textPath);
    if (!in.open(QIODevice::ReadOnly)) return QStringLiteral("cannot read %1").arg(textPath);
    const QStringList lines = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'));
    QByteArray out;
    int lineNo = 0;
    for (QString line : lines) {
        ++lineNo;
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const QStringList f = line.split(QLatin1Char('\t'));
        QString problem;
        if (f.size() != 3 || f[0].size() != 1 || f[0][0] < QLatin1Char('1') ||
            f[0][0] > QLatin1Char('7'))
            problem = QStringLiteral("expected genre 1-7, question and answer separated by tabs");
        if (problem.isEmpty()) problem = CheckField(f[1], 288, "question");
        if (problem.isEmpty()) problem = CheckField(f[2], 60, "answer");
        if (!problem.isEmpty())
            return QStringLiteral("%1:%2: %3").arg(textPath).arg(lineNo).arg(problem);
        // One record: question padded to 288 bytes, answer to 60, the genre digit, CR LF.
        out += Padded(Cp932Encode(f[1]), 288);
        out += Padded(Cp932Encode(f[2]), 60);
        out += f[0].toLatin1();
        out += "\r\n";
    }
    QSaveFile file(zndPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit())
        return QStringLiteral("cannot write %1").arg(zndPath);
    return {};
}
