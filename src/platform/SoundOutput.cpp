#include "platform/SoundOutput.h"

#include <QCoreApplication>
#include <QLibrary>

std::unique_ptr<SoundOutput> LoadSoundOutput() {
    // Only the program's own folder is searched: no other library of that name is taken.
    QLibrary module(QCoreApplication::applicationDirPath() + QStringLiteral("/zn_sound"));
    using Create = SoundOutput* (*)();
    const auto create = reinterpret_cast<Create>(module.resolve(CreateSoundOutputFunction));
    if (!create) {
        qWarning("zn: no sound: %s", qPrintable(module.errorString()));
        return nullptr;
    }
    return std::unique_ptr<SoundOutput>(create());
}
