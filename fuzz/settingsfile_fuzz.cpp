// Any bytes as ZN.INI: loading, the dialog's reading and repair, and the rewrites never crash,
// and the bytes after the lines they change are kept.
#include "FuzzFiles.h"

#include "data/SettingsFile.h"

#include <QFile>

#include <cstdlib>

namespace {
QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    QString path = WriteFuzzFile("ZN.INI", data, size);

    SettingsRecord record;
    const LoadSettingsResult loaded = LoadSettings(path, record);
    if (!loaded.ok) std::abort();
    // The record is written in place: whatever followed it is still there.
    const QByteArray afterLoad = readAll(path);
    if (size > 20 && afterLoad.mid(20) != input.mid(20)) std::abort();

    DialogSettings dialog;
    if (!ReadSettingsForDialog(path, record, dialog)) std::abort();
    if (dialog.members.size() > MemberLimit) std::abort();

    if (!RewriteBackgroundLine(path, QStringLiteral("/pictures/wall.png"))) {
        // Only a file without any line end in the part that is read may refuse.
        if (readAll(path).contains("\r\n")) std::abort();
    }
    MemberList members = dialog.members;
    AppendMembers(path, members, {QStringLiteral("Taro"), QStringLiteral("花子")});
    if (members.size() > MemberLimit) std::abort();

    path = WriteFuzzFile("ZN.INI", data, size);
    if (!DeleteAllMembers(path, record, members, QStringLiteral("/p.png")) || !members.isEmpty())
        std::abort();
    return 0;
}
