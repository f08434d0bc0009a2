#include "core/UserFolders.h"
#include "core/FileDialog.h"
#include "support/TestKit.h"

// An installed copy (marker beside it) keeps its settings per user even when its folder is
// writable, as it is for root; a portable copy does so only when its folder is read-only.
TEST(UserFolders, InstalledOrReadOnlyCopiesKeepSettingsPerUser) {
    QTemporaryDir program, config;
    const QString app = program.path() + QStringLiteral("/");
    const QString user = config.path();
    EXPECT_EQ(PerUserFolder(app, user), QString());
    EXPECT_EQ(PerUserFolder(app + QStringLiteral("no/such/"), user), user);
    writeBytes(app + InstalledMarkerName(), "installed\n");
    EXPECT_EQ(PerUserFolder(app, user), user);
    EXPECT_EQ(PerUserFolder(app, QString()), QString()); // nowhere else to go
    // A folder named like the marker is no marker.
    QFile::remove(app + InstalledMarkerName());
    QDir(app).mkdir(InstalledMarkerName());
    EXPECT_EQ(PerUserFolder(app, user), QString());
}

// Kept per user, each kind of file starts in the folder last used for it, else in the
// documents folder, else at home; beside the program, always in the program folder.
TEST(UserFolders, DialogsStartWhereTheUserLastWorkedOnThatKind) {
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir work;
    const QString app = work.filePath("program/"), user = work.filePath("config");
    const QString questions = work.filePath("my questions"), logs = work.filePath("logs");
    QDir().mkpath(questions);
    QDir().mkpath(logs);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString fallback = QFileInfo(documents).isDir() ? documents : QDir::homePath();

    EXPECT_EQ(DialogStartFolder(0, app, QString()), app);
    for (int type = 0; type <= 4; ++type)
        EXPECT_EQ(DialogStartFolder(type, app, user), fallback) << type;
    EXPECT_TRUE(RememberDialogFolder(3, questions + "/new.znd", user));
    EXPECT_TRUE(RememberDialogFolder(4, logs + "/run.csv", user));
    // type: the folder it starts in. Reading and saving questions share one folder.
    const std::pair<int, QString> cases[] = {
        {0, questions}, {3, questions}, {4, logs}, {1, fallback}, {2, fallback}};
    for (const auto& [type, folder] : cases)
        EXPECT_EQ(QDir(DialogStartFolder(type, app, user)), QDir(folder)) << type;
    // Changing one kind keeps the others; a folder gone since falls back.
    EXPECT_TRUE(RememberDialogFolder(0, logs + "/q.znd", user));
    EXPECT_EQ(QDir(DialogStartFolder(3, app, user)), QDir(logs));
    QDir(questions).removeRecursively();
    EXPECT_TRUE(RememberDialogFolder(4, questions + "/x.csv", user));
    EXPECT_EQ(DialogStartFolder(4, app, user), fallback);
    EXPECT_EQ(QDir(DialogStartFolder(0, app, user)), QDir(logs));
    // Nothing is written for a copy that keeps its settings beside itself.
    EXPECT_TRUE(RememberDialogFolder(0, logs + "/q.znd", QString()));
    EXPECT_FALSE(QFileInfo::exists(app));
    QStandardPaths::setTestModeEnabled(false);
}

// Through FileDialog: the folder of a chosen file is where the next dialog of that kind starts.
TEST(UserFolders, FileDialogRemembersTheChosenFolder) {
    FakePlatform fake;
    QTemporaryDir work;
    AppGlobals& g = G();
    g.AppFolder = work.filePath("program/");
    g.UserFolder = work.filePath("config");
    const QString folder = work.filePath("data");
    QDir().mkpath(folder);
    writeBytes(folder + "/q.znd", QByteArray(351, 'x'));
    fake.dialogAnswers << folder + "/q.znd" << QString();
    FileDialog(nullptr, 0);
    EXPECT_EQ(g.CurrentFile, folder + "/q.znd");
    FileDialog(nullptr, 3);
    ASSERT_EQ(fake.dialogs.size(), 2);
    EXPECT_NE(QDir(fake.dialogs[0].initialFolder), QDir(folder));
    EXPECT_EQ(QDir(fake.dialogs[1].initialFolder), QDir(folder));
    g.UserFolder.clear();
}
