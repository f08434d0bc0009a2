#include "print/PriPri.h"
#include "data/LogFile.h"
#include "data/QuestionFile.h"
#include "platform/Fonts.h"
#include "support/TestKit.h"

using namespace Qt::StringLiterals;

namespace {

QString run(const QString& tool, const QStringList& args) {
    QProcess p;
    p.start(tool, args);
    return p.waitForFinished(30000) ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

class PriPriTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallFontSubstitutions();
        use(dir.filePath(u"q.znd"_s), 10);
        ASSERT_TRUE(WriteRecordTexts(G().CurrentFile,
                                     QStringList(10, ComposeRecordText(u"何？"_s, u"答"_s, u'1'))));
    }
    static void use(const QString& file, int count, bool log = false) {
        G().CurrentFile = file;
        G().RecordCount = count;
        G().LogFileFlag = log;
    }
    std::unique_ptr<PriPri> open(bool range = false) {
        auto p = std::make_unique<PriPri>();
        p->show();
        QApplication::setActiveWindow(p.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(p.get()));
        if (range) QTest::mouseClick(p->Check1[1], Qt::LeftButton, {}, {6, 6});
        return p;
    }
    static void type(QWidget* box, const QString& text, Qt::Key then = Qt::Key_unknown) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
        if (then != Qt::Key_unknown) QTest::keyClick(box, then);
    }
    static QString range(const PriPri& p) {
        return p.L_StoE[0]->text() + u'-' + p.L_StoE[1]->text();
    }
    // Prints to a PDF; its pages as pdftotext lays them out.
    QStringList print(PriPri& p) {
        fake.printerPdfPath = dir.filePath(u"out.pdf"_s);
        QTest::mouseClick(p.Command1[0], Qt::LeftButton);
        QStringList pages =
            run(u"pdftotext"_s, {u"-layout"_s, fake.printerPdfPath, u"-"_s}).split(u'\f');
        pages.removeIf([](const QString& page) { return page.trimmed().isEmpty(); });
        return pages;
    }

    QTemporaryDir dir;
    FakePlatform fake;
};

} // namespace

TEST_F(PriPriTest, SpinButtonsAndFieldsKeepTheRangeInDigits) {
    G().RecordCount = 12345; // a field of four digits would show 1000
    EXPECT_EQ(range(*open()), u"1-12345"_s);
    G().RecordCount = 10;
    G().HelpPath = dir.filePath(u"zn.hlp"_s);
    auto p = open(true);
    EXPECT_EQ(range(*p), u"1-10"_s);
    ASSERT_TRUE(p->Frame1[2]->isEnabled());
    p->L_StoE[0]->setFocus();
    QTest::keyClick(p->L_StoE[0], Qt::Key_F1); // the help, from a field too
    EXPECT_EQ(fake.helpShown, QStringList{G().HelpPath});

    // To down 3 to 7; from up 20 stops at to; to down 5 stops at from.
    const std::tuple<int, Qt::Key, int> spins[] = {
        {1, Qt::Key_Down, 3}, {0, Qt::Key_Up, 20}, {1, Qt::Key_Down, 5}};
    for (const auto& [bar, key, times] : spins) {
        p->VScroll1[bar]->setFocus();
        for (int i = 0; i < times; ++i)
            QTest::keyClick(p->VScroll1[bar], key);
    }
    EXPECT_EQ(range(*p), u"7-7"_s);

    // A number above the record count cannot be left, by key or by click; emptied it is 0.
    type(p->L_StoE[1], u"11"_s, Qt::Key_Tab);
    QTest::mouseClick(p->L_StoE[0], Qt::LeftButton);
    QTest::mouseClick(p->Command1[0], Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), p->L_StoE[1]);
    type(p->L_StoE[1], QString(), Qt::Key_Tab);
    EXPECT_EQ(range(*p) + (QApplication::focusWidget() == p->L_StoE[1] ? "!" : ""), u"7-0"_s);

    // Typed, pasted or composed: only digits get in.
    QLineEdit* box = p->L_StoE[0];
    type(box, u"x5-y"_s);
    QApplication::clipboard()->setText(u"3a"_s);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QInputMethodEvent composing(u"にほん"_s, {}); // an input method's preedit, then commits
    QApplication::sendEvent(box, &composing);
    for (const QString& commit : {u"日本"_s, u"７"_s, u"9"_s}) {
        QInputMethodEvent done;
        done.setCommitString(commit);
        QApplication::sendEvent(box, &done);
    }
    EXPECT_EQ(box->text(), u"59"_s);
}

TEST_F(PriPriTest, CancelAndEnterWorkWhateverTheFieldsHold) {
    // An ordinary click on "ｷｬﾝｾﾙ" (press and release apart) while a field holds a refused number.
    auto p = open(true);
    type(p->L_StoE[1], u"11"_s);
    QTest::mousePress(p->Command1[1], Qt::LeftButton);
    QTest::qWait(120);
    QTest::mouseRelease(p->Command1[1], Qt::LeftButton);
    EXPECT_FALSE(p->isVisible());
    EXPECT_EQ(p->result(), QDialog::Rejected);

    // Enter presses the focused button; elsewhere it prints.
    p = open();
    p->Command1[1]->setFocus();
    QTest::keyClick(p->Command1[1], Qt::Key_Return);
    EXPECT_EQ(std::pair(p->isVisible(), p->result()), std::pair(false, int(QDialog::Rejected)));
    p = open();
    fake.printerPdfPath = dir.filePath(u"enter.pdf"_s);
    p->Check1[0]->setFocus();
    QTest::keyClick(p->Check1[0], Qt::Key_Return);
    EXPECT_EQ(std::pair(p->isVisible(), p->result()), std::pair(false, int(QDialog::Accepted)));
    EXPECT_TRUE(QFileInfo(fake.printerPdfPath).isFile());
}

TEST_F(PriPriTest, RefusedRangesAndFailuresAreReportedAndPrintNothing) {
    const QString q = G().CurrentFile, out = dir.filePath(u"out.pdf"_s),
                  old = dir.filePath(u"old.pdf"_s), log = dir.filePath(u"short.csv"_s);
    ASSERT_TRUE(WriteFileAtomically(old, "old"));
    ASSERT_TRUE(MakeFifo(dir.filePath(u"pipe.csv"_s)));
    ASSERT_TRUE(WriteFileAtomically(
        log, "\"h\",\"1P\",\"a\",\"b\"\r\n\"q\",\"a\",\"n\",\"x\"\r\n\"q2\",\"a2\"\r\n"));
    const QString notRead = ResText(TextPrintDataNotRead) + u"\r\n"_s + ResText(40),
                  notWritten = ResText(TextPdfNotWritten);
    // The file and its record count, the range typed, the PDF chosen; the message's title and text.
    const std::tuple<QString, int, QString, QString, QString, int, QString> cases[] = {
        {q, 10, u"8"_s, u"3"_s, out, 80, ResText(TextPrintRange)},
        {q, 10, u""_s, u"0"_s, out, 80, ResText(TextPrintRange)}, // emptied: 1-0
        {q, 0, {}, {}, out, 80, ResText(TextPrintRange)},
        {q, 3, {}, {}, {}, 0, {}}, // the PDF file's name not given
        {q, 3, {}, {}, dir.filePath(u"none/out.pdf"_s), TextPrintErrorTitle, notWritten},
        {q, 3, {}, {}, old, TextPrintErrorTitle, notWritten}, // the disk fills up
        {q, 12, {}, {}, out, 82, notRead},                    // fewer records than it had
        {dir.filePath(u"gone.csv"_s), 3, {}, {}, out, 82, notRead},
        {dir.filePath(u"pipe.csv"_s), 3, {}, {}, out, 82, notRead},
        {log, 2, {}, {}, out, 82, ResText(TextLogRecordShort, u"2"_s)},
    };
    for (const auto& [file, records, from, to, pdf, title, text] : cases) {
        use(file, records, file.endsWith(u".csv"_s));
        auto p = open(!from.isNull());
        if (!from.isNull()) {
            type(p->L_StoE[0], from);
            type(p->L_StoE[1], to);
        }
        fake.clear();
        fake.printerPdfPath = pdf;
        {
            const FileSizeLimit full(4096);
            QTest::mouseClick(p->Command1[0], Qt::LeftButton);
        }
        EXPECT_TRUE(p->isVisible());
        ASSERT_EQ(fake.messages.size(), title ? 1 : 0) << text.toStdString();
        if (title) { // a warning about the range, else an error
            const auto& m = fake.messages[0];
            EXPECT_EQ(std::tuple(m.kind, m.title, m.text),
                      std::tuple(title == 80 ? 3 : 1, ResText(title), text));
        }
    }

    // An empty file whose "to" was spun up to 1 has nothing to print either.
    use(q, 0);
    auto p = open(true);
    p->VScroll1[1]->setFocus();
    QTest::keyClick(p->VScroll1[1], Qt::Key_Up);
    fake.clear();
    EXPECT_TRUE(print(*p).isEmpty());
    EXPECT_EQ(range(*p), u"1-1"_s);
    EXPECT_EQ(fake.messages.size(), 1);

    // Nothing was printed and the old PDF is whole.
    EXPECT_EQ(QFileInfo(old).size(), 3);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"old.pdf", "q.znd", "short.csv"}));
}

TEST_F(PriPriTest, TheSampleFileAndASavedLogPrintToPdf) {
    const QString sample = QStringLiteral(ZN_SOURCE_DIR "/samples/sample.znd");
    QuestionFile file;
    ASSERT_TRUE(file.open(sample));
    use(sample, file.recordCount());
    auto p = open();
    QTest::mouseClick(p->Option1[0], Qt::LeftButton, {}, {6, 6});
    const QStringList pages = print(*p);
    EXPECT_EQ(p->result(), QDialog::Accepted);
    ASSERT_EQ(pages.size(), 2);
    QuestionRecord r;
    for (int n = 1; n <= file.recordCount(); ++n) {
        ASSERT_TRUE(file.read(n, r));
        const QString& page = pages[n <= 44 ? 0 : 1]; // 44 entries fill 75 lines
        EXPECT_TRUE(page.contains(u"%1.%2"_s.arg(n).arg(r.question.left(12)))) << n;
        EXPECT_TRUE(page.contains(r.answer.left(8))) << n;
    }
    EXPECT_TRUE(run(u"pdffonts"_s, {fake.printerPdfPath}).contains(u"IPAGothic"_s));

    // Entries 1-80 of a log of 120, the range's start emptied: marks, 75 lines, then 5.
    QList<LogLine> lines;
    for (int i = 1; i <= 120; ++i)
        lines.append({u"ログ%1、\"引用\""_s.arg(i), u"解%1"_s.arg(i), u"Ben"_s, i % 2 == 0, 0});
    use(dir.filePath(u"run.csv"_s), 120, true);
    ASSERT_TRUE(
        WriteFileAtomically(G().CurrentFile, BuildLog(u"ZE Zir Uduzedu"_s, true, false, 2, lines)));
    p = open(true);
    type(p->L_StoE[0], QString());
    type(p->L_StoE[1], u"80"_s);
    const QStringList log = print(*p);
    ASSERT_EQ(log.size(), 2);
    // The page starts with entry 1: there is no entry 0 (the header line) to print.
    EXPECT_TRUE(
        log[0].contains(QRegularExpression(u"^\\s*1\\.ログ1、\"引用\"// +（×Ben） +解1\n"_s)));
    EXPECT_TRUE(log[1].contains(u"80.ログ80"_s));
    EXPECT_TRUE(log[1].contains(u"（○Ben）"_s));
    EXPECT_FALSE(log[1].contains(u"81."_s));
}
