#include "support/TestKit.h"

#include "data/SettingsFile.h"

#include <sys/wait.h>
#include <unistd.h>

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

// "OK" of the settings dialog: the record and line 1 together, every other byte kept, in the
// shapes the file can have.
TEST_F(SettingsFileTest, DialogSaveRewritesRecordAndBackgroundTogether) {
    record.soundOn = u"OFF"_qs;
    const QByteArray saved = record.toBytes();
    const QString bg = u"/pics/new.png"_qs;
    // {file, with a new background, afterwards}
    const std::tuple<QByteArray, bool, QByteArray> cases[] = {
        {DefaultRecord + "/old.png\r\nTaro\r\nJi", true, saved + "/pics/new.png\r\nTaro\r\nJi"},
        {DefaultRecord + "/old.png\r\nTaro\r\n", false, saved + "/old.png\r\nTaro\r\n"},
        {DefaultRecord + "/old.png", true, saved + "/pics/new.png\r\n"},
        {DefaultRecord, true, saved + "/pics/new.png\r\n"},
        {"ON 3", true, saved + "/pics/new.png\r\n"}, // cut short: nothing worth keeping
        {QByteArray(), false, saved},
    };
    for (const auto& [file, withBackground, expected] : cases) {
        writeBytes(ini, file);
        EXPECT_TRUE(SaveDialogSettings(ini, record, withBackground ? &bg : nullptr));
        EXPECT_EQ(readBytes(ini), expected) << file.toStdString();
    }
}

// Another program holding the lock keeps every operation from reading or writing: each fails
// after its wait instead of interleaving, and the file stays as it was.
TEST_F(SettingsFileTest, AHeldLockKeepsEveryEditOut) {
    const QByteArray file = DefaultRecord + "/old.png\r\nTaro\r\n";
    writeBytes(ini, file);
    QLockFile other(ini + u".lock"_qs);
    ASSERT_TRUE(other.tryLock());
    const QString bg = u"/new.png"_qs;
    members = {u"Taro"_qs};
    EXPECT_FALSE(SaveDialogSettings(ini, record, &bg));
    EXPECT_EQ(readBytes(ini), file);
    other.unlock();
    EXPECT_TRUE(AppendMembers(ini, members, {u"Hanako"_qs}));
    EXPECT_FALSE(QFile::exists(ini + u".lock"_qs));
}

// Three programs edit one ZN.INI at once: two append members one by one, the third saves the
// dialog's settings with a new background again and again. Every name ends up on a line of its
// own, none is lost to a rewrite, and the record and line 1 stay whole.
TEST_F(SettingsFileTest, ProgramsEditingAtOnceLoseNothing) {
    writeBytes(ini, DefaultRecord + "\r\n");
    constexpr int Rounds = MemberLimit - 10; // each list stays below its limit
    auto child = [&](char who) {
        const pid_t pid = fork();
        if (pid != 0) return pid;
        bool ok = true;
        MemberList list;
        SettingsRecord r;
        for (int i = 0; i < Rounds; ++i) {
            const QString n = QString::number(i);
            if (who != 'S') {
                ok = AppendMembers(ini, list, {QChar::fromLatin1(who) + n}) && ok;
            } else {
                r.speedLevel = QString::number(i % 5 + 1);
                const QString bg = u"/pictures/picture"_qs + n + u".png"_qs;
                ok = SaveDialogSettings(ini, r, &bg) && ok;
            }
            usleep(200); // even a busy user pauses between two edits
        }
        _exit(ok ? 0 : 1);
    };
    const pid_t pids[] = {child('A'), child('B'), child('S')};
    for (pid_t pid : pids) {
        ASSERT_GT(pid, 0);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    QList<QByteArray> lines = readBytes(ini).split('\n');
    ASSERT_EQ(lines.size(), 2 * Rounds + 3); // record, background, the names, the empty end
    EXPECT_EQ(lines[0], "ON 5ON 2ON ON ON X\r");
    EXPECT_EQ(lines[1], "/pictures/picture" + QByteArray::number(Rounds - 1) + ".png\r");
    QSet<QByteArray> names(lines.begin() + 2, lines.end() - 1), expected;
    for (int i = 0; i < Rounds; ++i)
        expected << "A" + QByteArray::number(i) + "\r"
                 << "B" + QByteArray::number(i) + "\r";
    EXPECT_EQ(names, expected);
}
