#include "core/UserFolders.h"

#include "core/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

// One line per kind of file, "kind=folder", UTF-8; the file is a few hundred bytes at most.
constexpr qint64 FolderFileLimit = 64 * 1024;

QString FolderFile(const QString& userFolder) {
    return QDir(userFolder).filePath(QStringLiteral("ZNDIR.INI"));
}

// Question files are read and saved through two dialogs but are one kind of file.
QString KindOf(int type) {
    switch (type) {
    case 0:
    case 3:
        return QStringLiteral("questions");
    case 1:
        return QStringLiteral("printdata");
    case 2:
        return QStringLiteral("pictures");
    default:
        return QStringLiteral("logs");
    }
}

QList<std::pair<QString, QString>> ReadFolders(const QString& userFolder) {
    QList<std::pair<QString, QString>> entries;
    const QString path = FolderFile(userFolder);
    if (!IsRegularFile(path)) return entries;
    QFile file(path);
    if (file.size() > FolderFileLimit || !file.open(QIODevice::ReadOnly)) return entries;
    for (const QByteArray& line : file.read(FolderFileLimit).split('\n')) {
        const QString text = QString::fromUtf8(line).remove(QLatin1Char('\r'));
        const qsizetype equals = text.indexOf(QLatin1Char('='));
        if (equals > 0) entries.append({text.left(equals), text.mid(equals + 1)});
    }
    return entries;
}

} // namespace

QString InstalledMarkerName() {
    return QStringLiteral("zn.installed");
}

bool IsInstalledCopy(const QString& appFolder) {
    return IsRegularFile(appFolder + InstalledMarkerName());
}

bool IsWritableFolder(const QString& folder) {
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("zn_write_probe_XXXXXX")));
    return probe.open();
}

QString PerUserFolder(const QString& appFolder, const QString& configFolder) {
    if (configFolder.isEmpty()) return QString();
    if (IsInstalledCopy(appFolder) || !IsWritableFolder(appFolder)) return configFolder;
    return QString();
}

QString DialogStartFolder(int type, const QString& appFolder, const QString& userFolder) {
    if (userFolder.isEmpty()) return appFolder;
    const QString kind = KindOf(type);
    for (const auto& [key, folder] : ReadFolders(userFolder))
        if (key == kind && !folder.isEmpty() && QFileInfo(folder).isDir()) return folder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

bool RememberDialogFolder(int type, const QString& chosenFile, const QString& userFolder) {
    if (userFolder.isEmpty() || chosenFile.isEmpty()) return true;
    const QString kind = KindOf(type);
    const QString folder = QDir::toNativeSeparators(QFileInfo(chosenFile).absolutePath());
    // A folder whose name holds a line break cannot be written as one line; it is not kept.
    if (folder.contains(QLatin1Char('\n')) || folder.contains(QLatin1Char('\r'))) return true;
    QList<std::pair<QString, QString>> entries = ReadFolders(userFolder);
    bool found = false;
    for (auto& entry : entries)
        if (entry.first == kind) {
            if (entry.second == folder) return true;
            entry.second = folder;
            found = true;
        }
    if (!found) entries.append({kind, folder});
    QByteArray bytes;
    for (const auto& [key, value] : entries)
        bytes += (key + QLatin1Char('=') + value).toUtf8() + '\n';
    QDir().mkpath(userFolder);
    return WriteFileAtomically(FolderFile(userFolder), bytes);
}
