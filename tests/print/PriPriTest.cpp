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
    auto p = open();
    EXPECT_EQ(range(*p), u"1-10"_s);
    QTest::mouseClick(p->Check1[1], Qt::LeftButton, {}, {6, 6});
    ASSERT_TRUE(p->Frame1[2]->isEnabled());

    auto keys = [](QWidget* w, Qt::Key key, int times) {
        w->setFocus();
        while (times-- > 0)
            QTest::keyClick(w, key);
    };
    keys(p->VScroll1[1], Qt::Key_Down, 3); // to 10 -> 7
    keys(p->VScroll1[0], Qt::Key_Up, 20);  // from stops at to
    keys(p->VScroll1[1], Qt::Key_Down, 5); // to stops at from
    EXPECT_EQ(range(*p), u"7-7"_s);
    for (int i = 0; i < 5; ++i) // the upper arrow raises the number, up to the record count
        QTest::mouseClick(p->VScroll1[1], Qt::LeftButton, {}, {8, 2});
    EXPECT_EQ(range(*p), u"7-10"_s);

    // Typed, pasted or composed: only digits get in.
    QLineEdit* box = p->L_StoE[0];
    type(box, u"x5-y"_s);
    QKeyEvent wide(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, u"２"_s);
    QApplication::sendEvent(box, &wide);
    for (const char* clip : {"3a", "3"}) {
        QApplication::clipboard()->setText(QString::fromLatin1(clip));
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }
    for (const QString& commit : {u"日本"_s, u"７"_s, u"9"_s}) {
        QInputMethodEvent preedit(u"にほん"_s, {});
        QApplication::sendEvent(box, &preedit);
        QInputMethodEvent done;
        done.setCommitString(commit);
        QApplication::sendEvent(box, &done);
    }
    EXPECT_EQ(box->text(), u"539"_s);
}

TEST_F(PriPriTest, RangesAreCheckedBeforeAnythingPrints) {
    // A number above the record count cannot be left, by key or by click.
    auto p = open(true);
    type(p->L_StoE[1], u"11"_s, Qt::Key_Tab);
    QTest::mouseClick(p->L_StoE[0], Qt::LeftButton);
    QTest::mouseClick(p->Command1[0], Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), p->L_StoE[1]);
    type(p->L_StoE[1], QString(), Qt::Key_Tab); // emptied: 0, and the focus moves on
    EXPECT_EQ(range(*p) + (QApplication::focusWidget() == p->L_StoE[1] ? "!" : ""), u"1-0"_s);

    const struct {
        int records;
        QString from, to;
    } wrong[] = {{10, "8", "3"}, {10, "", "0"}, {0, {}, {}}};
    for (const auto& c : wrong) {
        G().RecordCount = c.records;
        p = open(!c.from.isNull());
        if (!c.from.isNull()) {
            type(p->L_StoE[0], c.from);
            type(p->L_StoE[1], c.to);
        }
        fake.clear();
        EXPECT_TRUE(print(*p).isEmpty());
        ASSERT_EQ(fake.messages.size(), 1);
        EXPECT_EQ(fake.messages[0].kind * 1000 + fake.messages[0].title.size(), 3002); // "警告"
        EXPECT_EQ(fake.messages[0].text, LoadResString(TextPrintRange));
        EXPECT_TRUE(p->isVisible());
    }

    // An empty file whose "to" was spun up to 1 has nothing to print either.
    G().RecordCount = 0;
    p = open(true);
    p->VScroll1[1]->setFocus();
    QTest::keyClick(p->VScroll1[1], Qt::Key_Up);
    fake.clear();
    EXPECT_TRUE(print(*p).isEmpty() && range(*p) == u"1-1"_s);
    EXPECT_EQ(fake.messages.size(), 1);

    // Cancelling the PDF file dialog keeps the dialog; its cancel button closes it.
    G().RecordCount = 3;
    p = open();
    fake.clear();
    fake.printerPdfPath.clear();
    QTest::mouseClick(p->Command1[0], Qt::LeftButton);
    EXPECT_TRUE(p->isVisible());
    QTest::mouseClick(p->Command1[1], Qt::LeftButton);
    EXPECT_FALSE(p->isVisible());
    EXPECT_TRUE(fake.messages.isEmpty());
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
    EXPECT_TRUE(log[0].contains(QRegularExpression(u"^ *1\\.ログ1、\"引用\"// +（×Ben） +解1$"_s,
                                                   QRegularExpression::MultilineOption)));
    EXPECT_TRUE(log[1].contains(u"80.ログ80"_s) && log[1].contains(u"（○Ben）"_s));
    EXPECT_FALSE(log[1].contains(u"81."_s));
}

TEST_F(PriPriTest, FailuresAreReportedAndLeaveNoPartialPdf) {
    // A folder that does not exist; a disk that fills up (a file-size limit stands in for it)
    // while an older PDF of the same name waits to be replaced.
    const QString old = dir.filePath(u"old.pdf"_s);
    ASSERT_TRUE(WriteFileAtomically(old, "old"));
    for (const QString& target : {dir.filePath(u"none/out.pdf"_s), old}) {
        fake.printerPdfPath = target;
        auto p = open();
        rlimit saved{}, small{};
        getrlimit(RLIMIT_FSIZE, &saved);
        small = saved;
        small.rlim_cur = 4096;
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        QTest::mouseClick(p->Command1[0], Qt::LeftButton);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
        ASSERT_EQ(fake.messages.size(), 1);
        EXPECT_EQ(fake.messages[0].kind, 1);
        EXPECT_EQ(fake.messages[0].text, LoadResString(TextPdfNotWritten));
        EXPECT_TRUE(p->isVisible());
        fake.clear();
    }
    QFile f(old);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"old.pdf", "q.znd"}));
}
