#include "platform/Cp932.h"

#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

TEST(SampleFile, RecordsFollowTheQuestionFileFormat) {
    QFile f(QStringLiteral(ZN_SOURCE_DIR "/samples/sample.znd"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray file = f.readAll();
    ASSERT_TRUE(file.size() % 351 == 0 && file.size() / 351 >= 60) << file.size();
    QSet<char> genres;
    for (qint64 at = 0; at < file.size(); at += 351) {
        const QByteArray r = file.mid(at, 351);
        const int n = at / 351 + 1;
        ASSERT_TRUE(r[348] >= '1' && r[348] <= '7' && r.endsWith("\r\n")) << "record " << n;
        genres << r[348];
        // Question (288 bytes) and answer (60): one line of text, padded with blanks after it.
        for (const QByteArray& raw : {r.left(288), r.mid(288, 60)}) {
            const QByteArray text = raw.trimmed();
            EXPECT_TRUE(!text.isEmpty() && !text.contains('\n') && raw.startsWith(text) &&
                        raw.count(' ') - text.count(' ') == raw.size() - text.size())
                << "record " << n;
            const QString decoded = Cp932Decode(text);
            EXPECT_TRUE(!decoded.contains(QChar(0xFFFD)) && Cp932Encode(decoded) == text)
                << "record " << n << " does not round-trip";
        }
    }
    EXPECT_EQ(genres.size(), 7);
}
