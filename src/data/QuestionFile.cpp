#include "data/QuestionFile.h"

#include "core/SafeFile.h"
#include "core/Sjis.h"

#include <limits>

using namespace QuestionFormat;

bool IsQuestionFileLength(qint64 length) {
    return length >= 0 && length % RecordLength == 0;
}

bool QuestionFile::open(const QString& path) {
    close();
    file_.setFileName(path);
    // A pipe or device would block the open or never end; only plain files are question files.
    if (!IsRegularFile(path)) return false;
    // Unbuffered: every read jumps to another record, so a read-ahead buffer would only be thrown
    // away at the next seek.
    if (!file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return false;
    // A partial record at the end (a file that was not accepted by its length) is never read.
    const qint64 records = file_.size() / RecordLength;
    count_ = int(qMin<qint64>(records, std::numeric_limits<int>::max()));
    return true;
}

void QuestionFile::close() {
    if (file_.isOpen()) file_.close();
    count_ = 0;
}

bool QuestionFile::read(int n, QuestionRecord& out) {
    out = QuestionRecord();
    if (!file_.isOpen() || n < 1 || n > count_) return false;
    if (!file_.seek(qint64(n - 1) * RecordLength)) return false;
    char buffer[BodyLength];
    // The file may have been shortened since it was opened; a short read is a failed read.
    if (file_.read(buffer, BodyLength) != BodyLength) return false;
    const QByteArray body = QByteArray::fromRawData(buffer, BodyLength);
    out.question = SjisField(body, QuestionBytes, 0);
    out.answer = SjisField(body, QuestionBytes + 1, AnswerBytes);
    out.genre = QString(QChar(char16_t(quint8(buffer[BodyLength - 1]))));
    return true;
}

QStringList ReadRecordTexts(const QString& path, int count, bool* ok) {
    QStringList texts;
    bool complete = true;
    QFile file(path);
    if (count > 0 && (!IsRegularFile(path) || !file.open(QIODevice::ReadOnly))) {
        complete = false;
    } else if (count > 0) {
        texts.reserve(int(qMin<qint64>(count, file.size() / RecordLength + 1)));
        char buffer[RecordLength];
        for (int i = 0; i < count; ++i) {
            // The last record of a file may lack its line end; its 349 bytes are still a record.
            const qint64 got = file.read(buffer, RecordLength);
            if (got < BodyLength) {
                complete = false;
                break;
            }
            texts.append(SjisField(QByteArray::fromRawData(buffer, BodyLength), BodyLength, 0));
        }
    }
    if (ok) *ok = complete;
    return texts;
}

namespace {
// The text cut to `bytes` code page 932 bytes, then blanks up to exactly that width.
QString padField(const QString& text, int bytes) {
    const QString cut = SjisField(SjisBytes(text), bytes, 0);
    const int width = SjisWidth(cut, 0);
    return cut + QString(qMax(0, bytes - width), QLatin1Char(' '));
}
} // namespace

QString ComposeRecordText(const QString& question, const QString& answer, QChar genreDigit) {
    // A genre that is not one byte would shift the line end; such a record shows as undefined.
    const QString genre = SjisEncode(QString(genreDigit)).size() == 1 && genreDigit != u' '
                              ? QString(genreDigit)
                              : QStringLiteral("7");
    return padField(question, QuestionBytes) + padField(answer, AnswerBytes) + genre;
}

bool WriteRecordTexts(const QString& path, const QStringList& texts, QString* error) {
    QByteArray bytes;
    bytes.reserve(qsizetype(texts.size()) * RecordLength);
    for (qsizetype i = 0; i < texts.size(); ++i) {
        QByteArray record = SjisEncode(texts.at(i));
        // Sequential reading trims the record text, so a record whose question field starts with
        // blanks comes back shorter; its leading blanks are restored here. A record that is too
        // long cannot be placed without losing text, so nothing is written at all.
        if (record.size() < BodyLength) {
            record.prepend(QByteArray(BodyLength - record.size(), ' '));
        } else if (record.size() > BodyLength) {
            if (error)
                *error =
                    QStringLiteral("Record %1 is longer than %2 bytes").arg(i + 1).arg(BodyLength);
            return false;
        }
        bytes += record;
        bytes += "\r\n";
    }
    return WriteFileAtomically(path, bytes, error);
}
