#include "data/LogFile.h"

#include "core/ResText.h"
#include "core/Sjis.h"

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
    QString field = text;
    field.replace(u'"', QStringLiteral("\"\""));
    // A line break inside a field would be counted as one more log line by the readers.
    field.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    field.replace(u'\r', u' ');
    field.replace(u'\n', u' ');
    return u'"' + field + u'"';
}

namespace {
QString csvLine(const QString& a, const QString& b, const QString& c, const QString& d) {
    return CsvField(a) + u',' + CsvField(b) + u',' + CsvField(c) + u',' + CsvField(d) +
           QStringLiteral("\r\n");
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
