#include "core/AppMain.h"
#include "data/DataFiles.h"

#include <QDir>

#include <gtest/gtest.h>

// A program folder that cannot be written: the settings shipped there are read on the first
// start, as the per-user file; from then on the per-user file is the one that counts.
TEST(IniPlace, ShippedSettingsSeedThePerUserFileOnce) {
    QTemporaryDir program, config;
    const QString appFolder = program.path() + QStringLiteral("/");
    const QString configFolder = config.filePath(QStringLiteral("zn"));
    const QByteArray shipped = "OFF5OFF4OFFOFFOFFO\r\n\r\nClub A\r\nClub B\r\n";
    writeBytes(appFolder + QStringLiteral("ZN.INI"), shipped);

    const QString user = UserIniPath(appFolder, configFolder);
    EXPECT_EQ(user, QDir::toNativeSeparators(configFolder + QStringLiteral("/ZN.INI")));
    EXPECT_EQ(readBytes(user), shipped);

    const QByteArray changed = "ON 3ON 2ON ON ON X\r\n";
    writeBytes(user, changed);
    EXPECT_EQ(UserIniPath(appFolder, configFolder), user);
    EXPECT_EQ(readBytes(user), changed) << "the per-user file takes precedence";

    // Nothing shipped: the per-user file is made by the first load, as before.
    QTemporaryDir bare, bareConfig;
    const QString fresh = UserIniPath(bare.path() + QStringLiteral("/"), bareConfig.path());
    EXPECT_FALSE(QFileInfo::exists(fresh));
}
