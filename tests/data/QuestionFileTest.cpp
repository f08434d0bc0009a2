#include "data/QuestionFile.h"

#include "core/Sjis.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray record(const QString& question, const QString& answer, char genre) {
    return SjisEncode(ComposeRecordText(question, answer, QLatin1Char(genre))) + "\r\n";
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(QuestionFile, ComposedRecordHasExactLayout) {
    const QByteArray bytes = SjisEncode(ComposeRecordText(u"日本"_qs, u"ABC"_qs, u'3'));
    QByteArray expected =
        QByteArray("\x93\xfa\x96\x7b") + QByteArray(284, ' ') + "ABC" + QByteArray(57, ' ') + "3";
    EXPECT_EQ(bytes, expected);

    // A question of exactly 288 bytes runs straight into the answer.
    const QString full = QString(144, QChar(u'あ'));
    const QByteArray fullBytes = SjisEncode(ComposeRecordText(full, u"X"_qs, u'1'));
    ASSERT_EQ(fullBytes.size(), QuestionFormat::BodyLength);
    EXPECT_EQ(fullBytes.at(288), 'X');

    // Too long: cut without splitting a double-byte character, still 349 bytes.
    const QString over = u"A"_qs + QString(200, QChar(u'い'));
    const QByteArray overBytes =
        SjisEncode(ComposeRecordText(over, QString(40, QChar(u'う')), u'2'));
    ASSERT_EQ(overBytes.size(), QuestionFormat::BodyLength);
    EXPECT_EQ(overBytes.at(287), ' '); // 1 + 143*2 = 287 bytes; the 144th い would not fit
    EXPECT_EQ(overBytes.at(348), '2');

    // A genre that is not one byte would shift the line end.
    EXPECT_EQ(SjisEncode(ComposeRecordText(u"Q"_qs, u"A"_qs, u'５')).size(), 349);
    EXPECT_TRUE(ComposeRecordText(u"Q"_qs, u"A"_qs, u'５').endsWith(u'7'));
}

TEST(QuestionFile, RandomReadingByRecordNumber) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"q.znd"_qs);
    writeBytes(path, record(u"日本の首都は？"_qs, u"東京"_qs, '1') +
                         record(u"～語で「……」"_qs, u"①"_qs, '6'));
    ASSERT_EQ(QFile(path).size(), 702);
    EXPECT_TRUE(IsQuestionFileLength(702));
    EXPECT_TRUE(IsQuestionFileLength(10881)); // also 39 x 279: whole 351-byte records win
    EXPECT_FALSE(IsQuestionFileLength(422));

    QuestionFile file;
    ASSERT_TRUE(file.open(path));
    EXPECT_EQ(file.recordCount(), 2);
    QuestionRecord r;
    ASSERT_TRUE(file.read(2, r));
    EXPECT_EQ(r.question, u"～語で「……」"_qs);
    EXPECT_EQ(r.answer, u"①"_qs);
    EXPECT_EQ(r.genre, u"6"_qs);
    ASSERT_TRUE(file.read(1, r));
    EXPECT_EQ(r.question, u"日本の首都は？"_qs);
    EXPECT_EQ(r.answer, u"東京"_qs);

    // Out of range reads fail and leave an empty record, never old contents.
    EXPECT_FALSE(file.read(3, r));
    EXPECT_TRUE(r.question.isEmpty());
    EXPECT_FALSE(file.read(0, r));
    EXPECT_FALSE(file.read(-5, r));
    file.close();
    EXPECT_FALSE(file.read(1, r));
    EXPECT_FALSE(file.open(dir.filePath(u"missing.znd"_qs)));
}

TEST(QuestionFile, RawGenreAndPartialLastRecord) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"q.znd"_qs);
    QByteArray bytes = record(u"Q1"_qs, u"A1"_qs, '9');
    bytes[348] = char(0xB1); // half-width katakana byte: kept raw, the quiz decides what it means
    bytes += record(u"Q2"_qs, u"A2"_qs, '2').left(200);
    writeBytes(path, bytes);

    QuestionFile file;
    ASSERT_TRUE(file.open(path));
    EXPECT_EQ(file.recordCount(), 1);
    QuestionRecord r;
    ASSERT_TRUE(file.read(1, r));
    EXPECT_EQ(r.genre, QString(QChar(0xB1)));
    EXPECT_FALSE(file.read(2, r));
}

TEST(QuestionFile, ReadingAFileThatShrankFailsCleanly) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"q.znd"_qs);
    writeBytes(path, record(u"Q1"_qs, u"A1"_qs, '1') + record(u"Q2"_qs, u"A2"_qs, '2'));
    QuestionFile file;
    ASSERT_TRUE(file.open(path));
    ASSERT_TRUE(QFile::resize(path, 400));
    QuestionRecord r;
    EXPECT_FALSE(file.read(2, r));
    EXPECT_TRUE(file.read(1, r));
}

TEST(QuestionFile, SequentialReadingAndWritingRoundTrip) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"list.znd"_qs);
    const QStringList texts = {ComposeRecordText(u"日本"_qs, u"ABC"_qs, u'3'),
                               ComposeRecordText(u"ｶﾀｶﾅ と　全角空白"_qs, u"－"_qs, u'7')};
    QString error;
    ASSERT_TRUE(WriteRecordTexts(path, texts, &error)) << error.toStdString();
    ASSERT_EQ(QFile(path).size(), 702);
    const QByteArray bytes = readBytes(path);
    EXPECT_EQ(bytes.mid(349, 2), "\r\n");
    EXPECT_EQ(bytes.mid(700, 2), "\r\n");

    bool ok = false;
    const QStringList back = ReadRecordTexts(path, 2, &ok);
    EXPECT_TRUE(ok);
    ASSERT_EQ(back.size(), 2);
    EXPECT_TRUE(back[0].startsWith(u"日本 "_qs));
    EXPECT_TRUE(back[0].endsWith(u"ABC"_qs + QString(57, u' ') + u"3"_qs));
    EXPECT_TRUE(back[1].endsWith(u'7'));

    // Texts read back are saved unchanged as the same bytes.
    const QString again = dir.filePath(u"again.znd"_qs);
    ASSERT_TRUE(WriteRecordTexts(again, back));
    EXPECT_EQ(readBytes(again), bytes);

    // Asking for more records than exist reports an incomplete read with what was there.
    const QStringList more = ReadRecordTexts(path, 3, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(more.size(), 2);
    EXPECT_TRUE(ReadRecordTexts(dir.filePath(u"none"_qs), 0, &ok).isEmpty());
    EXPECT_TRUE(ok);
    ReadRecordTexts(dir.filePath(u"none"_qs), 1, &ok);
    EXPECT_FALSE(ok);
}

TEST(QuestionFile, RecordWithBlankQuestionSurvivesLoadAndSave) {
    // A record from another tool with an empty question field: trimming on reading removes its
    // leading blanks, which must not shift the answer and genre when the list is saved again.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"odd.znd"_qs);
    const QByteArray original = QByteArray(288, ' ') + "ANSWER" + QByteArray(54, ' ') + "4\r\n";
    writeBytes(path, original);
    bool ok = false;
    const QStringList texts = ReadRecordTexts(path, 1, &ok);
    ASSERT_TRUE(ok);
    ASSERT_TRUE(WriteRecordTexts(path, texts));
    EXPECT_EQ(readBytes(path), original);
}

TEST(QuestionFile, FailedWriteKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"keep.znd"_qs);
    const QByteArray old = record(u"old"_qs, u"old"_qs, '1');
    writeBytes(path, old);

    QString error;
    // A record text that cannot be 349 bytes is refused before anything is written.
    EXPECT_FALSE(
        WriteRecordTexts(path, {ComposeRecordText(u"a"_qs, u"b"_qs, u'1') + u"xyz"_qs}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readBytes(path), old);

    // A folder that does not exist (a path through a plain file) cannot take the file.
    error.clear();
    EXPECT_FALSE(WriteRecordTexts(path + u"/inside.znd"_qs,
                                  {ComposeRecordText(u"a"_qs, u"b"_qs, u'1')}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readBytes(path), old);

    // An empty list writes an empty (valid) file.
    ASSERT_TRUE(WriteRecordTexts(path, {}));
    EXPECT_EQ(QFile(path).size(), 0);
}
