#include "DataFiles.h"

#include "core/SafeFile.h"
#include "data/LogFile.h"
#include "data/QuestionFile.h"
#include "data/SettingsFile.h"
#include "support/HostileFiles.h"

#include <QDir>

#include <functional>

namespace {
QByteArray questions(int n) {
    return SjisEncode(
        QString(ComposeRecordText(u"問"_qs, u"答"_qs, u'1') + u"\r\n"_qs).repeated(n));
}
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
        {"questions in the buffer", questions(3),
         [](auto p) { return WriteRecordTexts(p, texts(46)); }},
        {"questions past it", questions(1), [](auto p) { return WriteRecordTexts(p, texts(200)); }},
        {"log", "\"old\"\r\n", [](auto p) { return WriteFileAtomically(p, QByteArray(900, 'x')); }},
        {"background line", ini + "C:\\old.bmp\r\nTaro\r\n",
         [](auto p) { return RewriteBackgroundLine(p, u"/pictures/new.png"_qs); }},
        {"line-1 repair", ini + "Taro\r\n",
         [&](auto p) { return ReadSettingsForDialog(p, r, d) || !d.writeFailed; }},
        {"delete all members", ini + "\r\nTaro\r\n",
         [&](auto p) {
             return DeleteAllMembers(p, r, m = {u"Taro"_qs}, u"/p/a-long-name.png"_qs);
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

// A pipe or folder is never opened or renamed over: a save fails and the pipe stays a pipe.
TEST(SafeWrite, OnlyRegularFilesAreReplaced) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(u"pipe.csv"_qs);
    ASSERT_TRUE(MakeFifo(fifo));
    MemberList members;
    EXPECT_FALSE(WriteFileAtomically(fifo, "x") || WriteFileAtomically(dir.path(), "x") ||
                 AppendMembers(fifo, members, {u"Taro"_qs}) ||
                 SaveSettingsRecord(fifo, SettingsRecord()));
    EXPECT_FALSE(QFileInfo(fifo).isFile());
}
