#include "platform/QtPlatform.h"
#include "platform/DialogSupport.h"
#include "platform/Fonts.h"
#include "platform/InstanceLock.h"

#include "support/TestKit.h"
#include <QPrinter>
#include <QPrinterInfo>

TEST(DialogSupport, AnswersFiltersAndPathLimit) {
    // Closing a Yes/No box without choosing must never read as Yes (it may confirm a deletion).
    EXPECT_EQ(MessageAnswerFor(MsgYesNo, QMessageBox::NoButton), AnswerNo);
    // "*.*" would hide files without a dot from Qt; stray blanks and empty pairs are dropped.
    const QList<FileFilter> filters{
        {"全て (*.*)", "*.*"}, {"Log", " *.csv ; ;*.txt"}, {"", ""}, {"", "*.znd"}};
    EXPECT_EQ(QtFilterList(filters),
              QStringList({"全て (*)", "Log (*.csv *.txt)", "*.znd (*.znd)"}));
    EXPECT_EQ(DefaultSuffixFor(filters.mid(1)) + DefaultSuffixFor(filters), QStringLiteral("csv"));
    const QString longest(MaxDialogPathLength, QLatin1Char('a'));
    EXPECT_EQ(AcceptedDialogPath(longest), longest);
    EXPECT_TRUE(AcceptedDialogPath(longest + QLatin1Char('a')).isEmpty());
}

// Enter on the question about replacing a file answers No; on other Yes/No questions, Yes.
TEST(QtPlatform, EnterNeverReplacesAFile) {
    QtPlatform qt;
    for (const auto& [kind, answer] : {std::pair{MsgReplace, AnswerNo}, {MsgYesNo, AnswerYes}}) {
        QTimer enter;
        QObject::connect(&enter, &QTimer::timeout, [] {
            if (QWidget* box = QApplication::activeModalWidget())
                QTest::keyClick(box, Qt::Key_Return);
        });
        enter.start(20);
        EXPECT_EQ(qt.messageBox(nullptr, kind, QStringLiteral("確認"), QStringLiteral("上書き？")),
                  answer);
    }
}

// Windows font names must end up in a real font of the right kind, not in Qt's default.
TEST(FontSubstitution, WindowsNamesResolveToInstalledSubstitutes) {
    InstallFontSubstitutions();
    if (!QFontDatabase::families().contains(QStringLiteral("IPAPGothic")))
        GTEST_SKIP() << "the IPA fonts are not installed";
    // The program's own (full-width) names and the same fonts' English names.
    const char* const cases[][3] = {{"ＭＳ ゴシック", "MS Gothic", "IPAGothic"},
                                    {"ＭＳ 明朝", "MS Mincho", "IPAMincho"},
                                    {"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic"}};
    for (const auto& [name, english, family] : cases)
        for (const char* asked : {name, english})
            EXPECT_EQ(QFontInfo(QFont(QString::fromUtf8(asked), 12)).family(), family) << asked;
}

TEST(QtPlatform, RunAndWaitAndSeeds) {
    QtPlatform qt;
    // Waits for the program while events keep flowing; a crash still means the program ran.
    bool timerFired = false;
    QTimer::singleShot(50, [&] { timerFired = true; });
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(qt.runAndWait(QStringLiteral("/bin/sh"), {"-c", "sleep 0.3"}));
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_TRUE(timerFired);
    EXPECT_TRUE(qt.runAndWait(QStringLiteral("/bin/sh"), {"-c", "kill -9 $$"}));
    EXPECT_FALSE(qt.runAndWait(QStringLiteral("/nonexistent/Pomvex"), {}));
    QSet<quint32> seeds; // asked for in the same millisecond, they must still differ
    for (int i = 0; i < 100; ++i)
        seeds.insert(qt.randomSeed());
    EXPECT_EQ(seeds.size(), 100);
}

TEST(InstanceLock, SecondCopyRefusedDeadCopyTakenOverUnwritableFolderNoLockOut) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zn.lock"));
    {
        InstanceLock first(path), second(path);
        EXPECT_TRUE(first.acquire());
        EXPECT_TRUE(first.acquire());
        EXPECT_FALSE(second.acquire());
    }
    // A copy that crashed left its lock behind; no process can have that number.
    QFile stale(path);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("999999999\nzn\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    InstanceLock lock(path), nowhere(QStringLiteral("/nonexistent-folder-for-zn/zn.lock"));
    EXPECT_TRUE(lock.acquire());
    EXPECT_TRUE(lock.held());
    EXPECT_TRUE(nowhere.acquire());
    EXPECT_FALSE(nowhere.held());
}

// The save dialogs are answered with `names` (empty: cancel), questions with `replies`.
TEST(QtPlatform, WithoutPrinterItPrintsToAPdfFileChosenByName) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is installed";
    QtPlatform qt;
    QTemporaryDir dir;
    QStringList names;
    QList<QMessageBox::StandardButton> replies;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal); box && !replies.isEmpty())
            box->button(replies.takeFirst())->click();
        if (auto* dialog = qobject_cast<QFileDialog*>(modal); dialog && !names.isEmpty()) {
            const QString name = names.takeFirst();
            if (name.isEmpty()) return dialog->reject();
            // Typed, as selectFile() leaves a name box that has the focus alone.
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(dir.filePath(name));
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
    driver.start(10);
    // "list.txt" becomes "list.txt.pdf" after the dialog, so that file is asked about: No shows
    // the dialog again, Yes replaces it. A name without extension gets ".pdf" from the dialog.
    ASSERT_TRUE(QFile(dir.filePath(QStringLiteral("list.txt.pdf"))).open(QIODevice::WriteOnly));
    names = {"list.txt", "print"};
    replies = {QMessageBox::No};
    const std::unique_ptr<QPrinter> printer = qt.createPrinter(nullptr);
    ASSERT_TRUE(printer);
    EXPECT_EQ(printer->outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer->outputFileName(), dir.filePath(QStringLiteral("print.pdf")));
    EXPECT_EQ(printer->resolution(), 600);
    EXPECT_EQ(printer->pageLayout().pageSize().id(), QPageSize::A4);
    names = {"list.txt"};
    replies = {QMessageBox::Yes};
    const std::unique_ptr<QPrinter> replacing = qt.createPrinter(nullptr);
    ASSERT_TRUE(replacing);
    EXPECT_EQ(replacing->outputFileName(), dir.filePath(QStringLiteral("list.txt.pdf")));
    names = {""};
    EXPECT_FALSE(qt.createPrinter(nullptr));
    EXPECT_TRUE(names.isEmpty());
    EXPECT_TRUE(replies.isEmpty());
}
