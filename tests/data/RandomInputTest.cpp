#include "DataFiles.h"

#include "data/QuestionFile.h"
#include "data/SettingsFile.h"

// Random and truncated bytes (the fuzz targets push the readers' bounds further): what was read
// saves again as whole records, and the settings operations change only their own part.
TEST(RandomInput, ReadersKeepWhatTheyDoNotChange) {
    QTemporaryDir dir;
    const QString znd = dir.filePath(u"r.znd"_qs), ini = dir.filePath(u"ZN.INI"_qs);
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        const QByteArray before =
            randomBytes(rng, round < 40 ? round : std::uniform_int_distribution(0, 1500)(rng));
        SCOPED_TRACE(round);
        writeBytes(znd, before);
        bool ok = false;
        const QStringList texts = ReadRecordTexts(znd, int(before.size() / 351), &ok);
        ASSERT_TRUE(ok && texts.size() == before.size() / 351 && WriteRecordTexts(znd, texts));
        EXPECT_EQ(QFile(znd).size(), texts.size() * 351);

        // Loading may rewrite only the record, and always leaves a usable one.
        writeBytes(ini, before);
        SettingsRecord record;
        ASSERT_TRUE(LoadSettings(ini, record).ok);
        EXPECT_TRUE(record.speedLevel.at(0).isDigit() && record.readPressChars.at(0).isDigit());
        EXPECT_EQ(readBytes(ini), record.toBytes() + before.mid(20));

        // The dialog may only add a line end after line 0 (or start a short file anew), and a
        // second reading changes nothing more.
        writeBytes(ini, before);
        DialogSettings dialog, again;
        ASSERT_TRUE(ReadSettingsForDialog(ini, record, dialog));
        const QByteArray after = readBytes(ini);
        const qsizetype at = before.size() == 20 ? 20 : before.indexOf("\r\n") + 2;
        EXPECT_TRUE(before.size() < 20
                        ? after == SettingsRecord().toBytes() + "\r\n"
                        : after == before || after == before.left(at) + "\r\n" + before.mid(at));
        ASSERT_TRUE(ReadSettingsForDialog(ini, record, again));
        EXPECT_TRUE(readBytes(ini) == after && again.members == dialog.members);
    }
}
