#include "core/AppMain.h"
#include "core/Drawing.h"
#include "core/Paths.h"
#include "core/SystemInfo.h"
#include "support/TestKit.h"

TEST(Paths, PathKindAndTrimNul) {
    // Both separators; an absolute POSIX path is a drive path.
    const std::pair<const char*, int> kinds[] = {
        {"", 0},        {"C:\\a\\b", 1}, {"C:/data", 1}, {"/home/quiz/", 1}, {"\\\\srv\\s", 2},
        {"//srv/s", 2}, {"abc\\", 3},    {"rel/d/", 3},  {"C:", 0},          {"\\abc", 0}};
    for (const auto& [path, kind] : kinds)
        EXPECT_EQ(PathKind(QString::fromUtf8(path)), kind) << path;

    // The text before the first NUL; only ASCII blanks are trimmed.
    EXPECT_EQ(TrimNul(" a b " + QString(253, QChar(0)) + "tail"), QStringLiteral("a b"));
    EXPECT_EQ(TrimNul("　x　"), QStringLiteral("　x　"));
}

// Started through a link (an installed bin/zn) the program folder is still the real program's,
// beside its help and tool.
TEST(AppMain, ProgramFolderCommandLineSecondCopyAndOwner) {
    FakePlatform fake;
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("lib/zn"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("bin"));
    writeBytes(dir.filePath("lib/zn/zn"), "");
    ASSERT_TRUE(QFile::link("../lib/zn/zn", dir.filePath("bin/zn")));
    int main = 0, opening = 0;
    const AppWindows windows{[&] { ++main; }, [&] { ++opening; }};
    ASSERT_TRUE(AppMain(dir.filePath("bin/zn"), " \"/quiz data/my set.znd\" ", windows));
    const QString folder =
        QDir::toNativeSeparators(QDir(dir.filePath("lib/zn")).canonicalPath()) + QDir::separator();
    EXPECT_EQ(
        std::tuple(G().AppFolder, G().IniPath, G().HelpPath, G().CurrentFile),
        std::tuple(folder, folder + "ZN.INI", folder + "zn.hlp", QString("/quiz data/my set.znd")));
    EXPECT_TRUE(G().ToolPath.startsWith(folder + "Pomvex"));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 1); // no probe left
    ASSERT_TRUE(AppMain(dir.filePath("bin/zn"), "\"\" ", windows));
    EXPECT_EQ(std::tuple(main, opening, G().CurrentFile), std::tuple(1, 1, QString()));

    fake.singleInstance = false;
    G().CurrentFile = QStringLiteral("untouched");
    EXPECT_FALSE(AppMain(dir.filePath("bin/zn"), QStringLiteral("a.znd"), windows));
    EXPECT_EQ(std::tuple(main, opening, fake.messages.size(), G().CurrentFile),
              std::tuple(1, 1, 1, QString("untouched")));

    // The owner name is cut to whole characters within 255 bytes.
    fake.ownerName = QString(200, u'名');
    EXPECT_EQ(RegisteredOwnerName(), QString(127, u'名'));
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
    EXPECT_GE(ink.top(), 12);
    EXPECT_LE(ink.top(), 16);
    EXPECT_GE(ink.left(), 10);
    EXPECT_LE(ink.bottom(), 32);
    EXPECT_EQ(text("AB     ", false).first, ink);
    EXPECT_TRUE(text("   ", false).first.isNull());
    const QSet<QRgb> embossed = text("ZN", true).second;
    EXPECT_TRUE(embossed.contains({Black, White, Grey}));
    EXPECT_FALSE(embossed.contains(Red));
    EXPECT_EQ(p.pen().color(), QColor(Black)) << "the pen after embossing";

    // style, height, top colour, bottom colour
    const QRgb bars[][4] = {
        {0, 2, Grey, White}, {1, 2, White, Grey}, {2, 3, Grey, White}, {6, 5, Light, Dark}};
    for (const auto& [style, height, top, bottom] : bars) {
        p.fillRect(img.rect(), QColor(Fill));
        DrawEdgeBar(p, 5, 35, 4, style);
        EXPECT_EQ(Ink(img).first, QRect(5, 4, 30, height));
        EXPECT_EQ(std::pair(img.pixel(20, 4), img.pixel(20, 3 + height)), std::pair(top, bottom));
    }
}
