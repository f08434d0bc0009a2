#include "convert/CommandLine.h"
#include "convert/Conversion.h"
#include "data/QuestionFile.h"
#include "support/TestKit.h"

#include <sys/resource.h>

namespace {

class Convert : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    // Runs the command line in this process; returns the exit status.
    int run(const QStringList& args) {
        out.clear();
        err.clear();
        QTextStream o(&out), e(&err);
        return RunCommandLine(args, o, e);
    }
    QString out, err;
};

} // namespace

TEST_F(Convert, ExportedListConvertsBackByteForByte) {
    const QStringList texts = {
        ComposeRecordText(QStringLiteral("「,」と\"と\tを含む問題、何？"), QStringLiteral("答え,"),
                          u'1'),
        ComposeRecordText(QString(144, QChar(u'長')), QString(60, u'x'), u'7'),
        ComposeRecordText(QStringLiteral("～－① ｶﾀｶﾅ"), QStringLiteral("全角　空白"), u'6'),
    };
    ASSERT_TRUE(WriteRecordTexts(path("a.znd"), texts));
    ASSERT_EQ(run({"--export", path("a.znd"), path("list.csv")}), ExitOk) << err.toStdString();
    EXPECT_TRUE(readBytes(path("list.csv")).startsWith("\xEF\xBB\xBF\xE5\x95\x8F")); // BOM, 問
    ASSERT_EQ(run({path("list.csv"), path("b.znd")}), ExitOk) << err.toStdString();
    EXPECT_EQ(readBytes(path("b.znd")), readBytes(path("a.znd")));
    EXPECT_TRUE(err.contains(QStringLiteral(":1: 情報: 見出しの行として読み飛ばしました")));
}

// An empty question file and genre bytes no genre digit stands for come back unchanged too.
TEST_F(Convert, EmptyFilesAndOddGenreBytesConvertBack) {
    ASSERT_TRUE(WriteRecordTexts(path("empty.znd"), {}));
    ASSERT_EQ(run({"-x", path("empty.znd"), path("empty.csv")}), ExitOk) << err.toStdString();
    ASSERT_EQ(run({path("empty.csv"), path("empty2.znd")}), ExitOk) << err.toStdString();
    EXPECT_TRUE(QFileInfo(path("empty2.znd")).isFile());
    EXPECT_EQ(QFileInfo(path("empty2.znd")).size(), 0);
    EXPECT_TRUE(err.contains(QStringLiteral("情報: 見出しだけで問題がありません")));

    QByteArray odd;
    for (char genre : {'0', '9', ' ', 'A', '\0', '4'}) {
        QByteArray record = SjisEncode(ComposeRecordText(QStringLiteral("問"), "a", u'1'));
        record.back() = genre;
        odd += record + "\r\n";
    }
    writeBytes(path("odd.znd"), odd);
    ASSERT_EQ(run({"-x", path("odd.znd"), path("odd.csv")}), ExitOk) << err.toStdString();
    EXPECT_TRUE(readBytes(path("odd.csv")).contains("\r\n問,a,0x30\r\n問,a,0x39\r\n"));
    ASSERT_EQ(run({path("odd.csv"), path("odd2.znd")}), ExitOk) << err.toStdString();
    EXPECT_EQ(readBytes(path("odd2.znd")), odd);
}

// Files that are no list, and lists whose columns are not where they are expected.
TEST_F(Convert, WorkbooksBinaryDataAndColumnsAreExplained) {
    const QByteArray png = QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0\x10", 24).repeated(8);
    struct Unusable {
        const char* name;
        QByteArray bytes;
        const char* says;
    } unusable[] = {
        {"book.xlsx", QByteArray("PK\x03\x04\x14\0\x06\0", 8) + "[Content_Types].xml",
         "表計算ｿﾌﾄのﾌﾞｯｸ（.xlsx、.odsなど）のようです。表計算ｿﾌﾄで「CSV」か"},
        {"old.xls", QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1\0\0", 10),
         "Excelのﾌﾞｯｸ（.xls）のようです"},
        {"picture.csv", png, "ﾃｷｽﾄのﾌｧｲﾙではないようです"},
    };
    for (const Unusable& u : unusable) {
        writeBytes(path(u.name), u.bytes);
        EXPECT_EQ(run({path(u.name), path("x.znd")}), ExitUnusable) << u.name;
        EXPECT_TRUE(err.contains(QString::fromUtf8(u.says))) << err.toStdString();
    }

    // One stray NUL in a UTF-8 list is one bad row, not a sign of UTF-16.
    writeBytes(path("nul.csv"), QByteArray("q,a,1\nb\0c,x,2\n", 14) + "日本,答,3\n");
    EXPECT_EQ(run({path("nul.csv")}), ExitRowErrors);
    EXPECT_TRUE(err.contains(path("nul.csv") +
                             QStringLiteral(":2: 問題に制御文字があります「U+0000 (NUL)」")));
    EXPECT_TRUE(err.contains(QStringLiteral("3行中 1行にエラー（UTF-8、ｶﾝﾏ区切り、")));

    const QString swapped =
        QStringLiteral("No.,東京,日本の首都は？,2\n2,富士山,日本一高い山は？,3\n");
    writeBytes(path("swapped.csv"), swapped.toUtf8());
    EXPECT_EQ(run({path("swapped.csv"), path("s1.znd")}), ExitRowErrors) << "genre in column C";
    EXPECT_EQ(run({"--columns", "n,a,q,g", path("swapped.csv"), path("s2.znd")}), ExitOk);
    EXPECT_TRUE(err.contains(QStringLiteral("問題=C列、解答=B列、ジャンル=D列")));
    EXPECT_FALSE(err.contains(QStringLiteral("入れ替わって")));
    QuestionFile file;
    QuestionRecord record;
    ASSERT_TRUE(file.open(path("s2.znd")) && file.read(2, record));
    EXPECT_EQ(record.question + record.answer + record.genre,
              QStringLiteral("日本一高い山は？富士山3"));
    EXPECT_EQ(run({"--columns=n,q,g", path("swapped.csv")}), ExitUnusable);
    EXPECT_EQ(run({"--columns", "q,a,g,n", path("swapped.csv"), path("s3.znd")}), ExitRowErrors);
    writeBytes(path("positional.csv"), QStringLiteral("富士山,日本一高い山は？,3\n").toUtf8());
    EXPECT_EQ(run({path("positional.csv"), path("s4.znd")}), ExitOk);
    EXPECT_TRUE(err.contains(QStringLiteral("注意: 1行中1行で解答が問題より長く")));
}

TEST_F(Convert, CommandLineExitStatusesAndMessages) {
    writeBytes(path("bad.csv"), QStringLiteral("q,a,1\nq,,2\nr,b,9\n").toUtf8());
    writeBytes(path("good.csv"), SjisEncode(QStringLiteral("問,答,3\n")));
    writeBytes(path("empty.csv"), "\r\n,,\r\n");

    EXPECT_EQ(run({path("bad.csv")}), ExitRowErrors);
    EXPECT_TRUE(err.contains(path("bad.csv") + QStringLiteral(":2: 解答が空です\n")));
    EXPECT_TRUE(err.contains(path("bad.csv") + QStringLiteral(":3: ジャンル「9」")));
    EXPECT_FALSE(QFile::exists(path("bad.znd"))) << "nothing is written while rows have errors";
    EXPECT_EQ(run({"-g", path("bad.csv")}), ExitRowErrors) << "rows had errors";
    EXPECT_EQ(run({"-g", path("bad.csv")}), ExitUnusable) << "an existing file is kept";
    EXPECT_EQ(readBytes(path("bad.znd")).size(), QuestionFormat::RecordLength);
    EXPECT_EQ(run({path("bad.csv")}), ExitRowErrors) << "the existing file cuts no report short";
    EXPECT_EQ(run({"--encoding=sjis", path("good.csv"), path("out.znd")}), ExitOk);
    EXPECT_TRUE(out.contains(QStringLiteral("1問を書き込みました")));
    EXPECT_EQ(run({"-f", path("good.csv"), path("out.znd")}), ExitOk);

    struct Unusable {
        QStringList args;
        const char* says;
    } unusable[] = {
        {{path("missing.csv")}, "ﾌｧｲﾙがありません"},
        {{path("missing.znd")}, "ﾌｧｲﾙがありません"},
        {{dir.path(), path("x.znd")}, "普通のﾌｧｲﾙではありません"},
        {{path("empty.csv")}, "問題の行がありません"},
        {{path("good.csv"), path("good.csv")}, "入力ﾌｧｲﾙと同じ"},
        {{"--encoding", "latin1", path("good.csv")}, "文字ｺｰﾄﾞ「latin1」"},
        {{"--frobnicate", path("good.csv")}, "ｵﾌﾟｼｮﾝ「--frobnicate」"},
        {{}, "入力ﾌｧｲﾙを1つ"},
        {{"-x", path("good.csv"), path("g2.csv")}, "問題ﾌｧｲﾙではありません"},
        {{path("good.csv"), dir.path() + "/nofolder/x.znd"}, "書き込めませんでした"},
    };
    for (const Unusable& u : unusable) {
        EXPECT_EQ(run(u.args), ExitUnusable) << u.args.join(' ').toStdString();
        EXPECT_TRUE(err.contains(QString::fromUtf8(u.says))) << err.toStdString();
    }
}

// The real program: the version line the version window reads, and its place beside zn.
TEST(PomvexProgram, PrintsItsVersionAndLivesBesideTheProgram) {
    EXPECT_EQ(QFileInfo(QStringLiteral(POMVEX_PATH)).absolutePath(),
              QFileInfo(QStringLiteral(ZN_PATH)).absolutePath());
    QProcess p;
    const auto runProgram = [&p](const char* argument) {
        p.start(QStringLiteral(POMVEX_PATH), {QString::fromUtf8(argument)});
        return p.waitForFinished(30000) ? p.exitCode() : -1;
    };
    ASSERT_EQ(runProgram("--version"), 0);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Pomvex \\d+\\.\\d+\\n$"))
                    .match(QString::fromUtf8(p.readAllStandardOutput()))
                    .hasMatch());
    ASSERT_EQ(runProgram("/nonexistent/list.csv"), ExitUnusable);
    EXPECT_TRUE(p.readAllStandardOutput().isEmpty());
    EXPECT_TRUE(p.readAllStandardError().startsWith("/nonexistent/list.csv: "));

    // The window needs a display: without one the tool says so in one line, as zn does.
    QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        noDisplay.remove(QString::fromLatin1(name));
    p.setProcessEnvironment(noDisplay);
    p.start(QStringLiteral(POMVEX_PATH), {});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(p.readAllStandardError().startsWith("Pomvex: no display"));
    p.setProcessEnvironment(QProcessEnvironment::systemEnvironment());

    // A disk that fills up (a file-size limit stands in for it) is reported, not a crash.
    QTemporaryDir dir;
    writeBytes(dir.filePath("list.csv"), QByteArray("q,a,1\n").repeated(40));
    p.setChildProcessModifier([] {
        const rlimit small{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &small);
    });
    p.start(QStringLiteral(POMVEX_PATH), {dir.filePath("list.csv"), dir.filePath("list.znd")});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, ExitUnusable);
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError())
                    .contains(QStringLiteral("書き込めませんでした")));
}
