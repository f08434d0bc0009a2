#include "history/AnswerRecord.h"

#include "core/SafeFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QtEndian>

qint64 RecordHash(const QuestionRecord& record) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    // NUL separators keep "ab"+"c" apart from "a"+"bc".
    hash.addData(record.question.toUtf8());
    hash.addData(QByteArrayView("\0", 1));
    hash.addData(record.answer.toUtf8());
    hash.addData(QByteArrayView("\0", 1));
    hash.addData(QByteArray::number(GenreNumber(record.genre)));
    return qFromBigEndian<qint64>(hash.result().constData());
}

QByteArray FileHash(const QString& path) {
    if (!IsRegularFile(path)) return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file) || file.error() != QFileDevice::NoError) return {};
    return hash.result();
}

int GenreNumber(const QString& genre) {
    if (genre.size() == 1 && genre[0] >= QLatin1Char('1') && genre[0] <= QLatin1Char('7'))
        return genre[0].unicode() - '0';
    return 7;
}
