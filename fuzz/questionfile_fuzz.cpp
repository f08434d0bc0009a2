// Any bytes as a question file: random and sequential reading never crash, never read past
// the records the length allows, every record read is within its field widths and what was read
// saves again.
#include "FuzzFiles.h"

#include "core/Sjis.h"
#include "data/QuestionFile.h"

#include <QFileInfo>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = WriteFuzzFile("q.znd", data, size);
    const int records = int(size / QuestionFormat::RecordLength);

    QuestionFile file;
    if (!file.open(path) || file.recordCount() != records) std::abort();
    QuestionRecord record;
    for (int n = 0; n <= records + 1; ++n) {
        const bool read = file.read(n, record);
        if (read != (n >= 1 && n <= records)) std::abort();
        if (SjisBytes(record.question).size() > QuestionFormat::QuestionBytes ||
            SjisBytes(record.answer).size() > QuestionFormat::AnswerBytes)
            std::abort();
    }
    file.close();

    bool ok = false;
    const QStringList texts = ReadRecordTexts(path, records + 1, &ok);
    // One more record is there only when the rest holds its 349 bytes (its line end may be cut).
    const bool oneMore =
        size - size_t(records) * QuestionFormat::RecordLength >= size_t(QuestionFormat::BodyLength);
    if (ok != oneMore || texts.size() != records + (oneMore ? 1 : 0)) std::abort();
    // What was read saves again as whole records: no garbled field grows past its width.
    const QString copy = FuzzFolder() + QStringLiteral("/copy.znd");
    if (!WriteRecordTexts(copy, texts) ||
        QFileInfo(copy).size() != texts.size() * QuestionFormat::RecordLength)
        std::abort();
    return 0;
}
