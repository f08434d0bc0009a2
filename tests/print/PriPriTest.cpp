#include "print/PriPri.h"
#include "core/AppGlobals.h"
#include "core/ResText.h"
#include "data/LogFile.h"
#include "data/QuestionFile.h"
#include "platform/Fonts.h"
#include "support/FakePlatform.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

QString runTool(const QString& tool, const QStringList& args) {
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(30000)) return QStringLiteral("<%1 failed>").arg(tool);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The PDF's pages as pdftotext lays them out (pages split at form feeds).
QStringList pdfPages(const QString& pdf) {
    QStringList pages =
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
            .split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

class PriPriTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        InstallFontSubstitutions();
        useQuestions(10);
    }
    void useQuestions(int count) {
        QStringList texts;
        for (int i = 1; i <= count; ++i)
            texts.append(ComposeRecordText(QStringLiteral("第%1問の問題文は何？").arg(i),
                                           QStringLiteral("答%1").arg(i), u'1'));
        G().CurrentFile = dir.filePath(QStringLiteral("q.znd"));
        ASSERT_TRUE(WriteRecordTexts(G().CurrentFile, texts));
        G().RecordCount = count;
        G().LogFileFlag = false;
    }
    std::unique_ptr<PriPri> open() {
        auto p = std::make_unique<PriPri>();
        p->show();
        QApplication::setActiveWindow(p.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(p.get()));
        return p;
    }
    static void rangeOn(PriPri& p) { QTest::mouseClick(p.Check1[1], Qt::LeftButton, {}, {6, 6}); }
    static void type(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }
    static void keys(QWidget* w, Qt::Key key, int times) {
        w->setFocus();
        for (int i = 0; i < times; ++i)
            QTest::keyClick(w, key);
    }
    QString pdf() const { return dir.filePath(QStringLiteral("out.pdf")); }

    FakePlatform fake;
    QTemporaryDir dir;
};

} // namespace

TEST_F(PriPriTest, SpinButtonsKeepFromAtMostTo) {
    auto p = open();
    EXPECT_EQ(p->size(), QSize(404, 121));
    EXPECT_EQ(p->L_StoE[0]->text() + u'-' + p->L_StoE[1]->text(), QStringLiteral("1-10"));
    EXPECT_TRUE(p->Option1[1]->isChecked() && p->Check1[0]->isChecked());
    EXPECT_FALSE(p->Frame1_2->isEnabled());
    rangeOn(*p);
    ASSERT_TRUE(p->Frame1_2->isEnabled());
    EXPECT_EQ(p->L_StoE[0]->palette().color(QPalette::Base), QColor(Qt::white));

    keys(p->VScroll1[1], Qt::Key_Down, 3); // to 10 -> 7
    keys(p->VScroll1[0], Qt::Key_Up, 20);  // from 1 -> stops at 7
    EXPECT_EQ(p->L_StoE[0]->text() + u'-' + p->L_StoE[1]->text(), QStringLiteral("7-7"));
    keys(p->VScroll1[1], Qt::Key_Down, 5); // cannot go below from
    EXPECT_EQ(p->L_StoE[1]->text(), QStringLiteral("7"));
    // The upper arrow of a spin button raises its number, up to the record count.
    for (int i = 0; i < 5; ++i)
        QTest::mouseClick(p->VScroll1[1], Qt::LeftButton, {}, {p->VScroll1[1]->width() / 2, 2});
    EXPECT_EQ(p->L_StoE[1]->text(), QStringLiteral("10"));

    rangeOn(*p); // off again
    EXPECT_FALSE(p->Frame1_2->isEnabled());
    EXPECT_NE(p->L_StoE[0]->palette().color(QPalette::Base), QColor(Qt::white));
}

TEST_F(PriPriTest, NumberFieldsTakeDigitsOnlyHoweverTheyCome) {
    auto p = open();
    rangeOn(*p);
    QLineEdit* box = p->L_StoE[0];
    type(box, QStringLiteral("x5-y"));
    QKeyEvent wide(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("２"));
    QApplication::sendEvent(box, &wide);
    EXPECT_EQ(box->text(), QStringLiteral("5"));
    QTest::keyClicks(box, QStringLiteral("1"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, QStringLiteral("2"));
    EXPECT_EQ(box->text(), QStringLiteral("52"));

    QApplication::clipboard()->setText(QStringLiteral("3a"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("52"));
    QApplication::clipboard()->setText(QStringLiteral("3"));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("523"));

    // Input-method composition: the preedit shows, but only a committed digit stays.
    box->setText(QStringLiteral("52"));
    const QStringList commits{QStringLiteral("日本"), QStringLiteral("７"), QStringLiteral("9")};
    for (const QString& commit : commits) {
        QInputMethodEvent preedit(QStringLiteral("にほん"), {});
        QApplication::sendEvent(box, &preedit);
        QInputMethodEvent done;
        done.setCommitString(commit);
        QApplication::sendEvent(box, &done);
    }
    EXPECT_EQ(box->text(), QStringLiteral("529"));
}

TEST_F(PriPriTest, ANumberAboveTheRecordCountKeepsTheFocus) {
    auto p = open();
    rangeOn(*p);
    type(p->L_StoE[1], QStringLiteral("11"));
    QTest::keyClick(p->L_StoE[1], Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), p->L_StoE[1]);
    QTest::mouseClick(p->L_StoE[0], Qt::LeftButton);
    QTest::mouseClick(p->Command1[0], Qt::LeftButton); // refused before printing
    EXPECT_EQ(QApplication::focusWidget(), p->L_StoE[1]);
    EXPECT_TRUE(fake.messages.isEmpty());

    // An emptied field becomes 0 on leaving.
    type(p->L_StoE[1], QString());
    QTest::keyClick(p->L_StoE[1], Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), p->L_StoE[1]);
    EXPECT_EQ(p->L_StoE[1]->text(), QStringLiteral("0"));
}

TEST_F(PriPriTest, WrongRangesWarnAndCancellingPrintsNothing) {
    struct Case {
        int records;
        const char* from;
        const char* to;
    };
    for (const Case& c : {Case{10, "8", "3"}, Case{0, nullptr, nullptr}, Case{10, "", "0"}}) {
        useQuestions(c.records);
        fake.printerPdfPath = pdf();
        auto p = open();
        if (c.from) {
            rangeOn(*p);
            type(p->L_StoE[0], QString::fromLatin1(c.from));
            type(p->L_StoE[1], QString::fromLatin1(c.to));
        }
        QTest::mouseClick(p->Command1[0], Qt::LeftButton);
        ASSERT_EQ(fake.messages.size(), 1) << c.records << c.to;
        EXPECT_EQ(fake.messages[0].kind, 3);
        EXPECT_EQ(fake.messages[0].title, QStringLiteral("警告"));
        EXPECT_EQ(fake.messages[0].text, LoadResString(TextPrintRange));
        EXPECT_TRUE(p->isVisible());
        EXPECT_FALSE(QFile::exists(pdf()));
        fake.clear();
    }

    useQuestions(3);
    fake.printerPdfPath.clear(); // the PDF file dialog is cancelled
    auto p = open();
    QTest::mouseClick(p->Command1[0], Qt::LeftButton);
    EXPECT_TRUE(p->isVisible());
    QTest::mouseClick(p->Command1[1], Qt::LeftButton);
    EXPECT_FALSE(p->isVisible());
    EXPECT_EQ(p->result(), QDialog::Rejected);
    EXPECT_TRUE(fake.messages.isEmpty());
}

TEST_F(PriPriTest, PrintsARangeOfALogToPdfWithMarks) {
    G().CurrentFile = dir.filePath(QStringLiteral("run.csv"));
    QFile f(G().CurrentFile);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    QList<LogLine> lines;
    for (int i = 1; i <= 120; ++i)
        lines.append({QStringLiteral("ログ%1の問題文、\"引用\"付き").arg(i),
                      QStringLiteral("解%1").arg(i), QStringLiteral("Ben"), i % 2 == 0, 0});
    f.write(BuildLog(QStringLiteral("ZE Zir Uduzedu"), true, false, 2, lines));
    f.close();
    G().RecordCount = 120;
    G().LogFileFlag = true;
    fake.printerPdfPath = pdf();

    auto p = open();
    rangeOn(*p);
    type(p->L_StoE[0], QString()); // emptied: starts at 1
    type(p->L_StoE[1], QStringLiteral("80"));
    QTest::mouseClick(p->Option1[0], Qt::LeftButton, {}, {6, 6});
    QTest::mouseClick(p->Command1[0], Qt::LeftButton);
    EXPECT_TRUE(fake.messages.isEmpty());
    EXPECT_EQ(p->result(), QDialog::Accepted);

    const QStringList pages = pdfPages(pdf());
    ASSERT_EQ(pages.size(), 2); // 75 lines, then 5
    EXPECT_TRUE(pages[0].contains(
        QRegularExpression(QStringLiteral("^ *1\\.ログ1の問題文、\"引用\"付き// +（×Ben） +解1$"),
                           QRegularExpression::MultilineOption)))
        << pages[0].left(300).toStdString();
    EXPECT_TRUE(pages[1].contains(QStringLiteral("80.ログ80")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("（○Ben）")));
    EXPECT_FALSE(pages[1].contains(QStringLiteral("81.")));
    EXPECT_TRUE(runTool(QStringLiteral("pdffonts"), {pdf()}).contains(QStringLiteral("IPAGothic")));
}

TEST_F(PriPriTest, PrintFailuresAreReportedAndLeaveNoPartialPdf) {
    // A folder that does not exist, and a disk that fills up while writing (a file-size limit
    // stands in for it) over an older PDF of the same name.
    const QString old = dir.filePath(QStringLiteral("old.pdf"));
    QFile f(old);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("old") == 3);
    f.close();
    useQuestions(300);
    for (const QString& target : {dir.filePath(QStringLiteral("none/out.pdf")), old}) {
        fake.printerPdfPath = target;
        auto p = open();
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const bool limit = target == old;
        auto previous = std::signal(SIGXFSZ, SIG_IGN);
        if (limit) {
            rlimit small = saved;
            small.rlim_cur = 4096;
            setrlimit(RLIMIT_FSIZE, &small);
        }
        QTest::mouseClick(p->Command1[0], Qt::LeftButton);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);

        ASSERT_EQ(fake.messages.size(), 1);
        EXPECT_EQ(fake.messages[0].kind, 1);
        EXPECT_EQ(fake.messages[0].text, LoadResString(TextPdfNotWritten));
        EXPECT_TRUE(p->isVisible());
        fake.clear();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("none/out.pdf"))));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral("old.pdf"), QStringLiteral("q.znd")}));

    // A log whose record lost fields since it was chosen: said so, nothing printed.
    G().CurrentFile = dir.filePath(QStringLiteral("cut.csv"));
    ASSERT_TRUE(
        WriteFileAtomically(G().CurrentFile, "\"h\",\"1P\",\"a\",\"b\"\r\n\"q\",\"a\"\r\n"));
    G().RecordCount = 1;
    G().LogFileFlag = true;
    fake.printerPdfPath = pdf();
    auto p = open();
    QTest::mouseClick(p->Command1[0], Qt::LeftButton);
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_EQ(fake.messages[0].text, ResText(TextLogRecordShort, QStringLiteral("1")));
    EXPECT_FALSE(QFile::exists(pdf()));
}
