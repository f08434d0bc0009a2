#include "support/TestKit.h"

#include "core/SafeFile.h"
#include "data/QuestionFile.h"
#include "data/SettingsFile.h"

#include <functional>

namespace {
QStringList texts(int n) {
    return QStringList(n, ComposeRecordText(u"問"_qs, u"答"_qs, u'1'));
}
} // namespace

// Every writer meets a disk that fills up (writes beyond 16 bytes fail): each reports it, the
// old file stays byte for byte and no temporary file is left. Without the limit each succeeds.
TEST(SafeWrite, FullDiskKeepsEveryOldFileAndIsReported) {
    const QByteArray ini = "ON 3ON 2ON ON ON X\r\n";
    SettingsRecord r;
    DialogSettings d;
    MemberList m;
    const std::tuple<const char*, QByteArray, std::function<bool(const QString&)>> cases[] = {
        {"questions in the buffer", "old questions",
         [](auto p) { return WriteRecordTexts(p, texts(46)); }},
        {"questions past it", "old questions",
         [](auto p) { return WriteRecordTexts(p, texts(200)); }},
        {"line-1 repair", ini + "Taro\r\n",
         [&](auto p) { return ReadSettingsForDialog(p, r, d) || !d.writeFailed; }},
        {"dialog settings", ini + "/old.png\r\nTaro\r\n",
         [&](auto p) {
             const QString bg = u"/pictures/new.png"_qs;
             return SaveDialogSettings(p, r, &bg);
         }},
        {"append members", ini + "\r\nTaro\r\n",
         [&](auto p) {
             return AppendMembers(p, m = {u"Taro"_qs}, {u"Hanako"_qs}) || m.size() != 1;
         }},
    };
    for (const auto& [name, old, write] : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"file"_qs);
        writeBytes(path, old);
        bool written = true;
        {
            FileSizeLimit limit(16);
            ASSERT_TRUE(limit.active());
            written = write(path);
        }
        EXPECT_FALSE(written) << name;
        EXPECT_EQ(readBytes(path), old) << name;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << name;
        EXPECT_TRUE(write(path)) << name << ": fails even without the limit";
    }
}

// The disk fills up in the middle of a member's line (the limit lies a few bytes beyond the
// file's end): the bytes that were written are taken back, so the cut name never becomes a
// member when the next append ends its line.
TEST(SafeWrite, AnAppendCutShortIsTakenBack) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(u"ZN.INI"_qs);
    const QByteArray old = "ON 3ON 2ON ON ON X\r\n\r\nTaro\r\n";
    for (const QByteArray& file : {old, QByteArray(old).append("Jiro")}) {
        writeBytes(ini, file);
        MemberList members = {u"Taro"_qs};
        bool written = true;
        {
            // "Jiro" gets its line end before the new name; a few bytes more fit.
            FileSizeLimit limit(file.size() + (file.endsWith("\r\n") ? 3 : 5));
            ASSERT_TRUE(limit.active());
            written = AppendMembers(ini, members, {u"Hanako"_qs});
        }
        EXPECT_FALSE(written);
        EXPECT_EQ(readBytes(ini), file);
        EXPECT_EQ(members, QStringList{u"Taro"_qs});
    }
}

// A path inside a plain file, a folder or a pipe (reading it would block) is neither read nor
// replaced: every operation says so, the settings stay the defaults and the pipe stays a pipe.
TEST(SafeWrite, UnusableTargetsAreNeitherReadNorReplaced) {
    QTemporaryDir dir;
    writeBytes(dir.filePath(u"plain"_qs), "x");
    const QString fifo = dir.filePath(u"pipe"_qs), ini = dir.filePath(u"ZN.INI"_qs);
    ASSERT_TRUE(MakeFifo(fifo));
    EXPECT_FALSE(RewriteBackgroundLine(ini, u"/x.bmp"_qs));
    EXPECT_FALSE(QFile::exists(ini)); // not created
    for (const QString& bad : {dir.filePath(u"plain/ZN.INI"_qs), dir.path(), fifo}) {
        SettingsRecord record;
        record.soundOn = u"OFF"_qs;
        DialogSettings dialog;
        MemberList members = {u"Taro"_qs};
        bool ok = true;
        EXPECT_FALSE(LoadSettings(bad, record).ok);
        EXPECT_EQ(record, SettingsRecord());
        EXPECT_FALSE(ReadSettingsForDialog(bad, record, dialog));
        EXPECT_FALSE(SaveSettingsRecord(bad, record));
        EXPECT_FALSE(RewriteBackgroundLine(bad, u"/x.bmp"_qs));
        EXPECT_FALSE(AppendMembers(bad, members, {u"Hanako"_qs}));
        EXPECT_FALSE(DeleteAllMembers(bad, record, members, QString()));
        EXPECT_EQ(members, QStringList({u"Taro"_qs}));
        EXPECT_TRUE(ReadRecordTexts(bad, 3, &ok).isEmpty());
        EXPECT_FALSE(ok);
        EXPECT_FALSE(QuestionFile().open(bad));
        EXPECT_FALSE(WriteFileAtomically(bad, "x"));
        EXPECT_FALSE(WriteRecordTexts(bad, texts(1)));
    }
    EXPECT_FALSE(QFileInfo(fifo).isFile());
}

// A read-only file is kept: replacing it would undo what its owner meant to protect. Root may
// write any file, so there the check cannot be seen and the test is skipped (run it as a normal
// user to see it).
TEST(SafeWrite, ReadOnlyTargetIsNotReplaced) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"q.znd"_qs);
    writeBytes(path, "old");
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser));
    if (QFileInfo(path).isWritable()) GTEST_SKIP() << "root may write read-only files";
    EXPECT_FALSE(IsReplaceableFile(path));
    EXPECT_FALSE(WriteFileAtomically(path, "new"));
    EXPECT_FALSE(WriteRecordTexts(path, texts(1)));
    EXPECT_EQ(readBytes(path), "old");
}
