#include "data/SettingsFile.h"

#include "core/Sjis.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QByteArray DefaultRecord("ON 3ON 2ON ON ON X\r\n");

class SettingsFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString ini = dir.filePath(QStringLiteral("ZN.INI"));

    void write(const QByteArray& bytes) {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    QByteArray contents() const {
        QFile f(ini);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
};

} // namespace

TEST_F(SettingsFileTest, FreshStartThenFirstDialogOpening) {
    SettingsRecord record;
    record.soundOn = QStringLiteral("OFF");
    LoadSettingsResult r = LoadSettings(ini, record);
    EXPECT_TRUE(r.ok);
    EXPECT_FALSE(r.hasBackgroundLine);
    EXPECT_EQ(record, SettingsRecord());
    ASSERT_EQ(contents(), DefaultRecord);
    EXPECT_EQ(DefaultRecord.toHex(' '),
              "4f 4e 20 33 4f 4e 20 32 4f 4e 20 4f 4e 20 4f 4e 20 58 0d 0a");

    DialogSettings dialog;
    ASSERT_TRUE(ReadSettingsForDialog(ini, record, dialog));
    EXPECT_EQ(contents(), DefaultRecord + "\r\n");
    EXPECT_TRUE(dialog.backgroundPath.isEmpty());
    EXPECT_TRUE(dialog.members.isEmpty());

    // 22 bytes: no background, no members, and nothing changes on the next opening.
    ASSERT_TRUE(ReadSettingsForDialog(ini, record, dialog));
    EXPECT_EQ(contents().size(), 22);
    EXPECT_TRUE(dialog.members.isEmpty());
    r = LoadSettings(ini, record);
    EXPECT_TRUE(r.hasBackgroundLine);
    EXPECT_TRUE(r.backgroundPath.isEmpty());
}

TEST_F(SettingsFileTest, LoadKeepsValuesAndRepairsOnlyBadNumbers) {
    write("OFF5OFF4OFFOFFOFFO\r\nC:\\pics\\bg.bmp\r\nTaro\r\n   ");
    SettingsRecord record;
    LoadSettingsResult r = LoadSettings(ini, record);
    EXPECT_TRUE(r.ok);
    EXPECT_FALSE(r.repairedBadNumber);
    EXPECT_EQ(record.soundOn, QStringLiteral("OFF"));
    EXPECT_EQ(record.speedLevel, QStringLiteral("5"));
    EXPECT_EQ(record.readPressChars, QStringLiteral("4"));
    EXPECT_EQ(record.timeOverMark, QStringLiteral("O"));
    EXPECT_EQ(r.backgroundPath, QStringLiteral("C:\\pics\\bg.bmp"));

    // A digit out of range is carried as read; a non-digit puts the defaults back at byte 0.
    write("ON 9ON 7ON ON ON X\r\nrest\r\n");
    r = LoadSettings(ini, record);
    EXPECT_FALSE(r.repairedBadNumber);
    EXPECT_EQ(record.speedLevel, QStringLiteral("9"));

    write("OFFxOFF4OFFOFFOFFO\r\nC:\\bg.bmp\r\nHanako\r\n");
    r = LoadSettings(ini, record);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.repairedBadNumber);
    EXPECT_EQ(record, SettingsRecord());
    EXPECT_EQ(contents(), DefaultRecord + "C:\\bg.bmp\r\nHanako\r\n");

    write("ON 3ON  ON ON ON X\r\n");
    r = LoadSettings(ini, record);
    EXPECT_TRUE(r.repairedBadNumber);
    EXPECT_EQ(contents(), DefaultRecord);
}

TEST_F(SettingsFileTest, BackgroundLineEdgeCases) {
    SettingsRecord record;
    // Only the blanks at the very end of the file go before the split.
    write(DefaultRecord + "/home/q/bg.png   ");
    EXPECT_EQ(LoadSettings(ini, record).backgroundPath, QStringLiteral("/home/q/bg.png"));

    // Longer than the record but without any CR LF: line 1 reads as empty.
    write(QByteArray("ON 3ON 2ON ON ON XYZC:\\bg.bmp"));
    LoadSettingsResult r = LoadSettings(ini, record);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.backgroundPath.isEmpty());
    DialogSettings dialog;
    EXPECT_TRUE(ReadSettingsForDialog(ini, record, dialog));
    EXPECT_TRUE(dialog.backgroundPath.isEmpty());
    EXPECT_TRUE(dialog.members.isEmpty());
    // ... and the missing line is added when the path is set.
    ASSERT_TRUE(RewriteBackgroundLine(ini, QStringLiteral("C:\\new.bmp")));
    EXPECT_EQ(contents(), "ON 3ON 2ON ON ON XYZC:\\bg.bmp\r\nC:\\new.bmp\r\n");
}

TEST_F(SettingsFileTest, DialogReadsPathAndMembers) {
    const QByteArray longName = SjisEncode(QStringLiteral("日本語の長い名前です長い"));
    write(DefaultRecord + "  C:\\bg.bmp  \r\nTaro\r\n\r\n" + longName + "\r\nJiro");
    SettingsRecord record;
    DialogSettings dialog;
    ASSERT_TRUE(ReadSettingsForDialog(ini, record, dialog));
    // Leading blanks make the line no path (" C" is no drive), so it is taken for a member
    // written without a background line and the file is repaired.
    EXPECT_TRUE(dialog.backgroundPath.isEmpty());
    EXPECT_EQ(contents(),
              DefaultRecord + "\r\n" + "  C:\\bg.bmp  \r\nTaro\r\n\r\n" + longName + "\r\nJiro");

    write(DefaultRecord + "C:\\bg.bmp  \r\nTaro\r\n\r\n" + longName + "\r\nJiro");
    ASSERT_TRUE(ReadSettingsForDialog(ini, record, dialog));
    EXPECT_EQ(dialog.backgroundPath, QStringLiteral("C:\\bg.bmp"));
    // Names are cut to 14 bytes; the empty line is an empty entry; "Jiro" has no line end and
    // is never a member, but stays in the file.
    EXPECT_EQ(dialog.members,
              QStringList({QStringLiteral("Taro"), QString(), QStringLiteral("日本語の長い名")}));
    EXPECT_TRUE(contents().endsWith("\r\nJiro"));
}

TEST_F(SettingsFileTest, FileWithoutBackgroundLineIsRepaired) {
    write(DefaultRecord + "Taro\r\nHanako\r\n");
    SettingsRecord record;
    DialogSettings dialog;
    ASSERT_TRUE(ReadSettingsForDialog(ini, record, dialog));
    EXPECT_EQ(contents(), DefaultRecord + "\r\nTaro\r\nHanako\r\n");
    EXPECT_EQ(dialog.members, QStringList({QStringLiteral("Taro"), QStringLiteral("Hanako")}));
    EXPECT_TRUE(dialog.backgroundPath.isEmpty());
    // Once repaired, a second opening reads the same and changes nothing.
    const QByteArray repaired = contents();
    ASSERT_TRUE(ReadSettingsForDialog(ini, record, dialog));
    EXPECT_EQ(contents(), repaired);
    EXPECT_EQ(dialog.members.size(), 2);
}

TEST_F(SettingsFileTest, SaveRecordWritesInPlaceOnly) {
    write(DefaultRecord + "C:\\bg.bmp\r\nTaro\r\n");
    SettingsRecord record;
    record.revealOn = QStringLiteral("OFF");
    record.speedLevel = QStringLiteral("1");
    ASSERT_TRUE(SaveSettingsRecord(ini, record));
    EXPECT_EQ(contents(), "ON 1ON 2ON ON OFFX\r\nC:\\bg.bmp\r\nTaro\r\n");

    QFile::remove(ini);
    ASSERT_TRUE(SaveSettingsRecord(ini, record));
    EXPECT_EQ(contents(), record.toBytes());
}

TEST_F(SettingsFileTest, RewriteBackgroundLineKeepsEverythingElse) {
    write(DefaultRecord + "C:\\old.bmp\r\nTaro\r\nJiro");
    ASSERT_TRUE(RewriteBackgroundLine(ini, QStringLiteral("D:\\写真\\新.jpg")));
    EXPECT_EQ(contents(),
              DefaultRecord + SjisEncode(QStringLiteral("D:\\写真\\新.jpg")) + "\r\nTaro\r\nJiro");
    ASSERT_TRUE(RewriteBackgroundLine(ini, QStringLiteral("C:\\a\nTaro.bmp")));
    EXPECT_EQ(contents(), DefaultRecord + "C:\\a Taro.bmp\r\nTaro\r\nJiro");
    ASSERT_TRUE(RewriteBackgroundLine(ini, QString()));
    EXPECT_EQ(contents(), DefaultRecord + "\r\nTaro\r\nJiro");

    // Bytes that are not valid code page 932 in other lines are kept exactly.
    write(DefaultRecord + "\r\n\x81\xff\x80name\r\n");
    ASSERT_TRUE(RewriteBackgroundLine(ini, QStringLiteral("/p.png")));
    EXPECT_EQ(contents(), DefaultRecord + "/p.png\r\n\x81\xff\x80name\r\n");

    // A file holding just the record: the path gets its own line end, so a name appended
    // later does not run on from it.
    write(DefaultRecord);
    ASSERT_TRUE(RewriteBackgroundLine(ini, QStringLiteral("C:\\a.bmp")));
    EXPECT_EQ(contents(), DefaultRecord + "C:\\a.bmp\r\n");

    QFile::remove(ini);
    EXPECT_FALSE(RewriteBackgroundLine(ini, QStringLiteral("C:\\a.bmp")));
    EXPECT_FALSE(QFile::exists(ini));
}

TEST_F(SettingsFileTest, AppendMembersAddsOnlyUnknownNames) {
    write(DefaultRecord + "\r\nTaro\r\n");
    MemberList members = {QStringLiteral("Taro")};
    // Tar is part of Taro: present. A name of 20 bytes is stored as its first 14.
    ASSERT_TRUE(AppendMembers(ini, members,
                              {QStringLiteral("Tar"), QStringLiteral("ABCDEFGHIJKLMNOPQRST"),
                               QStringLiteral("Hanako  "), QStringLiteral("Hanako"),
                               QStringLiteral("   "), QStringLiteral("あいうえおかきくけ")}));
    EXPECT_EQ(members, QStringList({QStringLiteral("Taro"), QStringLiteral("ABCDEFGHIJKLMN"),
                                    QStringLiteral("Hanako"), QStringLiteral("あいうえおかき")}));
    EXPECT_EQ(contents(), DefaultRecord + "\r\nTaro\r\nABCDEFGHIJKLMN\r\nHanako\r\n" +
                              SjisEncode(QStringLiteral("あいうえおかき")) + "\r\n");

    // The NUL join keeps names apart: "oA" spans Taro|ABC... only without the separator.
    ASSERT_TRUE(AppendMembers(ini, members, {QStringLiteral("oA")}));
    EXPECT_EQ(members.last(), QStringLiteral("oA"));
    // A line break inside a name never splits it into two lines of the file.
    ASSERT_TRUE(AppendMembers(ini, members, {QStringLiteral("Ki\r\nmi")}));
    EXPECT_EQ(members.last(), QStringLiteral("Ki  mi"));
    EXPECT_TRUE(contents().endsWith("\r\nKi  mi\r\n"));
    // Case matters.
    ASSERT_TRUE(AppendMembers(ini, members, {QStringLiteral("taro")}));
    EXPECT_EQ(members.last(), QStringLiteral("taro"));
}

TEST_F(SettingsFileTest, AppendAfterTextWithoutLineEnd) {
    write(DefaultRecord + "\r\nTaro\r\nJiro");
    MemberList members = {QStringLiteral("Taro")};
    ASSERT_TRUE(AppendMembers(ini, members, {QStringLiteral("Saburo")}));
    EXPECT_EQ(contents(), DefaultRecord + "\r\nTaro\r\nJiro\r\nSaburo\r\n");
}

TEST_F(SettingsFileTest, DeleteAllMembersStartsTheFileAnew) {
    write(DefaultRecord + "C:\\bg.bmp\r\nTaro\r\nHanako\r\nJiro");
    SettingsRecord record;
    record.soundOn = QStringLiteral("OFF");
    MemberList members = {QStringLiteral("Taro"), QStringLiteral("Hanako")};
    ASSERT_TRUE(DeleteAllMembers(ini, record, members, QStringLiteral("C:\\bg.bmp")));
    EXPECT_TRUE(members.isEmpty());
    EXPECT_EQ(contents(), record.toBytes() + "C:\\bg.bmp\r\n");

    // Names confirmed afterwards in the same dialog are added again.
    ASSERT_TRUE(AppendMembers(ini, members, {QStringLiteral("Taro")}));
    EXPECT_EQ(contents(), record.toBytes() + "C:\\bg.bmp\r\nTaro\r\n");
    DialogSettings dialog;
    ASSERT_TRUE(ReadSettingsForDialog(ini, record, dialog));
    EXPECT_EQ(dialog.members, QStringList({QStringLiteral("Taro")}));
}

TEST_F(SettingsFileTest, MemberListStopsAtOneHundred) {
    QByteArray bytes = DefaultRecord + "\r\n";
    for (int i = 0; i < 105; ++i)
        bytes += "Name" + QByteArray::number(i) + "\r\n";
    write(bytes);
    SettingsRecord record;
    DialogSettings dialog;
    ASSERT_TRUE(ReadSettingsForDialog(ini, record, dialog));
    ASSERT_EQ(dialog.members.size(), MemberLimit);
    EXPECT_EQ(dialog.members.last(), QStringLiteral("Name99"));

    // Full list: nothing is added, the lines beyond 100 stay untouched.
    ASSERT_TRUE(AppendMembers(ini, dialog.members, {QStringLiteral("Newcomer")}));
    EXPECT_EQ(dialog.members.size(), MemberLimit);
    EXPECT_EQ(contents(), bytes);

    // With room for one, only the first new name goes in.
    MemberList members = dialog.members.mid(0, 99);
    write(DefaultRecord + "\r\n");
    ASSERT_TRUE(AppendMembers(ini, members, {QStringLiteral("Xa"), QStringLiteral("Xb")}));
    EXPECT_EQ(members.size(), MemberLimit);
    EXPECT_EQ(contents(), DefaultRecord + "\r\nXa\r\n");
}

TEST_F(SettingsFileTest, UnusableFileNeverThrowsAndReportsFalse) {
    // A settings path inside a plain file can be neither read nor written, even by root.
    const QString blocker = dir.filePath(QStringLiteral("plain"));
    {
        QFile f(blocker);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QString bad = blocker + QStringLiteral("/ZN.INI");
    SettingsRecord record;
    record.soundOn = QStringLiteral("OFF");
    LoadSettingsResult r = LoadSettings(bad, record);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(record, SettingsRecord());

    DialogSettings dialog;
    EXPECT_FALSE(ReadSettingsForDialog(bad, record, dialog));
    EXPECT_EQ(record, SettingsRecord());
    EXPECT_FALSE(SaveSettingsRecord(bad, record));
    EXPECT_FALSE(RewriteBackgroundLine(bad, QStringLiteral("C:\\x.bmp")));
    MemberList members = {QStringLiteral("Taro")};
    EXPECT_FALSE(AppendMembers(bad, members, {QStringLiteral("Hanako")}));
    EXPECT_EQ(members, QStringList({QStringLiteral("Taro")}));
    EXPECT_FALSE(DeleteAllMembers(bad, record, members, QString()));
    EXPECT_EQ(members.size(), 1);

    // A directory in the place of the file.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("ZN.INI")));
    EXPECT_FALSE(LoadSettings(ini, record).ok);
    EXPECT_FALSE(ReadSettingsForDialog(ini, record, dialog));
}

TEST_F(SettingsFileTest, ReadOnlyFileKeepsItsContents) {
    write(DefaultRecord + "\r\nTaro\r\n");
    QFile::setPermissions(ini, QFileDevice::ReadOwner | QFileDevice::ReadUser);
    QFile probe(ini);
    if (probe.open(QIODevice::WriteOnly | QIODevice::Append))
        GTEST_SKIP() << "permissions are not enforced for this user";
    const QString folder = dir.path();
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);

    SettingsRecord record;
    LoadSettingsResult r = LoadSettings(ini, record);
    EXPECT_TRUE(r.ok); // reading alone needs no write
    MemberList members = {QStringLiteral("Taro")};
    EXPECT_FALSE(AppendMembers(ini, members, {QStringLiteral("Hanako")}));
    EXPECT_FALSE(RewriteBackgroundLine(ini, QStringLiteral("C:\\x.bmp")));
    EXPECT_FALSE(DeleteAllMembers(ini, record, members, QString()));
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(contents(), DefaultRecord + "\r\nTaro\r\n");
}
