#include "DataFiles.h"

#include "core/SafeFile.h"
#include "data/LogFile.h"
#include "data/QuestionFile.h"
#include "data/SettingsFile.h"
#include "support/HostileFiles.h"

#include <QDir>

#include <functional>

namespace {

const QByteArray Record("ON 3ON 2ON ON ON X\r\n");

QStringList questions(int n) {
    QStringList texts;
    for (int i = 0; i < n; ++i)
        texts << ComposeRecordText(u"問題%1"_qs.arg(i), u"答%1"_qs.arg(i), u'1');
    return texts;
}

} // namespace

// Every writer meets a disk that fills up part way (writes beyond 16 bytes fail, as on a full
// disk): each reports the failure, the old file stays byte for byte, no temporary file is left.
// With the limit lifted the same call succeeds, so it was the disk that failed it.
TEST(SafeWrite, FullDiskKeepsEveryOldFileAndIsReported) {
    struct Case {
        const char* name;
        const char* file;
        QByteArray old;
        std::function<bool(const QString&)> write;
    };
    const QList<LogLine> lines(40, LogLine{u"問題"_qs, u"答"_qs, u"Owner"_qs, true, 2});
    const Case cases[] = {
        {"question file", "q.znd", SjisEncode(questions(3).join(u"\r\n"_qs) + u"\r\n"_qs),
         [](const QString& p) { return WriteRecordTexts(p, questions(46)); }},
        {"small question file", "q.znd", SjisEncode(questions(1).join(u""_qs) + u"\r\n"_qs),
         [](const QString& p) { return WriteRecordTexts(p, questions(2)); }},
        {"log", "log.csv", "\"old\"\r\n",
         [&](const QString& p) {
             return WriteFileAtomically(p, BuildLog(u"ZE Zir Uduzedu"_qs, false, false, 0, lines));
         }},
        {"background line", "ZN.INI", Record + "C:\\old.bmp\r\nTaro\r\n",
         [](const QString& p) { return RewriteBackgroundLine(p, u"/pictures/new.png"_qs); }},
        {"line-1 repair", "ZN.INI", Record + "Taro\r\nHanako\r\n",
         [](const QString& p) {
             SettingsRecord r;
             DialogSettings d;
             return ReadSettingsForDialog(p, r, d) || !d.writeFailed;
         }},
        {"empty line 1", "ZN.INI", Record,
         [](const QString& p) {
             SettingsRecord r;
             DialogSettings d;
             return ReadSettingsForDialog(p, r, d) || !d.writeFailed;
         }},
        {"delete all members", "ZN.INI", Record + "\r\nTaro\r\n",
         [](const QString& p) {
             MemberList m{u"Taro"_qs};
             return DeleteAllMembers(p, SettingsRecord(), m, u"/pictures/a-long-name.png"_qs) ||
                    m.isEmpty();
         }},
        {"append members", "ZN.INI", Record + "\r\nTaro\r\n",
         [](const QString& p) {
             MemberList m{u"Taro"_qs};
             return AppendMembers(p, m, {u"Hanako"_qs}) || m.size() != 1;
         }},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QLatin1String(c.file));
        writeBytes(path, c.old);
        bool written = true;
        {
            FileSizeLimit limit(16);
            ASSERT_TRUE(limit.active());
            written = c.write(path);
        }
        EXPECT_FALSE(written) << c.name;
        EXPECT_EQ(readBytes(path), c.old) << c.name;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << c.name;
        EXPECT_TRUE(c.write(path)) << c.name << ": fails even without the limit";
    }
}

// Special files are never opened or replaced: a pipe would block the reader, and a save would
// rename a plain file over the pipe or device the user named.
TEST(SafeWrite, OnlyRegularFilesAreReadOrReplaced) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(u"pipe.csv"_qs);
    ASSERT_TRUE(MakeFifo(fifo));
    EXPECT_FALSE(IsRegularFile(fifo) || IsRegularFile(dir.path()) || IsRegularFile(QString()));
    EXPECT_FALSE(WriteFileAtomically(fifo, "x") || WriteRecordTexts(fifo, questions(1)));
    EXPECT_FALSE(WriteFileAtomically(dir.path(), "x"));
    MemberList members;
    EXPECT_FALSE(AppendMembers(fifo, members, {u"Taro"_qs}) ||
                 SaveSettingsRecord(fifo, SettingsRecord()));
    EXPECT_FALSE(QFileInfo(fifo).isFile());

    const QString file = dir.filePath(u"keep.znd"_qs);
    writeBytes(file, "old");
    EXPECT_TRUE(IsReplaceableFile(file) && IsReplaceableFile(dir.filePath(u"new.znd"_qs)));
    if (PermissionsBind()) {
        // A read-only file is its owner's choice; it is not renamed over.
        QFile(file).setPermissions(QFileDevice::ReadOwner);
        EXPECT_FALSE(WriteFileAtomically(file, "new"));
        EXPECT_EQ(readBytes(file), QByteArray("old"));
    }
}
