#include "core/FileDialog.h"
#include "support/TestKit.h"

namespace {

// Every refusal is an error box titled "File読込Error".
const QString E = "1File読込Error", Reread = "Fileは使用出来ません、\r\nFileを読み直して下さい。";
const QString Old = E + "旧" + Reread, Unusable = E + "指定された" + Reread,
              Csv = E + "CSV Fileは使用出来ません、\r\nPomvexで変換して下さい。";

const QByteArray
    LogHead =
        "\"ZE Zir Uduzedu Log File\",\"1P\",\"\x89\xf0\x93\x9a\x8e\xd2\",\"\x90\xb3\x8c\xeb\"\r\n",
    LogLine = "\"q/x/y\",\"a\",\"me\",\"\x81\x9b\"\r\n";

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override { G().AppFolder = dir.path() + QStringLiteral("/"); }
    QString file(const QString& name, const QByteArray& content) {
        writeBytes(dir.filePath(name), content);
        return dir.filePath(name);
    }
    // Runs one dialog (SaveFileDialog when `withExt`) answering `answers` in turn ("name=size"
    // makes a file of that size in the folder, a bare name need not exist); returns the messages.
    QStringList run(int type, const QStringList& answers, bool withExt = false) {
        fake.clear();
        fake.dialogAnswers.clear();
        for (const QString& a : answers)
            fake.dialogAnswers << (a.contains('=')
                                       ? file(a.section('=', 0, 0),
                                              QByteArray(a.section('=', 1).toInt(), 'x'))
                                       : dir.filePath(a));
        withExt ? SaveFileDialog(nullptr, type) : FileDialog(nullptr, type);
        QStringList out;
        for (const auto& m : fake.messages)
            out << QString::number(m.kind) + m.title + m.text;
        return out;
    }

    QTemporaryDir dir;
    FakePlatform fake;
};

} // namespace

TEST_F(FileDialogTest, QuestionFilesByLengthRefusalsReopenOthersUnchecked) {
    // dialog type; answers; messages shown; file taken; records
    const std::tuple<int, QStringList, QStringList, QString, int> cases[] = {
        {0, {"q.znd=10881"}, {}, "q.znd", 31}, // also 39 old records: the current length wins
        {1, {"q.csv=702"}, {}, "q.csv", 2},
        {0, {"o.znd=422", "a.Csv=9", "x.txt=500", "k.znd=351"}, {Old, Csv, Unusable}, "k.znd", 1},
        {0, {"old2.znd=558"}, {Old}, "", -99}, // refused, then cancelled
        // Missing: reported once (as length 0), the second failure ends the call.
        {0, {"gone.znd", "gone.znd", "never.znd=0"}, {Old}, "", -99},
        // A folder after a refused 500-byte file reuses that length.
        {0, {"x.txt=500", ".", "fine.znd=0"}, {Unusable, Unusable}, "fine.znd", 0},
        {4, {"new log  "}, {}, "new log", -99},     // names to save are taken unchecked
        {1, {"other.csv=20"}, {Unusable}, "", -99}, // a CSV without our log's marker
    };
    for (const auto& [type, answers, shown, chosen, records] : cases) {
        G().RecordCount = -99;
        G().LogFileFlag = true;
        EXPECT_EQ(run(type, answers), shown) << answers.join(' ').toStdString();
        EXPECT_EQ(std::pair(fake.dialogs[0].save, fake.dialogs[0].initialFolder),
                  std::pair(type >= 3, G().AppFolder));
        EXPECT_EQ(std::tuple(G().CurrentFile, G().RecordCount, G().LogFileFlag),
                  std::tuple(chosen.isEmpty() ? chosen : dir.filePath(chosen), records, false));
    }
}

TEST_F(FileDialogTest, PrintDataTakesOurLogsWhateverTheirLengthButNoPipe) {
    // Plain; padded to a multiple of 351 and of 211 bytes; cut before its first line end.
    for (int target : {-1, 351 * 2, 211 * 3, 0}) {
        QByteArray log = target ? LogHead + LogLine.repeated(3) : LogHead.left(30);
        if (target > 0) log.insert(log.indexOf("\r\n"), QByteArray(target - int(log.size()), ' '));
        file("run.CSV", log);
        EXPECT_TRUE(run(1, {"run.CSV"}).isEmpty()) << target;
        EXPECT_EQ(std::pair(G().LogFileFlag, G().RecordCount), std::pair(true, target ? 3 : 0));
    }
    EXPECT_EQ(run(0, {"run.CSV"}), QStringList({Csv})) << "a log is no question data";
    // A pipe is refused unopened (reading it would block).
    ASSERT_TRUE(MakeFifo(dir.filePath("pipe.csv")));
    EXPECT_EQ(run(1, {"pipe.csv", "q.znd=0"}), QStringList({Old}));
    EXPECT_EQ(G().CurrentFile, dir.filePath("q.znd"));
    // Any picture kind can be picked as the background.
    run(2, {});
    EXPECT_EQ(fake.dialogs.value(0).filters.value(0).pattern, "*.bmp;*.gif;*.jpg;*.jpeg;*.png");
    EXPECT_EQ(fake.dialogs.value(0).filters.value(1).pattern, "*.*");
}

// The default extension is added to a name without a three-letter one; a name it turns into
// another existing file is asked about (No the default button), and "No" shows the dialog again.
TEST_F(FileDialogTest, ExistingFileNamedByTheAddedExtensionIsAskedAbout) {
    file("a.html.znd", "old");
    // type; dialog answers; reply; asked about it; name taken
    const std::tuple<int, QStringList, int, bool, QString> cases[] = {
        {3, {"a.html", "b"}, AnswerNo, true, "b.znd"},
        {3, {"a.html"}, AnswerYes, true, "a.html.znd"},
        {3, {"a.html.znd"}, AnswerNo, false, "a.html.znd"}, // the dialog itself asked
        {4, {"a.html"}, AnswerNo, false, "a.html.csv"},
        {3, {"x.txt"}, AnswerNo, false, "x.txt"}, // a three-letter extension stays alone
        {3, {".ab"}, AnswerNo, false, ".ab.znd"},
    };
    for (const auto& [type, answers, reply, asked, taken] : cases) {
        fake.messageAnswers = {};
        fake.messageAnswers.enqueue(reply);
        EXPECT_EQ(run(type, answers, true),
                  asked ? QStringList{"4確認「a.html.znd」は既に存在します。\r\n上書きしますか？"}
                        : QStringList{});
        EXPECT_EQ(G().CurrentFile, dir.filePath(taken));
    }
}
