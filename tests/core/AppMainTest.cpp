#include "core/AppMain.h"
#include "core/AppGlobals.h"
#include "core/Paths.h"
#include "core/Sjis.h"
#include "core/SystemInfo.h"
#include "support/FakePlatform.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(PathKind, DrivesNetworkAndFolders) {
    EXPECT_EQ(PathKind(QString()), 0);
    EXPECT_EQ(PathKind(QStringLiteral("C:\\")), 1);
    EXPECT_EQ(PathKind(QStringLiteral("C:\\a\\b")), 1);
    EXPECT_EQ(PathKind(QStringLiteral("\\\\srv\\share")), 2);
    EXPECT_EQ(PathKind(QStringLiteral("abc\\")), 3);
    EXPECT_EQ(PathKind(QStringLiteral("abc")), 0);
    EXPECT_EQ(PathKind(QStringLiteral("C:")), 0);
    EXPECT_EQ(PathKind(QStringLiteral("\\abc")), 0);
    // The same with forward slashes, and absolute POSIX paths as drive paths.
    EXPECT_EQ(PathKind(QStringLiteral("C:/data")), 1);
    EXPECT_EQ(PathKind(QStringLiteral("/")), 1);
    EXPECT_EQ(PathKind(QStringLiteral("/home/quiz/")), 1);
    EXPECT_EQ(PathKind(QStringLiteral("//srv/share")), 2);
    EXPECT_EQ(PathKind(QStringLiteral("\\\\srv\\share\\")), 2);
    EXPECT_EQ(PathKind(QStringLiteral("rel/dir/")), 3);
}

TEST(TrimNul, CutsAtFirstNulAndTrimsBlanks) {
    const QString padded = QStringLiteral("abc") + QString(253, QChar(0));
    EXPECT_EQ(TrimNul(padded), QStringLiteral("abc"));
    EXPECT_EQ(G().WorkNumber, 3);
    EXPECT_EQ(TrimNul(QStringLiteral("  x  ")), QStringLiteral("x"));
    EXPECT_EQ(G().WorkNumber, 5);
    EXPECT_EQ(TrimNul(QStringLiteral(" a b ") + QChar(0) + QStringLiteral("tail")),
              QStringLiteral("a b"));
    EXPECT_EQ(TrimNul(QString(QChar(0)) + QStringLiteral("x")), QString());
    EXPECT_EQ(G().WorkNumber, 0);
    // Only ASCII blanks are trimmed.
    EXPECT_EQ(TrimNul(QStringLiteral("　x　")), QStringLiteral("　x　"));
}

namespace {

struct StartUp {
    int mainShown = 0;
    int openingShown = 0;
    AppWindows windows() {
        return AppWindows{[this] { ++mainShown; }, [this] { ++openingShown; }};
    }
};

} // namespace

TEST(AppMain, FillsTheSharedStateAt96Dpi) {
    FakePlatform fake;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    StartUp s;
    ASSERT_TRUE(AppMain(dir.filePath("zn"), QString(), s.windows()));
    const AppGlobals& g = G();
    const QString folder = QDir::toNativeSeparators(dir.path()) + QDir::separator();
    EXPECT_EQ(g.AppFolder, folder);
    EXPECT_EQ(g.IniPath, folder + "ZN.INI");
    EXPECT_TRUE(g.ToolPath == folder + "Pomvex" || g.ToolPath == folder + "Pomvex.exe");
    EXPECT_EQ(g.VersionText, QStringLiteral(" Version 4.0 Level 32"));
    EXPECT_EQ(QList<int>({g.TwipsX, g.TwipsY, g.FontSmall, g.FontNormal, g.FontLarge, g.MainWidth,
                          g.MainHeight}),
              QList<int>({15, 15, 9, 10, 12, 9600, 7200}));
    EXPECT_EQ(s.openingShown, 1);
    EXPECT_EQ(s.mainShown, 0);
    // The writability probe leaves nothing behind.
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST(AppMain, CommandLinePathKeepsInnerBlanks) {
    FakePlatform fake;
    QTemporaryDir dir;
    StartUp s;
    const QString appPath = dir.filePath("zn");

    ASSERT_TRUE(AppMain(appPath, QStringLiteral(" \"/quiz data/my set.znd\" "), s.windows()));
    EXPECT_EQ(G().CurrentFile, QStringLiteral("/quiz data/my set.znd"));
    EXPECT_EQ(s.mainShown, 1);

    for (const QString& blankish : {QStringLiteral("   "), QStringLiteral("\"\""), QString()}) {
        StartUp t;
        ASSERT_TRUE(AppMain(appPath, blankish, t.windows()));
        EXPECT_TRUE(G().CurrentFile.isEmpty());
        EXPECT_EQ(t.openingShown, 1);
        EXPECT_EQ(t.mainShown, 0);
    }
}

TEST(AppMain, SecondCopyIsRefusedBeforeAnythingElse) {
    FakePlatform fake;
    fake.singleInstance = false;
    G().CurrentFile = QStringLiteral("untouched");
    StartUp s;
    EXPECT_FALSE(AppMain(QStringLiteral("/opt/zn/zn"), QStringLiteral("a.znd"), s.windows()));
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_EQ(fake.messages[0].text, QStringLiteral("多重起動不可"));
    EXPECT_EQ(s.mainShown + s.openingShown, 0);
    EXPECT_EQ(G().CurrentFile, QStringLiteral("untouched"));
}

TEST(AppMain, SettingsFileMovesToTheUserFolderWhenTheProgramFolderIsReadOnly) {
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/");
    EXPECT_EQ(ChooseIniPath(folder), folder + QStringLiteral("ZN.INI"));

    const QString missing = dir.filePath("no/such/folder/");
    const QString chosen = ChooseIniPath(missing);
    QStandardPaths::setTestModeEnabled(false);
    EXPECT_FALSE(chosen.startsWith(missing));
    EXPECT_TRUE(chosen.endsWith(QStringLiteral("ZN.INI")));
    // The fallback folder exists, so the settings file can be written there.
    EXPECT_TRUE(QFileInfo(QFileInfo(chosen).absolutePath()).isDir());
}

TEST(RegisteredOwnerName, TrimmedAndCutToTheBuffer) {
    FakePlatform fake;
    fake.ownerName = QStringLiteral("  Quiz Owner ") + QChar(0) + QStringLiteral("junk");
    EXPECT_EQ(RegisteredOwnerName(), QStringLiteral("Quiz Owner"));

    fake.ownerName = QString(255, QChar(u'x'));
    EXPECT_EQ(RegisteredOwnerName(), fake.ownerName);

    // 200 double-byte characters: only 127 whole ones fit in 255 bytes.
    fake.ownerName = QString(200, QChar(u'名'));
    const QString cut = RegisteredOwnerName();
    EXPECT_EQ(cut, QString(127, QChar(u'名')));
    EXPECT_LE(SjisBytes(cut).size(), 255);

    fake.ownerName.clear();
    EXPECT_EQ(RegisteredOwnerName(), QString());
}
