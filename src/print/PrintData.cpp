#include "print/PrintData.h"

#include "core/RecordFormat.h"
#include "core/ResText.h"
#include "core/Sjis.h"
#include "data/QuestionFile.h"

#include <QFile>
#include <QFileInfo>

QList<QStringList> ParseCsv(const QString& text) {
    QList<QStringList> records;
    QStringList fields;
    QString field;
    const qsizetype n = text.size();
    qsizetype i = 0;
    bool recordOpen = false; // something of the current record has been seen

    auto endField = [&] {
        fields.append(field);
        field.clear();
    };
    auto endRecord = [&] {
        endField();
        records.append(fields);
        fields.clear();
        recordOpen = false;
    };
    auto isLineEnd = [](QChar c) { return c == u'\r' || c == u'\n'; };

    while (i < n) {
        const QChar c = text.at(i);
        recordOpen = true;
        if (c == u'"' && field.isEmpty()) {
            // Quoted field: up to the quote that closes it.
            ++i;
            while (i < n) {
                const QChar q = text.at(i);
                if (q != u'"') {
                    field.append(q);
                    ++i;
                    continue;
                }
                if (i + 1 < n && text.at(i + 1) == u'"') {
                    field.append(u'"');
                    i += 2;
                    continue;
                }
                if (i + 1 >= n || text.at(i + 1) == u',' || isLineEnd(text.at(i + 1))) {
                    ++i;
                    break;
                }
                field.append(q); // a lone quote inside the text
                ++i;
            }
            continue;
        }
        if (c == u',') {
            endField();
            ++i;
        } else if (isLineEnd(c)) {
            i += (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n') ? 2 : 1;
            endRecord();
        } else {
            field.append(c);
            ++i;
        }
    }
    if (recordOpen) endRecord();
    return records;
}

namespace {

bool readQuestions(const QString& path, int from, int to, QList<PrintEntry>* out) {
    QuestionFile file;
    if (!file.open(path)) return false;
    QuestionRecord record;
    for (int n = from; n <= to; ++n) {
        if (!file.read(n, record)) return false;
        out->append(PrintEntry{record.question, record.answer, QString(), QString()});
    }
    return true;
}

bool readLog(const QString& path, int from, int to, QList<PrintEntry>* out, PrintDataError* error) {
    error->textId = TextPrintDataNotRead;
    if (!QFileInfo(path).isFile()) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxLogBytes) return false;
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size()) return false;

    // Record 0 is the header line; log entry n is record n.
    const QList<QStringList> records = ParseCsv(SjisDecode(bytes));
    for (int n = from; n <= to; ++n) {
        if (n >= records.size()) return false; // the file was shortened since it was chosen
        const QStringList& f = records.at(n);
        if (f.size() < 4) {
            *error = PrintDataError{TextLogRecordShort, n};
            return false;
        }
        out->append(PrintEntry{f[0], f[1], f[2], f[3]});
    }
    return true;
}

} // namespace

bool ReadPrintEntries(const QString& path, bool isLog, int from, int to, QList<PrintEntry>* out,
                      PrintDataError* error) {
    out->clear();
    *error = PrintDataError{TextPrintDataNotRead, 0};
    const bool ok =
        isLog ? readLog(path, from, to, out, error) : readQuestions(path, from, to, out);
    if (!ok) out->clear();
    return ok;
}
