#include "platform/Cp932.h"

#include "support/TestKit.h"

TEST(SampleFile, RecordsFollowTheQuestionFileFormat) {
    QFile f(QStringLiteral(ZN_SOURCE_DIR "/samples/sample.znd"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray file = f.readAll();
    ASSERT_EQ(file.size() % 351, 0) << file.size();
    ASSERT_GE(file.size() / 351, 60) << file.size();
    QSet<char> genres;
    for (qint64 at = 0; at < file.size(); at += 351) {
        const QByteArray r = file.mid(at, 351);
        const int n = at / 351 + 1;
        ASSERT_GE(r[348], '1') << "record " << n;
        ASSERT_LE(r[348], '7') << "record " << n;
        ASSERT_TRUE(r.endsWith("\r\n")) << "record " << n;
        genres << r[348];
        // Question (288 bytes) and answer (60): one line of text, padded with blanks after it.
        for (const QByteArray& raw : {r.left(288), r.mid(288, 60)}) {
            const QByteArray text = raw.trimmed();
            EXPECT_FALSE(text.isEmpty()) << "record " << n;
            EXPECT_FALSE(text.contains('\n')) << "record " << n;
            EXPECT_TRUE(raw.startsWith(text)) << "record " << n;
            EXPECT_EQ(raw.count(' ') - text.count(' '), raw.size() - text.size()) << "record " << n;
            const QString decoded = Cp932Decode(text);
            EXPECT_FALSE(decoded.contains(QChar(0xFFFD)))
                << "record " << n << " does not round-trip";
            EXPECT_EQ(Cp932Encode(decoded), text) << "record " << n << " does not round-trip";
        }
    }
    EXPECT_EQ(genres.size(), 7);
}
