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
    // The record is written in place, always a usable one: whatever followed it is still there.
    const QByteArray afterLoad = readAll(path);
    if (afterLoad != record.toBytes() + input.mid(20)) std::abort();
    if (!record.speedLevel.at(0).isDigit() || !record.readPressChars.at(0).isDigit()) std::abort();

    DialogSettings dialog, again;
    if (!ReadSettingsForDialog(path, record, dialog)) std::abort();
    if (dialog.members.size() > MemberLimit) std::abort();
    // The dialog may only add a line end after line 0, and a second reading changes nothing more
    // (unless the record itself holds a line break: line 0 then ends inside it, and the line end
    // added after a bare record makes its tail a line 1 of its own).
    const QByteArray afterDialog = readAll(path);
    const qsizetype at = afterLoad.size() == 20 ? 20 : afterLoad.indexOf("\r\n") + 2;
    if (afterDialog != afterLoad && afterDialog != afterLoad.left(at) + "\r\n" + afterLoad.mid(at))
        std::abort();
    const bool lineEndInRecord = afterLoad.left(19).contains("\r\n");
    if (!ReadSettingsForDialog(path, record, again) ||
        (!lineEndInRecord && (readAll(path) != afterDialog || again.members != dialog.members)))
        std::abort();

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
