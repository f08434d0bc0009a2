#include "core/AppGlobals.h"
#include "data/QuestionFile.h"
#include "platform/Fonts.h"
#include "print/PriPri.h"
#include "print/PrintLayout.h"
#include "quiz/WindowFactory.h"
#include "quiz/ZN.h"
#include "support/FakePlatform.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

TEST(PrintEndToEnd, TheSampleFilePrintsFromTheMenuToPdf) {
    FakePlatform fake;
    QTemporaryDir dir;
    InstallFontSubstitutions();
    G().AppFolder = dir.path() + QStringLiteral("/");
    G().IniPath = dir.filePath(QStringLiteral("ZN.INI"));
    const QString sample = QStringLiteral(ZN_SOURCE_DIR "/samples/sample.znd");
    windowFactory().showPrint = ShowPriPri;
    const auto restore = qScopeGuard([] { windowFactory().showPrint = nullptr; });

    ZN zn;
    zn.useRealTimer = false;
    zn.endProgram = [] {};
    zn.Form_Load();
    zn.show();

    fake.dialogAnswers.enqueue(sample);
    fake.printerPdfPath = dir.filePath(QStringLiteral("sample.pdf"));
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* p = qobject_cast<PriPri*>(G().PriPri.data());
        if (!p) return;
        shown = p->isModal() && p->isVisible();
        QTest::mouseClick(p->Command1[0], Qt::LeftButton);
        if (p->isVisible()) p->reject();
    });
    zn.menu1_Click(5);
    ASSERT_TRUE(shown);
    ASSERT_EQ(fake.dialogs.size(), 1);
    EXPECT_EQ(fake.dialogs[0].title, QStringLiteral("印刷Dataを読む"));
    EXPECT_TRUE(fake.messages.isEmpty());

    QProcess text;
    text.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), fake.printerPdfPath, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(u'\f');
    pages.removeIf([](const QString& page) { return page.trimmed().isEmpty(); });

    // Every entry: its number and the start of its question on one line, its answer.
    QuestionFile file;
    ASSERT_TRUE(file.open(sample));
    const int count = file.recordCount();
    QList<PrintEntry> entries;
    QuestionRecord r;
    const QString all = pages.join(QString());
    for (int n = 1; n <= count; ++n) {
        ASSERT_TRUE(file.read(n, r));
        entries.append({r.question, r.answer, {}, {}});
        EXPECT_TRUE(all.contains(QStringLiteral("%1.%2").arg(n).arg(r.question.left(12)))) << n;
        EXPECT_TRUE(all.contains(r.answer.left(9))) << n;
    }
    PrintLayout layout(true, false);
    layout.PrintRecords(1, entries);
    layout.finish();
    EXPECT_EQ(pages.size(), layout.PageCount + (layout.LineCount ? 1 : 0));
    EXPECT_TRUE(pages.last().contains(QStringLiteral("%1.").arg(count)));
}
