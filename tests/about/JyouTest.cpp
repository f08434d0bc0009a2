#include "about/Jyou.h"
#include "about/VersionLines.h"
#include "core/Drawing.h"
#include "platform/Fonts.h"
#include "platform/ProgramVersion.h"
#include "support/TestKit.h"

#include <limits>

namespace {

// A shell script standing in for the conversion tool.
QString WriteTool(const QString& path, const QByteArray& body) {
    writeBytes(path, "#!/bin/sh\n" + body + "\n");
    QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
    return path;
}

} // namespace

class JyouTest : public ::testing::Test {
protected:
    void SetUp() override {
        AppGlobals& g = G();
        g.AppFolder = dir.path() + QLatin1Char('/');
        g.ToolPath = dir.filePath(QStringLiteral("Pomvex"));
        // Each sprite-sheet pixel in its own colour, so a copied strip shows where it came from.
        g.SkinDC = QImage(640, 480, QImage::Format_RGB32);
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                g.SkinDC.setPixel(x, y, qRgb(y % 256, x % 256, 7));
    }
    void TearDown() override { G().SkinDC = QImage(); }

    std::unique_ptr<Jyou> open() {
        auto window = std::make_unique<Jyou>();
        window->useRealTimer = false;
        window->Form_Load();
        window->show();
        return window;
    }

    FakePlatform fake;
    QTemporaryDir dir;
};

TEST_F(JyouTest, ToolLineOnlyForARegularToolFileThatIsAskedWithinOneLimit) {
    const QString& tool = G().ToolPath;
    ASSERT_TRUE(QDir().mkpath(tool)); // a folder of that name is no tool
    EXPECT_EQ(open()->size(), QSize(279, 124));
    EXPECT_EQ(AskProgramVersion(tool), QString());
    ASSERT_TRUE(QDir().rmdir(tool));

    const std::pair<QByteArray, QString> cases[] = {
        {"echo 'Pomvex 1.5'", "1.5"},         {"echo 'Pomvex 2.10'; echo 'more'", "2.10"},
        {"printf 'Pomvex 3.07'", "3.7"},      {"echo 'usage: Pomvex [file]'", ""},
        {"echo 'Pomvex 1.5'; exit 1", "1.5"}, {"kill -9 $$", ""},
    };
    int n = 0;
    for (const auto& [body, version] : cases) {
        const QString script = WriteTool(dir.filePath(QString::number(++n)), body);
        EXPECT_EQ(AskProgramVersion(script, 5000), version) << body.constData();
    }
    // One that never answers is given up at the limit; the window opens with its line.
    WriteTool(tool, "exec sleep 30");
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(AskProgramVersion(tool, 300), QString());
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_EQ(open()->size(), QSize(279, 144));
}

TEST_F(JyouTest, DiskLineForLocalAndNetworkFolders) {
    const QString network = QStringLiteral("Network Drive使用");
    const std::tuple<QString, VolumeInfo, qint64, QString> cases[] = {
        {"/opt/zn/", {"/", "ext4"}, 1234567, "Disk空き領域 : 1,234,567 Bytes (ﾄﾞﾗｲﾌﾞ /)"},
        {"/home/q/zn/", {"/home/", "xfs"}, 999, "Disk空き領域 : 999 Bytes (ﾄﾞﾗｲﾌﾞ /home)"},
        {"/opt/zn/", {"/", "btrfs"}, -1, "Disk空き領域 : ? Bytes (ﾄﾞﾗｲﾌﾞ /)"},
        {"/opt/zn/", {"/", "fuse"}, 1000, "Disk空き領域 : 1,000 Bytes (ﾄﾞﾗｲﾌﾞ /)"},
        {"C:\\ZN\\", {"C:/", "NTFS"}, 4294967296, "Disk空き領域 : 4,294,967,296 Bytes (ﾄﾞﾗｲﾌﾞ C:)"},
        {"/mnt/share/zn/", {"/mnt/share/", "nfs4"}, 5, network},
        {"/mnt/share/zn/", {"/mnt/share", "cifs"}, 5, network},
        {"/home/q/remote/", {"/home/q/remote", "fuse.sshfs"}, 5, network},
        {"\\\\server\\share\\zn\\", {"", ""}, 5, network},
        {"zn\\", {"", ""}, 5, network},
    };
    for (const auto& [folder, volume, free, expected] : cases) {
        G().AppFolder = folder;
        fake.volumeAnswer = volume;
        fake.freeBytesAnswer = free;
        fake.clear();
        EXPECT_EQ(Jyou::DiskText(), expected) << folder.toStdString();
        // A network drive is not asked for its free space.
        EXPECT_EQ(fake.freeBytesAsked.isEmpty(), expected == network) << folder.toStdString();
    }
}

TEST(VersionLines, DateLineAsAJapaneseSystemWritesIt) {
    const std::pair<QDateTime, QString> cases[] = {
        {QDateTime(QDate(2026, 12, 6), QTime(12, 0, 0)), "日曜日,6,12月,2026  12:00:00 p.m."},
        {QDateTime(QDate(2026, 1, 1), QTime(0, 5, 9)), "木曜日,1,1月,2026  12:05:09 a.m."},
        {QDateTime(QDate(2026, 7, 15), QTime(23, 59, 59)), "水曜日,15,7月,2026  11:59:59 p.m."},
    };
    for (const auto& [when, text] : cases) {
        // Four full-width characters take two bytes each of the 44-byte field.
        EXPECT_EQ(DateLine(when), QString(44 - text.size() - 4, QLatin1Char(' ')) + text);
    }
}

TEST_F(JyouTest, ClosedByTheCloseMarkTheWindowManagerOrEscOnly) {
    // A click at a point; (0, 0) stands for the window manager's close, (-1, -1) for Esc.
    const std::tuple<int, int, bool> cases[] = {{244, 6, true},   {270, 25, true}, {243, 15, false},
                                                {257, 26, false}, {0, 0, true},    {-1, -1, true}};
    for (const auto& [x, y, closes] : cases) {
        const auto w = open();
        w->Tim.start();
        if (x > 0) {
            QTest::mouseClick(w.get(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
        } else if (x == 0) {
            w->close();
        } else {
            QTest::keyClick(w.get(), Qt::Key_Escape);
        }
        // Hidden, forgotten and its animation stopped, or none of these.
        EXPECT_EQ(std::tuple(w->isVisible(), G().Jyou != nullptr, w->Tim.isActive()),
                  std::tuple(!closes, !closes, !closes))
            << x << "," << y;
    }
}

TEST_F(JyouTest, CornerAnimationAndTheHiddenSequenceTurningTheLinkToTheSecondPage) {
    const auto w = open();
    for (int row : {110, 123, 136, 149, 136, 123, 110, 110, 123}) {
        w->Tim_Timer();
        EXPECT_EQ(w->frame, G().SkinDC.copy(288, row, 65, 13)) << row;
    }

    const QString site = LoadResString(36);
    auto clickLink = [&] {
        QTest::mouseClick(w->Label1, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        return fake.urlsOpened.isEmpty() ? QString() : fake.urlsOpened.last();
    };
    EXPECT_EQ(clickLink(), site);
    // Z N Q U I Z, with wrong keys in between that do not reset the count.
    for (Qt::Key key :
         {Qt::Key_Z, Qt::Key_A, Qt::Key_N, Qt::Key_Z, Qt::Key_Q, Qt::Key_U, Qt::Key_F2, Qt::Key_I})
        QTest::keyClick(w.get(), key);
    EXPECT_EQ(clickLink(), site); // five of six
    QTest::keyClick(w.get(), Qt::Key_Z);
    QTest::keyClick(w.get(), Qt::Key_Z);
    EXPECT_EQ(w->Label1->text(), QStringLiteral("EasterEgg"));
    EXPECT_EQ(clickLink(), site + QStringLiteral("EasterE.htm"));
    G().HelpPath = dir.filePath(QStringLiteral("zn.hlp"));
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(w.get(), Qt::Key_F1); // the help, and the window stays
    EXPECT_EQ(fake.helpShown, QStringList{G().HelpPath});
    EXPECT_TRUE(w->isVisible());
}

// Any mount point and any amount of free space: the mount point is cut in its middle while the
// line would not fit the 269 pixels right of x 10; a number too wide even with "/" is drawn
// narrower, its closing bracket still inside the window.
TEST_F(JyouTest, DiskLineShortensTheMountPointInTheMiddleToFit) {
    InstallFontSubstitutions(); // the fonts the program really uses
    const QFontMetrics fm(AppFont(LoadResString(90), G().FontSmall));
    const QString longMount = "/media/someone/a-very-long-volume-label-for-the-backup-disk";
    // mount point, free bytes, cut in the middle, fits without narrowing
    const std::tuple<QString, qint64, bool, bool> cases[] = {
        {"/", 99'999'999'999, false, true},
        {"/", 5'000'000'000'000, false, false},
        {"/home", 999, false, true},
        {longMount, 1'234'567'890'123, true, false},
        {longMount, 12, true, true},
        {"/mnt/データ用の長い名前のついたドライブ/作業", 1'000'000'000, true, false},
    };
    for (const auto& [mount, free, shortened, fits] : cases) {
        const QString line = FittedDiskLine(1, "ext4", mount, free, fm, 269);
        EXPECT_EQ(fm.horizontalAdvance(line) <= 269, fits)
            << line.toStdString() << " " << fm.horizontalAdvance(line);
        EXPECT_EQ(line.contains(QChar(0x2026)), shortened) << line.toStdString();
        EXPECT_TRUE(line.contains(FormatThousands(free) + " Bytes")) << line.toStdString();
        EXPECT_TRUE(line.endsWith(mount.right(1) + ")")) << line.toStdString();
        EXPECT_TRUE(line.contains("ﾄﾞﾗｲﾌﾞ " + mount.left(1))) << line.toStdString();

        // In the window, the line's ink ends inside it: the last column stays blank.
        G().AppFolder = (mount == "/" ? QString() : mount) + "/zn/";
        fake.volumeAnswer = {mount, "ext4"};
        fake.freeBytesAnswer = free;
        const auto w = open();
        int right = 0;
        for (int y = 98; y < 112; ++y)
            for (int x = 200; x < w->drawing.width(); ++x)
                if (w->drawing.pixel(x, y) != qRgb(192, 192, 192)) right = qMax(right, x);
        EXPECT_GT(right, 200) << line.toStdString();
        EXPECT_LT(right, 278) << line.toStdString();
    }
    EXPECT_EQ(ShortenMiddle("/abcdef", 4), QStringLiteral("/a…ef"));
    EXPECT_EQ(ShortenMiddle("/abcdef", 0), QStringLiteral("…"));
    EXPECT_EQ(ShortenMiddle("/ab", 9), QStringLiteral("/ab"));
}

// The tool is asked without holding the window up: a tool that never answers is ended, with
// what it started, at the limit or when the window closes first.
TEST(ProgramVersionQuery, ATrappedToolIsEndedWithItsChildren) {
    QTemporaryDir dir;
    const QString pids = dir.filePath("pids");
    const QString tool =
        WriteTool(dir.filePath("Pomvex"),
                  "trap '' TERM\nsleep 30 &\necho $$ $! > '" + pids.toUtf8() + "'\nwait");
    auto gone = [](qint64 pid) {
        // Ended means no such process, or a zombie left for whoever adopted it to reap.
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly)) return true;
        const QByteArray text = stat.readAll();
        return text.mid(text.lastIndexOf(')') + 2, 1) == "Z";
    };
    for (const bool closeFirst : {false, true}) {
        QFile::remove(pids);
        QElapsedTimer clock;
        clock.start();
        auto query = std::make_unique<ProgramVersionQuery>(tool, 400);
        bool answered = false;
        QString version = "unset";
        QObject::connect(query.get(), &ProgramVersionQuery::answered, [&](const QString& v) {
            answered = true;
            version = v;
        });
        EXPECT_LT(clock.elapsed(), 300); // started, not waited for
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(pids).size() > 0, 5000);
        QFile file(pids);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> ids = file.readAll().trimmed().split(' ');
        ASSERT_EQ(ids.size(), 2);
        if (closeFirst) {
            query.reset();
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(answered, 5000);
            EXPECT_EQ(version, QString());
        }
        for (const QByteArray& id : ids)
            QTRY_VERIFY_WITH_TIMEOUT(gone(id.toLongLong()), 3000);
    }
}
