#include "data/LogFile.h"

#include "core/ResText.h"
#include "core/Sjis.h"
#include "data/Csv.h"

QString SplitLoggedQuestion(const QString& question, int buzzPosition, bool readPress,
                            int extraChars) {
    const qsizetype length = question.size();
    if (buzzPosition <= 0 || buzzPosition >= length) return question + QStringLiteral("//");
    const QString heard = question.left(buzzPosition);
    const QString rest = question.mid(buzzPosition);
    QString readOn, unread;
    if (!readPress) {
        unread = rest;
    } else {
        const int k = qMax(0, extraChars);
        readOn = rest.left(k);
        unread = rest.mid(k);
    }
    return heard + u'/' + readOn + u'/' + unread;
}

QString CsvField(const QString& text) {
    return QuoteCsvField(OneLogLine(text), CsvQuoting::Always);
}

QString OneLogLine(const QString& text) {
    QString field = text;
    field.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    field.replace(u'\r', u' ');
    field.replace(u'\n', u' ');
    return field;
}

namespace {
QString csvLine(const QString& a, const QString& b, const QString& c, const QString& d) {
    return CsvLine({OneLogLine(a), OneLogLine(b), OneLogLine(c), OneLogLine(d)},
                   CsvQuoting::Always);
}
} // namespace

QByteArray BuildLog(const QString& appTitle, bool matchOn, bool readPress, int extraChars,
                    const QList<LogLine>& lines) {
    QString text = csvLine(ResText(TextLogTitle, appTitle), LoadResString(matchOn ? 148 : 149),
                           QStringLiteral("解答者"), QStringLiteral("正誤"));
    const QString correct = LoadResString(127);
    const QString wrong = LoadResString(128);
    for (const LogLine& line : lines)
        text +=
            csvLine(SplitLoggedQuestion(line.question, line.buzzPosition, readPress, extraChars),
                    line.answer, line.answerer, line.correct ? correct : wrong);
    return SjisEncode(text);
}
