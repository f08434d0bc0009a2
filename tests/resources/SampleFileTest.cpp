#include "platform/Cp932.h"

#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Field {
    QByteArray bytes; // without the padding blanks
    bool leadingBlank = false;
};

Field Unpad(const QByteArray& raw) {
    QByteArray b = raw;
    while (b.endsWith(' '))
        b.chop(1);
    return {b, b.startsWith(' ')};
}

} // namespace

TEST(SampleFile, RecordsFollowTheQuestionFileFormat) {
    const QByteArray file = ReadAll(QStringLiteral(ZN_SOURCE_DIR "/samples/sample.znd"));
    ASSERT_FALSE(file.isEmpty());
    ASSERT_EQ(file.size() % 351, 0);
    const int count = file.size() / 351;
    EXPECT_GE(count, 60);
    QSet<char> genres;
    int oneLine = 0, fourLines = 0, longAnswers = 0, withPauses = 0, halfWidth = 0;
    for (int n = 0; n < count; ++n) {
        const QByteArray r = file.mid(n * 351, 351);
        const char genre = r[348];
        ASSERT_TRUE(genre >= '1' && genre <= '7') << "record " << n + 1;
        ASSERT_EQ(r.mid(349), QByteArray("\r\n")) << "record " << n + 1;
        genres << genre;
        const Field q = Unpad(r.left(288)), a = Unpad(r.mid(288, 60));
        EXPECT_FALSE(q.bytes.isEmpty() || q.leadingBlank) << "record " << n + 1;
        EXPECT_FALSE(a.bytes.isEmpty() || a.leadingBlank) << "record " << n + 1;
        for (const QByteArray& text : {q.bytes, a.bytes}) {
            EXPECT_FALSE(text.contains('\r') || text.contains('\n') || text.contains('\t'));
            const QString decoded = Cp932Decode(text);
            EXPECT_FALSE(decoded.contains(QChar(0xFFFD))) << "record " << n + 1;
            EXPECT_EQ(Cp932Encode(decoded), text) << "record " << n + 1 << " does not round-trip";
        }
        const QString question = Cp932Decode(q.bytes);
        oneLine += q.bytes.size() <= 72;
        fourLines += q.bytes.size() > 3 * 73;
        longAnswers += a.bytes.size() > 40;
        withPauses += question.contains(u'、') && question.contains(u'。');
        for (char c : q.bytes + a.bytes)
            halfWidth += c >= '0' && c <= 'z';
    }
    EXPECT_EQ(genres.size(), 7);
    EXPECT_GT(oneLine, 0);
    EXPECT_GT(fourLines, 0);
    EXPECT_GT(longAnswers, 0);
    EXPECT_GT(withPauses, 0);
    EXPECT_GT(halfWidth, 0);
}

TEST(SampleFile, MatchesItsTextSource) {
    // sample.znd is generated from sample.txt; an edit to one without the other is caught here.
    const QStringList lines =
        QString::fromUtf8(ReadAll(QStringLiteral(ZN_SOURCE_DIR "/samples/sample.txt")))
            .split(u'\n', Qt::SkipEmptyParts);
    const QByteArray file = ReadAll(QStringLiteral(ZN_SOURCE_DIR "/samples/sample.znd"));
    int n = 0;
    for (const QString& line : lines) {
        if (line.startsWith(u'#')) continue;
        const QStringList f = line.split(u'\t');
        ASSERT_EQ(f.size(), 3) << line.toStdString();
        ASSERT_LT(n * 351, file.size());
        const QByteArray r = file.mid(n * 351, 349);
        EXPECT_EQ(Cp932Decode(r.left(288)).trimmed(), f[1]) << "record " << n + 1;
        EXPECT_EQ(Cp932Decode(r.mid(288, 60)).trimmed(), f[2]) << "record " << n + 1;
        EXPECT_EQ(QString(QChar(r[348])), f[0]) << "record " << n + 1;
        ++n;
    }
    EXPECT_EQ(n * 351, file.size());
}
