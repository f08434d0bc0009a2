#include "core/AppGlobals.h"
#include "core/AppMain.h"
#include "core/Drawing.h"
#include "core/Paths.h"
#include "core/SystemInfo.h"
#include "support/FakePlatform.h"

#include <QDir>
#include <QImage>
#include <QOperatingSystemVersion>
#include <QPainter>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(Paths, PathKindAndTrimNul) {
    // Both separators; an absolute POSIX path is a drive path.
    const std::pair<const char*, int> kinds[] = {
        {"", 0},        {"C:\\a\\b", 1}, {"C:/data", 1}, {"/home/quiz/", 1}, {"\\\\srv\\s", 2},
        {"//srv/s", 2}, {"abc\\", 3},    {"rel/d/", 3},  {"C:", 0},          {"\\abc", 0}};
    for (const auto& [path, kind] : kinds)
        EXPECT_EQ(PathKind(QString::fromUtf8(path)), kind) << path;

    // WorkNumber keeps the length before the first NUL; only ASCII blanks are trimmed.
    EXPECT_EQ(TrimNul(" a b " + QString(253, QChar(0)) + "tail"), QStringLiteral("a b"));
    EXPECT_EQ(G().WorkNumber, 5);
    EXPECT_EQ(TrimNul("　x　"), QStringLiteral("　x　"));
    EXPECT_EQ(G().WorkNumber, 3);
}

TEST(AppMain, SharedStateCommandLineSecondCopyOwnerAndSettingsFolder) {
    FakePlatform fake;
    QTemporaryDir dir;
    int main = 0, opening = 0;
    const AppWindows windows{[&] { ++main; }, [&] { ++opening; }};
    ASSERT_TRUE(AppMain(dir.filePath("zn"), " \"/quiz data/my set.znd\" ", windows));
    const QString folder = QDir::toNativeSeparators(dir.path()) + QDir::separator();
    const bool win = QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows;
    EXPECT_EQ(std::tuple(G().IniPath, G().ToolPath, G().VersionText, G().CurrentFile),
              std::tuple(folder + "ZN.INI", folder + (win ? "Pomvex.exe" : "Pomvex"),
                         QString(" Version 4.0 Level 32"), QString("/quiz data/my set.znd")));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty()); // no probe left
    ASSERT_TRUE(AppMain(dir.filePath("zn"), "\"\" ", windows));
    EXPECT_EQ(std::tuple(main, opening, G().CurrentFile), std::tuple(1, 1, QString()));

    fake.singleInstance = false;
    G().CurrentFile = QStringLiteral("untouched");
    EXPECT_FALSE(AppMain(dir.filePath("zn"), QStringLiteral("a.znd"), windows));
    EXPECT_EQ(std::tuple(main, opening, fake.messages.size(), G().CurrentFile),
              std::tuple(1, 1, 1, QString("untouched")));

    // The owner name is cut to whole characters within 255 bytes.
    fake.ownerName = QString(200, u'名');
    EXPECT_EQ(RegisteredOwnerName(), QString(127, u'名'));

    // A read-only program folder moves the settings file to the user's folder.
    QStandardPaths::setTestModeEnabled(true);
    const QString missing = dir.filePath("no/such/folder/");
    EXPECT_EQ(ChooseIniPath(dir.path() + "/"), dir.path() + "/ZN.INI");
    const QString chosen = ChooseIniPath(missing);
    QStandardPaths::setTestModeEnabled(false);
    EXPECT_TRUE(!chosen.startsWith(missing) && chosen.endsWith(QStringLiteral("/ZN.INI")));
    EXPECT_TRUE(QFileInfo(QFileInfo(chosen).absolutePath()).isDir());
}

TEST(AppMain, ProgramFolderFollowsALinkToTheProgram) {
    // An installed bin/zn links to the program in its own folder beside its help and tool.
    FakePlatform fake;
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("lib/zn") && QDir(dir.path()).mkpath("bin"));
    QFile program(dir.filePath("lib/zn/zn"));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.close();
    if (!QFile::link("../lib/zn/zn", dir.filePath("bin/zn")))
        GTEST_SKIP() << "no symbolic links here";
    const AppWindows windows{[] {}, [] {}};
    ASSERT_TRUE(AppMain(dir.filePath("bin/zn"), QString(), windows));
    const QString folder =
        QDir::toNativeSeparators(QDir(dir.filePath("lib/zn")).canonicalPath()) + QDir::separator();
    EXPECT_EQ(G().AppFolder, folder);
    EXPECT_EQ(G().HelpPath, folder + "zn.hlp");
    EXPECT_TRUE(G().ToolPath.startsWith(folder + "Pomvex"));
}

namespace {
const QRgb Fill = 0xff0000ff, Black = 0xff000000, Red = 0xffff0000, White = 0xffffffff,
           Grey = 0xff808080, Light = 0xffc0c0c0, Dark = 0xff404040;
// Bounding box and colours of the pixels drawn over the fill.
std::pair<QRect, QSet<QRgb>> Ink(const QImage& img) {
    std::pair<QRect, QSet<QRgb>> out;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != Fill)
                out.first |= QRect(x, y, 1, 1), out.second << img.pixel(x, y);
    return out;
}
} // namespace

TEST(Drawing, EmbossedTextAndEdgeBarsInWindowsColours) {
    EXPECT_EQ(std::pair(WinColor(8978431), WinColor(0x80000010u)), // the latter: button shadow
              std::pair(QColor(255, 255, 136), QColor(Grey)));
    QImage img(200, 40, QImage::Format_RGB32);
    QPainter p(&img);
    p.setFont(AppFont(QStringLiteral("ＭＳ ゴシック"), 12, true));
    auto text = [&](const QString& t, bool emboss) {
        p.fillRect(img.rect(), QColor(Fill));
        p.setPen(QColor(Red));
        // With an opaque background a drawn blank would paint its cell.
        p.setBackgroundMode(emboss ? Qt::TransparentMode : Qt::OpaqueMode);
        DrawEmbossedText(p, t, 10, 12, emboss);
        return Ink(img);
    };
    const QRect ink = text("AB", false).first; // (x, y) is the top-left of the text cell
    EXPECT_TRUE(ink.top() >= 12 && ink.top() <= 16 && ink.left() >= 10 && ink.bottom() <= 32);
    EXPECT_EQ(text("AB     ", false).first, ink);
    EXPECT_TRUE(text("   ", false).first.isNull());
    const QSet<QRgb> embossed = text("ZN", true).second;
    EXPECT_TRUE(embossed.contains({Black, White, Grey}) && !embossed.contains(Red));
    EXPECT_EQ(p.pen().color(), QColor(Black)) << "the pen after embossing";

    // style, height, top colour, bottom colour
    const QRgb bars[][4] = {
        {0, 2, Grey, White}, {1, 2, White, Grey}, {2, 3, Grey, White}, {6, 5, Light, Dark}};
    for (const auto& [style, height, top, bottom] : bars) {
        p.fillRect(img.rect(), QColor(Fill));
        DrawEdgeBar(p, 5, 35, 4, style);
        EXPECT_EQ(std::pair(Ink(img).first, G().EdgeRect),
                  std::pair(QRect(5, 4, 30, height), QRect(5, 4, 30, height)));
        EXPECT_EQ(std::pair(img.pixel(20, 4), img.pixel(20, 3 + height)), std::pair(top, bottom));
    }
}
