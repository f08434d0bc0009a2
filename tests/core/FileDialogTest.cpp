#include "core/FileDialog.h"
#include "core/AppGlobals.h"
#include "core/Paths.h"
#include "support/FakePlatform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        G().AppFolder = dir.path() + QStringLiteral("/");
        G().AppTitle = QStringLiteral("ZE Zir Uduzedu");
        G().CurrentFile = QStringLiteral("stale");
        G().RecordCount = -99;
        G().LogFileFlag = true;
    }

    QString makeFile(const QString& name, const QByteArray& content) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path;
    }
    QString makeFile(const QString& name, int size) {
        return makeFile(name, QByteArray(size, 'x'));
    }

    // The message texts shown, as "text|second".
    QStringList shown() const {
        QStringList out;
        for (const auto& m : fake.messages) {
            EXPECT_EQ(m.kind, 1);
            EXPECT_EQ(m.title, QStringLiteral("File読込Error"));
            out << m.text;
        }
        return out;
    }

    QTemporaryDir dir;
    FakePlatform fake;
};

const QString OldFormat = QStringLiteral("旧Fileは使用出来ません、\r\nFileを読み直して下さい。");
const QString CsvRefused = QStringLiteral("CSV Fileは使用出来ません、\r\nPomvexで変換して下さい。");
const QString Unusable =
    QStringLiteral("指定されたFileは使用出来ません、\r\nFileを読み直して下さい。");

QByteArray LogText(int dataLines) {
    QByteArray t =
        "\"ZE Zir Uduzedu Log File\",\"1P\",\"\x89\xf0\x93\x9a\x8e\xd2\",\"\x90\xb3\x8c\xeb\"\r\n";
    for (int i = 0; i < dataLines; ++i)
        t += "\"q/x/y\",\"a\",\"me\",\"\x81\x9b\"\r\n";
    return t;
}

} // namespace

TEST_F(FileDialogTest, DialogSetUpPerTypeAndCancel) {
    for (int type = 0; type <= 4; ++type)
        FileDialog(nullptr, type);
    ASSERT_EQ(fake.dialogs.size(), 5);
    const QStringList titles = {"問題を読む", "印刷Dataを読む", "背景画像を読む", "問題の保存",
                                "Logの保存"};
    const QStringList lastPattern = {"*.*", "*.csv", "*.bmp;*.gif;*.jpg", "*.*", "*.csv"};
    for (int type = 0; type <= 4; ++type) {
        const auto& d = fake.dialogs[type];
        EXPECT_EQ(d.title, titles[type]);
        EXPECT_EQ(d.save, type >= 3);
        EXPECT_EQ(d.initialFolder, G().AppFolder);
        EXPECT_EQ(d.filters.size(), type == 2 || type == 4 ? 1 : 2);
        EXPECT_EQ(d.filters.last().pattern, lastPattern[type]);
    }
    EXPECT_EQ(fake.dialogs[0].filters[0].description, QStringLiteral("ZN問題ﾌｧｲﾙ (*.znd)"));
    EXPECT_EQ(fake.dialogs[0].filters[1].description, QStringLiteral("全てのﾌｧｲﾙ (*.*)"));
    // Every one was cancelled.
    EXPECT_TRUE(G().CurrentFile.isEmpty());
    EXPECT_EQ(G().WorkHandle, 0);
    EXPECT_FALSE(G().LogFileFlag);
    EXPECT_EQ(G().RecordCount, -99);
    EXPECT_TRUE(fake.messages.isEmpty());
}

TEST_F(FileDialogTest, QuestionFilesAcceptedByLength) {
    fake.dialogAnswers << makeFile("empty.znd", 0);
    FileDialog(nullptr, 0);
    EXPECT_EQ(G().CurrentFile, dir.filePath("empty.znd"));
    EXPECT_EQ(G().RecordCount, 0);
    EXPECT_NE(G().WorkHandle, 0);

    // 31 records are also 39 old records: the current length wins.
    fake.dialogAnswers << makeFile("q.znd", 10881);
    FileDialog(nullptr, 0);
    EXPECT_EQ(G().RecordCount, 31);
    EXPECT_TRUE(fake.messages.isEmpty());

    // A question file with a CSV name is still a question file to the print dialog.
    fake.dialogAnswers << makeFile("q.csv", 702);
    FileDialog(nullptr, 1);
    EXPECT_EQ(G().RecordCount, 2);
    EXPECT_FALSE(G().LogFileFlag);
}

TEST_F(FileDialogTest, RefusedFilesAreReportedAndTheDialogReopens) {
    fake.dialogAnswers << makeFile("old.znd", 422) << makeFile("a.Csv", 100)
                       << makeFile("x.txt", 500) << makeFile("ok.znd", 351);
    FileDialog(nullptr, 0);
    EXPECT_EQ(shown(), QStringList({OldFormat, CsvRefused, Unusable}));
    EXPECT_EQ(fake.dialogs.size(), 4);
    EXPECT_EQ(G().CurrentFile, dir.filePath("ok.znd"));
    EXPECT_EQ(G().RecordCount, 1);

    // Refused, then cancelled: the caller sees no file and the count is untouched.
    fake.clear();
    G().RecordCount = 7;
    fake.dialogAnswers << makeFile("old2.znd", 558); // 2 x 279
    FileDialog(nullptr, 0);
    EXPECT_EQ(shown(), QStringList({OldFormat}));
    EXPECT_EQ(fake.dialogs.size(), 2);
    EXPECT_TRUE(G().CurrentFile.isEmpty());
    EXPECT_EQ(G().RecordCount, 7);
}

TEST_F(FileDialogTest, PrintDataAcceptsOurLogs) {
    const QByteArray log = LogText(3);
    fake.dialogAnswers << makeFile("run.CSV", log);
    FileDialog(nullptr, 1);
    EXPECT_TRUE(fake.messages.isEmpty());
    EXPECT_TRUE(G().LogFileFlag);
    EXPECT_EQ(G().RecordCount, 3);
    EXPECT_EQ(G().CurrentFile, dir.filePath("run.CSV"));

    // A CSV without the marker is refused as unusable, not as a CSV question list.
    fake.dialogAnswers << makeFile("other.csv", QByteArray("\"a\",\"b\"\r\n\"c\",\"d\"\r\n"))
                       << QString();
    FileDialog(nullptr, 1);
    EXPECT_EQ(shown(), QStringList({Unusable}));
    EXPECT_FALSE(G().LogFileFlag);
    EXPECT_TRUE(G().CurrentFile.isEmpty());

    // A log is no question data for the question dialog.
    fake.clear();
    fake.dialogAnswers << dir.filePath("run.CSV");
    FileDialog(nullptr, 0);
    EXPECT_EQ(shown(), QStringList({CsvRefused}));
}

TEST_F(FileDialogTest, LogsWhoseLengthLooksLikeRecordsAreStillLogs) {
    // Padded to a multiple of 351 and of 211 bytes; and one cut before its first line end.
    for (int target : {351 * 2, 211 * 3, 0}) {
        QByteArray log = target ? LogText(1) : QByteArray("\"ZE Zir Uduzedu Log File\",\"1P\"");
        if (target) log.insert(log.indexOf("\r\n"), QByteArray(target - int(log.size()), ' '));
        fake.dialogAnswers << makeFile(QStringLiteral("pad%1.csv").arg(target), log);
        FileDialog(nullptr, 1);
        EXPECT_TRUE(G().LogFileFlag) << target;
        EXPECT_EQ(G().RecordCount, target ? 1 : 0) << target;
    }
    EXPECT_TRUE(fake.messages.isEmpty());
}

TEST_F(FileDialogTest, UnreadableLengthIsReportedOnceThenGivesUp) {
    const QString gone = dir.filePath("gone.znd");
    fake.dialogAnswers << gone << gone << dir.filePath("never-asked.znd");
    FileDialog(nullptr, 0);
    // The first failure is tested with length 0 (an old-format length); the second ends the call.
    EXPECT_EQ(shown(), QStringList({OldFormat}));
    EXPECT_EQ(fake.dialogs.size(), 2);
    EXPECT_TRUE(G().CurrentFile.isEmpty());
    EXPECT_EQ(G().RecordCount, -99);

    // A folder has no usable length either; after a refused 500-byte file its length is reused.
    fake.clear();
    fake.dialogAnswers.clear();
    fake.dialogAnswers << makeFile("x.txt", 500) << dir.path() << makeFile("fine.znd", 0);
    FileDialog(nullptr, 0);
    EXPECT_EQ(shown(), QStringList({Unusable, Unusable}));
    EXPECT_EQ(G().CurrentFile, dir.filePath("fine.znd"));
}

TEST_F(FileDialogTest, PicturesAndSaveNamesAreTakenAsChosen) {
    const QString missing = dir.filePath("new questions");
    for (int type : {2, 3, 4}) {
        fake.dialogAnswers << QStringLiteral("  ") + missing + QStringLiteral("  ");
        FileDialog(nullptr, type);
        EXPECT_EQ(G().CurrentFile, missing) << type;
    }
    EXPECT_EQ(G().RecordCount, -99);
    EXPECT_TRUE(fake.messages.isEmpty());
}

TEST(AddExt, AppendsOnlyWithoutAThreeLetterExtension) {
    EXPECT_EQ(AddExt(0, QStringLiteral("C:\\q\\new")), QStringLiteral("C:\\q\\new.znd"));
    EXPECT_EQ(AddExt(0, QStringLiteral("C:\\q\\old.znd")), QStringLiteral("C:\\q\\old.znd"));
    EXPECT_EQ(AddExt(0, QStringLiteral("C:\\q\\x.txt")), QStringLiteral("C:\\q\\x.txt"));
    EXPECT_EQ(AddExt(0, QStringLiteral("a.html")), QStringLiteral("a.html.znd"));
    // Names too short to hold an extension get one instead of failing.
    EXPECT_EQ(AddExt(1, QStringLiteral("ab")), QStringLiteral("ab.csv"));
    EXPECT_EQ(AddExt(0, QStringLiteral(".ab")), QStringLiteral(".ab.znd"));
}
