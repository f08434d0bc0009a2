#include "print/PrintData.h"

#include "core/RecordFormat.h"
#include "core/ResText.h"
#include "core/Sjis.h"
#include "data/Csv.h"
#include "data/QuestionFile.h"

#include <QFile>
#include <QFileInfo>

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
    const QList<CsvRecord> records = ReadCsv(SjisDecode(bytes), u',', CsvQuotes::Log);
    for (int n = from; n <= to; ++n) {
        if (n >= records.size()) return false; // the file was shortened since it was chosen
        const QStringList& f = records.at(n).fields;
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
