#include "DataFiles.h"

#include "data/SettingsFile.h"

namespace {

const QByteArray DefaultRecord("ON 3ON 2ON ON ON X\r\n");

struct SettingsFileTest : ::testing::Test {
    QTemporaryDir dir;
    QString ini = dir.filePath(u"ZN.INI"_qs);
    SettingsRecord record;
    DialogSettings dialog;
    MemberList members;
    QStringList readDialog() {
        EXPECT_TRUE(ReadSettingsForDialog(ini, record, dialog));
        return dialog.members;
    }
};

} // namespace

TEST_F(SettingsFileTest, LoadKeepsValuesAndRepairsOnlyBadNumbers) {
    // {file, record afterwards, repaired, background path}
    const std::tuple<QByteArray, QByteArray, bool, QString> cases[] = {
        {"OFF5OFF4OFFOFFOFFO\r\n/b.png\r\nTaro\r\n", "OFF5OFF4OFFOFFOFFO\r\n", false, u"/b.png"_qs},
        // A non-digit brings the defaults back.
        {"OFFxOFF4OFFOFFOFFO\r\nC:\\bg.bmp\r\n", DefaultRecord, true, u"C:\\bg.bmp"_qs},
        {"ON 3ON  ON ON ON X\r\n", DefaultRecord, true, QString()},
        // Only the blanks at the very end of the file go.
        {DefaultRecord + "/home/q/bg.png   ", DefaultRecord, false, u"/home/q/bg.png"_qs},
        // Longer than the record but without any CR LF: line 1 reads as empty.
        {"ON 3ON 2ON ON ON XYZC:\\bg.bmp", "ON 3ON 2ON ON ON XYZ", false, QString()}};
    for (const auto& [file, expected, repaired, background] : cases) {
        writeBytes(ini, file);
        const LoadSettingsResult r = LoadSettings(ini, record);
        EXPECT_TRUE(r.ok) << file.toStdString();
        EXPECT_EQ(r.repairedBadNumber, repaired) << file.toStdString();
        EXPECT_EQ(r.backgroundPath, background);
        EXPECT_EQ(readBytes(ini), expected + file.mid(20));
        EXPECT_EQ(record.toBytes(), expected);
    }
}

TEST_F(SettingsFileTest, DialogReadsMembersAndAppendAddsOnlyUnknownNamesUpToOneHundred) {
    // Line 1 that is no path (" C" is no drive) is a name from a file without a background
    // line: an empty line 1 goes in.
    writeBytes(ini, DefaultRecord + "  C:\\bg.bmp\r\nTaro\r\n");
    EXPECT_EQ(readDialog(), QStringList({u"C:\\bg.bmp"_qs, u"Taro"_qs}));
    EXPECT_EQ(readBytes(ini), DefaultRecord + "\r\n  C:\\bg.bmp\r\nTaro\r\n");

    const QByteArray file = DefaultRecord + "C:\\bg.bmp  \r\nTaro\r\nAnn\r\n\r\n" +
                            SjisEncode(u"日本語の長い名前です長い"_qs) + "\r\nJiro";
    writeBytes(ini, file);
    // Names are cut to 14 bytes; an empty line is an empty entry; "Jiro" has no line end and is
    // never a member, but stays in the file.
    members = readDialog();
    EXPECT_EQ(members, QStringList({u"Taro"_qs, u"Ann"_qs, QString(), u"日本語の長い名"_qs}));
    EXPECT_EQ(dialog.backgroundPath, u"C:\\bg.bmp"_qs);
    EXPECT_EQ(readBytes(ini), file);
    // "Tar" is part of Taro; "oA" would span Taro|Ann without the NUL join; case matters;
    // blank names are skipped; "Jiro" gets its line end before the new names.
    ASSERT_TRUE(
        AppendMembers(ini, members, {u"Tar"_qs, u"Bob"_qs, u"   "_qs, u"oA"_qs, u"taro"_qs}));
    EXPECT_EQ(members.mid(4), QStringList({u"Bob"_qs, u"oA"_qs, u"taro"_qs}));
    EXPECT_EQ(readBytes(ini), file + "\r\nBob\r\noA\r\ntaro\r\n");
    // Deleting all starts the file anew; names confirmed afterwards are added again.
    record.soundOn = u"OFF"_qs;
    ASSERT_TRUE(DeleteAllMembers(ini, record, members, u"C:\\bg.bmp"_qs));
    ASSERT_TRUE(members.isEmpty());
    ASSERT_TRUE(AppendMembers(ini, members, {u"Taro"_qs}));
    EXPECT_EQ(readBytes(ini), record.toBytes() + "C:\\bg.bmp\r\nTaro\r\n");

    // A huge file: only its start is read, the first 100 member lines are the list, and a
    // rewrite of line 1 or an append keeps every byte after it; a line break in the path never
    // makes it two lines.
    QByteArray tail;
    for (int i = 0; tail.size() < 6 * 1024 * 1024; ++i)
        tail += "Name" + QByteArray::number(i) + "\r\n";
    writeBytes(ini, DefaultRecord + "C:\\old.bmp\r\n" + tail + "end");
    members = readDialog();
    EXPECT_EQ(dialog.backgroundPath, u"C:\\old.bmp"_qs);
    EXPECT_EQ(members.size(), MemberLimit);
    EXPECT_EQ(members.last(), u"Name99"_qs);
    ASSERT_TRUE(RewriteBackgroundLine(ini, u"D:\\new\n.bmp"_qs));
    members.removeLast();
    ASSERT_TRUE(AppendMembers(ini, members, {u"Xa"_qs, u"Xb"_qs})); // room for one
    EXPECT_TRUE(readBytes(ini) == DefaultRecord + "D:\\new .bmp\r\n" + tail + "end\r\nXa\r\n");
}
