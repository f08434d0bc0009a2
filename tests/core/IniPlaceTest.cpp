#include "core/AppMain.h"
#include "data/DataFiles.h"

// Settings shipped beside a read-only program seed the per-user ZN.INI once; after that the
// per-user file counts.
TEST(IniPlace, ShippedSettingsSeedThePerUserFileOnce) {
    QTemporaryDir program, config;
    const QString appFolder = program.path() + QStringLiteral("/");
    const QByteArray shipped = "OFF5OFF4OFFOFFOFFO\r\n\r\nClub A\r\n", changed = "ON 3ON 2ON X\r\n";
    writeBytes(appFolder + QStringLiteral("ZN.INI"), shipped);
    const QString user = UserIniPath(appFolder, config.path());
    EXPECT_TRUE(user.startsWith(config.path()) && readBytes(user) == shipped);
    writeBytes(user, changed);
    EXPECT_EQ(UserIniPath(appFolder, config.path()), user);
    EXPECT_EQ(readBytes(user), changed);
}
