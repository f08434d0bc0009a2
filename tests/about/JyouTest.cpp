#include "about/Jyou.h"
#include "about/VersionLines.h"
#include "core/AppGlobals.h"
#include "core/ResText.h"
#include "core/Resources.h"
#include "platform/ProgramVersion.h"
#include "support/FakePlatform.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A shell script standing in for the conversion tool.
QString WriteTool(const QString& path, const QByteArray& body) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n" + body + "\n");
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    return path;
}

} // namespace

class JyouTest : public ::testing::Test {
protected:
    void SetUp() override {
        AppGlobals& g = G();
        g.AppFolder = dir.path() + QLatin1Char('/');
        g.ToolPath = dir.filePath(QStringLiteral("Pomvex"));
        g.VersionText = QStringLiteral(" Version 4.0 Level 32");
        g.FontSmall = 9;
        g.SkinDC = LoadPicture(QStringLiteral("sprites"))
                       .copy(0, 0, 640, 480)
                       .convertToFormat(QImage::Format_RGB32);
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

TEST_F(JyouTest, ToolLineOnlyForARegularToolFileWithItsVersion) {
    const QRgb grey = qRgb(192, 192, 192);
    {
        const auto w = open();
        EXPECT_EQ(w->size(), QSize(279, 124));
        EXPECT_FALSE(w->toolLineShown());
        EXPECT_EQ(w->drawing.pixel(7, 126), grey);
    }
    ASSERT_TRUE(QDir().mkpath(G().ToolPath)); // a folder of that name is no tool
    EXPECT_FALSE(open()->toolLineShown());
    ASSERT_TRUE(QDir().rmdir(G().ToolPath));

    WriteTool(G().ToolPath, "echo 'Pomvex 1.5'");
    fake.fileVersionAnswer = QStringLiteral("1.5");
    const auto w = open();
    EXPECT_EQ(w->size(), QSize(279, 144));
    EXPECT_EQ(w->ToolVersion(), QStringLiteral("1.5"));
    EXPECT_EQ(w->drawing.pixel(7, 126), qRgb(128, 128, 128)); // the sunken bar
    int ink = 0;
    for (int x = 10; x < 270; ++x)
        for (int y = 132; y < 144; ++y)
            ink += w->drawing.pixel(x, y) == qRgb(0, 0, 0);
    EXPECT_GT(ink, 0);
}

TEST_F(JyouTest, DiskLineForLocalAndNetworkFolders) {
    struct Case {
        QString folder;
        VolumeInfo volume;
        qint64 free;
        QString expected;
        bool asked;
    };
    const QString network = QStringLiteral("Network Drive使用");
    const Case cases[] = {
        {"/opt/zn/", {"/", "ext4"}, 1234567, "Disk空き領域 : 1,234,567 Bytes (ﾄﾞﾗｲﾌﾞ /)", true},
        {"/home/q/zn/", {"/home/", "xfs"}, 999, "Disk空き領域 : 999 Bytes (ﾄﾞﾗｲﾌﾞ /home)", true},
        {"/opt/zn/", {"/", "btrfs"}, -1, "Disk空き領域 : ? Bytes (ﾄﾞﾗｲﾌﾞ /)", true},
        {"C:\\ZN\\", {"C:/", "NTFS"}, 1000, "Disk空き領域 : 1,000 Bytes (ﾄﾞﾗｲﾌﾞ C:)", true},
        {"/mnt/share/zn/", {"/mnt/share/", "nfs4"}, 5, network, false},
        {"/mnt/share/zn/", {"/mnt/share", "cifs"}, 5, network, false},
        {"/home/q/remote/", {"/home/q/remote", "fuse.sshfs"}, 5, network, false},
        {"\\\\server\\share\\zn\\", {"", ""}, 5, network, false},
        {"zn\\", {"", ""}, 5, network, false},
    };
    for (const Case& c : cases) {
        G().AppFolder = c.folder;
        fake.volumeAnswer = c.volume;
        fake.freeBytesAnswer = c.free;
        fake.clear();
        EXPECT_EQ(Jyou::DiskText(), c.expected) << c.folder.toStdString();
        EXPECT_EQ(!fake.freeBytesAsked.isEmpty(), c.asked) << c.folder.toStdString();
    }
}

TEST(VersionLines, ThousandsAndNetworkFileSystems) {
    const std::pair<qint64, const char*> numbers[] = {
        {0, "0"}, {999, "999"}, {1000, "1,000"}, {1099511627776, "1,099,511,627,776"}};
    for (const auto& [n, text] : numbers)
        EXPECT_EQ(FormatThousands(n), QString::fromLatin1(text));
    for (const char* type : {"nfs", "NFS4", "cifs", "smb3", "fuse.sshfs", "fuse.davfs2", "9p"})
        EXPECT_TRUE(IsNetworkFileSystem(QString::fromLatin1(type))) << type;
    for (const char* type : {"ext4", "btrfs", "tmpfs", "overlay", "NTFS", "fuse", "vfat", ""})
        EXPECT_FALSE(IsNetworkFileSystem(QString::fromLatin1(type))) << type;
}

TEST(VersionLines, DateLineAsAJapaneseSystemWritesIt) {
    const std::pair<QDateTime, QString> cases[] = {
        {QDateTime(QDate(2026, 12, 6), QTime(12, 0, 0)), "日曜日,6,12月,2026  12:00:00 p.m."},
        {QDateTime(QDate(2026, 1, 1), QTime(0, 5, 9)), "木曜日,1,1月,2026  12:05:09 a.m."},
        {QDateTime(QDate(2026, 7, 15), QTime(23, 59, 59)), "水曜日,15,7月,2026  11:59:59 p.m."},
        {QDateTime(QDate(2027, 2, 28), QTime(11, 7, 3)), "日曜日,28,2月,2027  11:07:03 a.m."},
    };
    for (const auto& [when, text] : cases) {
        // Four full-width characters take two bytes each of the 44-byte field.
        EXPECT_EQ(DateLine(when), QString(44 - text.size() - 4, QLatin1Char(' ')) + text);
    }
}

TEST_F(JyouTest, ClosedByAClickOnTheCloseMarkOnlyOrByTheWindowManagerOrEsc) {
    const std::tuple<int, int, bool> cases[] = {
        {244, 6, true},   {270, 25, true}, {243, 15, false},
        {271, 15, false}, {257, 5, false}, {257, 26, false},
    };
    for (const auto& [x, y, closes] : cases) {
        const auto w = open();
        QTest::mouseMove(w.get(), QPoint(x, y));
        QTest::mouseClick(w.get(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
        EXPECT_EQ(!w->isVisible(), closes) << x << "," << y;
        EXPECT_EQ(G().Jyou == nullptr, closes) << x << "," << y;
    }
    for (bool esc : {false, true}) {
        const auto w = open();
        w->Tim.start();
        if (esc)
            QTest::keyClick(w.get(), Qt::Key_Escape);
        else
            w->close();
        EXPECT_FALSE(w->isVisible());
        EXPECT_FALSE(w->Tim.isActive());
        EXPECT_EQ(G().Jyou, nullptr);
    }
}

TEST_F(JyouTest, HiddenSequenceTurnsTheLinkToTheSecondPage) {
    const auto w = open();
    const QString site = LoadResString(36);
    auto clickLink = [&] {
        QTest::mouseClick(w->Label1, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
        return fake.urlsOpened.isEmpty() ? QString() : fake.urlsOpened.last();
    };
    EXPECT_EQ(clickLink(), site);

    // Z N Q U I Z, with wrong keys in between that do not reset the count.
    const Qt::Key keys[] = {Qt::Key_Z, Qt::Key_A, Qt::Key_N,  Qt::Key_Z,
                            Qt::Key_Q, Qt::Key_U, Qt::Key_F2, Qt::Key_I};
    for (Qt::Key key : keys)
        QTest::keyClick(w.get(), key);
    EXPECT_EQ(w->EggStep, 5);
    EXPECT_EQ(clickLink(), site); // five of six
    QTest::keyClick(w.get(), Qt::Key_Z);
    EXPECT_EQ(w->Label1->text(), QStringLiteral("EasterEgg"));
    QTest::keyClick(w.get(), Qt::Key_Z);
    EXPECT_EQ(w->Label1->text(), QStringLiteral("EasterEgg"));
    EXPECT_EQ(clickLink(), site + QStringLiteral("EasterE.htm"));
    EXPECT_TRUE(w->isVisible());
}

TEST_F(JyouTest, CornerAnimationSwingsThroughTheFourStrips) {
    // Each sprite-sheet row in its own colour, so the strip shows which row it came from.
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            G().SkinDC.setPixel(x, y, qRgb(y % 256, x % 256, 7));
    const auto w = open();
    const int rows[] = {110, 123, 136, 149, 136, 123, 110, 110, 123};
    for (int row : rows) {
        w->Tim_Timer();
        EXPECT_EQ(w->frame, G().SkinDC.copy(288, row, 65, 13)) << row;
    }
}

TEST(ToolVersion, AskedOffWindowsWithALimit) {
    QTemporaryDir dir;
    const std::pair<QByteArray, QString> cases[] = {
        {"echo 'Pomvex 1.5'", "1.5"},         {"echo 'Pomvex 2.10'; echo 'more'", "2.10"},
        {"printf 'Pomvex 3.07'", "3.7"},      {"echo 'usage: Pomvex [file]'", ""},
        {"echo 'Pomvex 1.5'; exit 1", "1.5"}, {"kill -9 $$", ""},
    };
    int n = 0;
    for (const auto& [body, version] : cases) {
        const QString tool = WriteTool(dir.filePath(QStringLiteral("t%1").arg(++n)), body);
        EXPECT_EQ(AskProgramVersion(tool, 5000), version) << body.constData();
    }
    EXPECT_EQ(AskProgramVersion(dir.filePath(QStringLiteral("missing"))), QString());
    EXPECT_EQ(AskProgramVersion(dir.path()), QString());

    // A tool that never answers is given up at the limit.
    const QString silent = WriteTool(dir.filePath(QStringLiteral("silent")), "exec sleep 30");
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(AskProgramVersion(silent, 300), QString());
    EXPECT_LT(clock.elapsed(), 3000);
}
