#include "core/AppMain.h"

#include "core/AppGlobals.h"
#include "core/Paths.h"
#include "core/ResText.h"
#include "core/SafeFile.h"
#include "core/UserFolders.h"
#include "platform/Executable.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>

#include <cmath>

namespace {

// Screen twips per pixel (15 at 96 dpi); 15 when no screen can be asked.
void MeasureScreen(int& twipsX, int& twipsY) {
    twipsX = twipsY = 15;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const qreal dpiX = screen->logicalDotsPerInchX();
    const qreal dpiY = screen->logicalDotsPerInchY();
    if (dpiX > 0) twipsX = qMax(1, int(std::lround(1440.0 / dpiX)));
    if (dpiY > 0) twipsY = qMax(1, int(std::lround(1440.0 / dpiY)));
}

// The conversion tool's base name: the table's file name without a Windows extension.
QString ToolBaseName() {
    QString name = ResText(113);
    if (name.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive)) name.chop(4);
    return name;
}

} // namespace

QString ChooseIniPath(const QString& appFolder) {
    const QString userFolder = PerUserFolder(
        appFolder, QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    return userFolder.isEmpty() ? appFolder + ResText(112) : UserIniPath(appFolder, userFolder);
}

QString UserIniPath(const QString& appFolder, const QString& configFolder) {
    // A settings file this program writes is a few kilobytes; a larger one is read in place.
    constexpr qint64 CopyLimit = 4 * 1024 * 1024;
    const QString iniName = ResText(112);
    QDir().mkpath(configFolder);
    const QString user = QDir::toNativeSeparators(QDir(configFolder).filePath(iniName));
    const QString shipped = appFolder + iniName;
    if (QFileInfo::exists(user) || QFileInfo(user).isSymLink() || !IsRegularFile(shipped))
        return user;
    QFile source(shipped);
    if (source.size() <= CopyLimit && source.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = source.readAll();
        if (source.error() == QFileDevice::NoError && bytes.size() == source.size() &&
            WriteFileAtomically(user, bytes))
            return user;
    }
    return shipped;
}

bool AppMain(const QString& executablePath, const QString& commandLine, const AppWindows& windows) {
    AppGlobals& g = G();

    if (!platform().acquireSingleInstance()) {
        ResMsgBox(MsgWarning, TitleStartError, 70, 0);
        return false;
    }

    // The folder is the real program's, where its help file and tool are, even when it was
    // started through a link (an installed bin/zn). It keeps one trailing separator; a root
    // folder already has it.
    const QString realPath = QFileInfo(executablePath).canonicalFilePath();
    g.AppFolder = QDir::toNativeSeparators(
        QFileInfo(realPath.isEmpty() ? executablePath : realPath).absolutePath());
    if (PathKind(g.AppFolder) != 3 && !g.AppFolder.endsWith(QDir::separator()))
        g.AppFolder += QDir::separator();

    g.HelpPath = g.AppFolder + ResText(111);

    g.AppTitle = QStringLiteral("ZE Zir Uduzedu");
    g.VersionText = ResText(31, QString::number(VersionMajor)) + QString::number(VersionMinor);

    // An installed copy keeps everything per user; so does one whose folder is read-only.
    g.UserFolder = PerUserFolder(
        g.AppFolder, QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
    g.IniPath = g.UserFolder.isEmpty() ? g.AppFolder + ResText(112)
                                       : UserIniPath(g.AppFolder, g.UserFolder);
    g.ToolPath = g.AppFolder + ExecutableName(ToolBaseName());

    MeasureScreen(g.TwipsX, g.TwipsY);
    g.FontSmall = g.TwipsX * 9 / 15;
    g.FontNormal = g.TwipsX * 10 / 15;
    g.FontLarge = g.TwipsX * 12 / 15;
    g.MainWidth = g.TwipsX * 640;
    g.MainHeight = g.TwipsY * 480;

    // The whole command line is one path: quotes go, blanks inside stay.
    g.CurrentFile = TrimNul(commandLine).remove(QLatin1Char('"'));

    if (!g.CurrentFile.isEmpty()) {
        if (windows.showMain) windows.showMain();
    } else if (windows.showOpening) {
        windows.showOpening();
    }
    return true;
}
