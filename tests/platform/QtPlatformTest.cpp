#include "platform/QtPlatform.h"
#include "platform/HelpViewer.h"
#include "platform/InstanceLock.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

TEST(QtPlatformProcess, RunAndWaitWaitsForTheProgram) {
    QtPlatform qt;
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(qt.runAndWait(QStringLiteral("/bin/sh"), {"-c", "sleep 0.3"}));
    EXPECT_GE(clock.elapsed(), 250) << "returned before the program ended";

    // Events keep flowing while waiting: a timer set before the call fires during it.
    bool timerFired = false;
    QTimer::singleShot(50, [&] { timerFired = true; });
    EXPECT_TRUE(qt.runAndWait(QStringLiteral("/bin/sh"), {"-c", "sleep 0.2"}));
    EXPECT_TRUE(timerFired);

    // A failing exit code or a crash still means the program ran.
    EXPECT_TRUE(qt.runAndWait(QStringLiteral("/bin/false"), {}));
    EXPECT_TRUE(qt.runAndWait(QStringLiteral("/bin/sh"), {"-c", "kill -9 $$"}));

    // A program that is missing (or not executable) cannot start: false, at once.
    clock.restart();
    EXPECT_FALSE(qt.runAndWait(QStringLiteral("/nonexistent/Pomvex"), {}));
    EXPECT_FALSE(qt.runAndWait(QDir::tempPath(), {}));
    EXPECT_LT(clock.elapsed(), 3000);
}

TEST(QtPlatformSystem, OwnerFreeSpaceClockAndSeeds) {
    QtPlatform qt;
    const QString owner = qt.registeredOwnerName();
    EXPECT_FALSE(owner.contains(QLatin1Char(','))) << "GECOS fields beyond the name leaked";
    EXPECT_EQ(owner, owner.trimmed());

    EXPECT_GT(qt.freeBytes(QStringLiteral("/")), 0);
    EXPECT_GT(qt.freeBytes(QDir::tempPath()), 0);
    EXPECT_EQ(qt.freeBytes(QStringLiteral("/no/such/folder/anywhere")), -1);

    const QDateTime now = qt.utcNow();
    EXPECT_EQ(now.timeSpec(), Qt::UTC);
    EXPECT_LE(qAbs(now.msecsTo(QDateTime::currentDateTimeUtc())), 1000);

    // Seeds asked for in the same millisecond must still differ.
    QSet<quint32> seeds;
    for (int i = 0; i < 100; ++i)
        seeds.insert(qt.randomSeed());
    EXPECT_EQ(seeds.size(), 100);

    EXPECT_TRUE(qt.fileVersion(QStringLiteral("/bin/sh")).isEmpty());
}

TEST(InstanceLock, SecondCopyIsRefusedUntilTheFirstEnds) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zn.lock"));
    {
        InstanceLock first(path);
        ASSERT_TRUE(first.acquire());
        EXPECT_TRUE(first.acquire()) << "asking again keeps the lock";

        InstanceLock second(path);
        EXPECT_FALSE(second.acquire());
    }
    EXPECT_FALSE(QFile::exists(path)) << "lock not released at the end";
}

TEST(InstanceLock, LockOfADeadCopyIsTakenOver) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zn.lock"));
    // A process that has ended leaves its pid behind, as a crashed copy would.
    QProcess gone;
    gone.start(QStringLiteral("/bin/true"));
    ASSERT_TRUE(gone.waitForFinished());
    const qint64 deadPid = gone.processId() > 0 ? gone.processId() : 999999;
    QFile stale(path);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray::number(deadPid) + "\nzn\n" + QSysInfo::machineHostName().toUtf8() +
                "\n");
    stale.close();

    InstanceLock lock(path);
    EXPECT_TRUE(lock.acquire());
    EXPECT_TRUE(lock.held());
}

TEST(InstanceLock, UnwritableFolderDoesNotLockTheUserOut) {
    InstanceLock lock(QStringLiteral("/nonexistent-folder-for-zn/zn.lock"));
    EXPECT_TRUE(lock.acquire());
    EXPECT_FALSE(lock.held());
    EXPECT_TRUE(InstanceLock::defaultPath().endsWith(QStringLiteral("/zn.lock")));
}

TEST(HelpViewer, ShowsTheFileOrAFallback) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("zn.hlp"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<html><head><meta charset=\"utf-8\"></head><body><h1>早押しの遊び方</h1>"
            "<p>キーを<b>離した</b>とき</p></body></html>");
    f.close();

    HelpViewer viewer;
    EXPECT_EQ(viewer.windowTitle(), QStringLiteral("ZN ﾍﾙﾌﾟ"));
    EXPECT_FALSE(viewer.testAttribute(Qt::WA_QuitOnClose));
    EXPECT_EQ(viewer.load(file), QUrl::fromLocalFile(file));
    const QString shown = viewer.browser()->toPlainText();
    EXPECT_TRUE(shown.contains(QStringLiteral("早押しの遊び方")));
    EXPECT_FALSE(shown.contains(QStringLiteral("<h1>"))) << "shown as text, not as HTML";

    const QString missing = dir.filePath(QStringLiteral("gone.hlp"));
    const QUrl fallback = viewer.load(missing);
    if (QFile::exists(HelpViewer::builtInHelp())) {
        EXPECT_EQ(fallback.scheme(), QStringLiteral("qrc"));
        EXPECT_FALSE(viewer.browser()->toPlainText().trimmed().isEmpty());
    } else {
        EXPECT_TRUE(fallback.isEmpty());
        EXPECT_TRUE(viewer.browser()->toPlainText().contains(missing));
    }
    EXPECT_FALSE(viewer.browser()->toPlainText().contains(QStringLiteral("早押しの遊び方")));

    // The platform keeps one viewer per owner window, as a separate window.
    QtPlatform qt;
    QWidget owner;
    qt.showHelp(&owner, file);
    qt.showHelp(&owner, file);
    const auto viewers = owner.findChildren<HelpViewer*>();
    ASSERT_EQ(viewers.size(), 1);
    EXPECT_TRUE(viewers.first()->isWindow());
    EXPECT_TRUE(viewers.first()->isVisible());
}
