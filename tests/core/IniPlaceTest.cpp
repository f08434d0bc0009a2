#include "core/AppMain.h"
#include "support/TestKit.h"

// A read-only program folder moves ZN.INI to the user's folder. Settings shipped beside the
// program seed that file once; after that the per-user file counts.
TEST(IniPlace, ReadOnlyProgramFolderMovesAndSeedsThePerUserFile) {
    QTemporaryDir program, config;
    const QString appFolder = program.path() + QStringLiteral("/");
    EXPECT_EQ(ChooseIniPath(appFolder), appFolder + QStringLiteral("ZN.INI"));
    QStandardPaths::setTestModeEnabled(true);
    const QString missing = program.filePath(QStringLiteral("no/such/folder/"));
    const QString chosen = ChooseIniPath(missing);
    QStandardPaths::setTestModeEnabled(false);
    EXPECT_FALSE(chosen.startsWith(missing));
    EXPECT_TRUE(chosen.endsWith(QStringLiteral("/ZN.INI")));
    EXPECT_TRUE(QFileInfo(QFileInfo(chosen).absolutePath()).isDir());

    const QByteArray shipped = "OFF5OFF4OFFOFFOFFO\r\n\r\nClub A\r\n", changed = "ON 3ON 2ON X\r\n";
    writeBytes(appFolder + QStringLiteral("ZN.INI"), shipped);
    const QString user = UserIniPath(appFolder, config.path());
    EXPECT_TRUE(user.startsWith(config.path()));
    EXPECT_EQ(readBytes(user), shipped);
    writeBytes(user, changed);
    EXPECT_EQ(UserIniPath(appFolder, config.path()), user);
    EXPECT_EQ(readBytes(user), changed);
}
