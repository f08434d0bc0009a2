#include "support/TestKit.h"

#include "data/LogFile.h"
#include "data/QuestionFile.h"

namespace {

QByteArray compose(const QString& question, const QString& answer, char16_t genre) {
    return SjisEncode(ComposeRecordText(question, answer, QChar(genre)));
}

} // namespace

TEST(QuestionFile, ComposedRecordIsAlways349Bytes) {
    EXPECT_EQ(compose(u"日本"_qs, u"ABC"_qs, u'3'),
              "\x93\xfa\x96\x7b" + QByteArray(284, ' ') + "ABC" + QByteArray(57, ' ') + "3");
    // Too long: cut without splitting a double-byte character (the 144th い would not fit).
    EXPECT_EQ(compose(u"A"_qs + QString(200, u'い'), QString(40, u'う'), u'2'),
              "A" + SjisEncode(QString(143, u'い')) + " " + SjisEncode(QString(30, u'う')) + "2");
    // A genre that is not one byte would shift the line end: it becomes "undefined".
    EXPECT_EQ(compose(u"Q"_qs, u"A"_qs, u'５').right(2), " 7");
}

TEST(QuestionFile, RandomReadingByRecordNumber) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"q.znd"_qs);
    // The third question fills its 288 bytes: the answer begins right after it.
    const QString full = QString(287, u'Q') + u'Z';
    QByteArray bytes = compose(u"日本の首都は？"_qs, u"東京"_qs, u'1') + "\r\n" +
                       compose(u"～語で「……」"_qs, u"①"_qs, u'6') + "\r\n" +
                       compose(full, u"A"_qs, u'3') + "\r\npartial";
    bytes[348] = char(0xB1); // a half-width katakana genre is kept raw for the quiz to judge
    writeBytes(path, bytes);
    QuestionFile file;
    QuestionRecord r;
    ASSERT_TRUE(file.open(path));
    ASSERT_EQ(file.recordCount(), 3);
    ASSERT_TRUE(file.read(3, r));
    EXPECT_EQ(std::pair(r.question, r.answer), std::pair(full, u"A"_qs));
    ASSERT_TRUE(file.read(2, r));
    ASSERT_EQ(r.answer, u"①"_qs);
    ASSERT_TRUE(file.read(1, r));
    EXPECT_EQ(QStringList({r.question, r.answer, r.genre}),
              QStringList({u"日本の首都は？"_qs, u"東京"_qs, QString(QChar(0xB1))}));
    // Failed reads leave an empty record, never old contents; so does a file that shrank.
    ASSERT_TRUE(QFile::resize(path, 400));
    for (int n : {4, 0, -5, 2}) {
        EXPECT_FALSE(file.read(n, r)) << n;
        EXPECT_TRUE(r.question.isEmpty()) << n;
    }
    EXPECT_TRUE(file.read(1, r));
    EXPECT_FALSE(file.open(dir.filePath(u"missing.znd"_qs)));
    EXPECT_FALSE(file.read(1, r));
}

TEST(QuestionFile, SavingGivesBackTheSameBytesOrKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"q.znd"_qs);
    // The blank question is trimmed on reading; saving must put it back, not shift the answer.
    const QByteArray bytes = compose(u"ｶﾀｶﾅ と　全角空白"_qs, u"－"_qs, u'7') + "\r\n" +
                             QByteArray(288, ' ') + "ANSWER" + QByteArray(54, ' ') + "4\r\n";
    writeBytes(path, bytes);
    const QStringList texts = ReadRecordTexts(path, 2, nullptr);
    ASSERT_EQ(texts.size(), 2);
    ASSERT_TRUE(WriteRecordTexts(path, texts));
    EXPECT_EQ(readBytes(path), bytes);
    // Too long a record is refused before anything is written.
    QString error;
    EXPECT_FALSE(WriteRecordTexts(path, {texts[0], texts[0] + u"xyz"_qs}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readBytes(path), bytes);
}

TEST(LogFile, QuestionSplitAndFieldQuoting) {
    const QString q = u"あいうえおかきくけこさ"_qs, whole = q + u"//"_qs;
    // A buzz after the reveal or out of range is logged whole; read-and-press reads on at most
    // the characters that were still left.
    const std::tuple<int, bool, QString> cases[] = {{11, false, whole},
                                                    {40, true, whole},
                                                    {-3, true, whole},
                                                    {10, true, u"あいうえおかきくけこ/さ/"_qs}};
    for (const auto& [buzz, readPress, expected] : cases)
        EXPECT_EQ(SplitLoggedQuestion(q, buzz, readPress, 2), expected) << buzz;
}

// The log is code page 932 with CR LF, a full 288-byte question split at its buzz.
TEST(LogFile, WholeLogIsCodePage932) {
    const QString q = QString(143, u'問') + u'Ｚ';
    const LogLine line{q, u"答"_qs, u"太郎"_qs, true, 143};
    const QByteArray log = BuildLog(u"ZN"_qs, true, false, 2, {line});
    EXPECT_EQ(log, SjisEncode(u"\"ZN Log File\",\"VS\",\"解答者\",\"正誤\"\r\n\""_qs + q.left(143) +
                              u"//Ｚ\",\"答\",\"太郎\",\"○\"\r\n"_qs));
    EXPECT_TRUE(log.contains("\"\x89\xf0\x93\x9a\x8e\xd2\"")) << "解答者 in code page 932";
}
