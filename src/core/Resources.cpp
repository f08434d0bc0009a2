#include "core/Resources.h"

#include <cstring>
#include <future>
#include <map>
#include <mutex>

#include <QFile>
#include <QPixmap>
#include <QSize>

namespace {

QSize PictureSize(const QString& name) {
    if (name == QLatin1String("background")) return {632, 434};
    if (name == QLatin1String("sprites")) return {353, 193};
    if (name == QLatin1String("mark")) return {220, 220};
    if (name == QLatin1String("logo")) return {260, 128};
    if (name == QLatin1String("seal")) return {64, 64};
    return {};
}

QImage BlackImage(QSize size) {
    if (size.isEmpty()) return {};
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

QImage DecodePicture(const QString& name) {
    const QSize size = PictureSize(name);
    QImage image(QStringLiteral(":/pictures/%1.png").arg(name));
    if (image.isNull()) return BlackImage(size);
    image = image.convertToFormat(QImage::Format_RGB32);
    // A picture replaced by hand with the wrong size would make the windows read outside it:
    // fit it into a black image of the size the drawing code relies on.
    if (!size.isEmpty() && image.size() != size) {
        QImage fitted = BlackImage(size);
        const int w = qMin(size.width(), image.width());
        const int h = qMin(size.height(), image.height());
        for (int y = 0; y < h; ++y)
            memcpy(fitted.scanLine(y), image.constScanLine(y), size_t(w) * 4);
        return fitted;
    }
    return image;
}

// Pictures being decoded ahead, each taken once by LoadPicture.
std::mutex prefetchLock;
std::map<QString, std::future<QImage>> prefetched;

} // namespace

void PrefetchPictures(const QStringList& names) {
    const std::lock_guard lock(prefetchLock);
    for (const QString& name : names)
        if (!prefetched.contains(name))
            prefetched.emplace(name, std::async(std::launch::async, DecodePicture, name));
}

QImage LoadPicture(const QString& name) {
    std::future<QImage> decoding;
    {
        const std::lock_guard lock(prefetchLock);
        if (auto found = prefetched.find(name); found != prefetched.end()) {
            decoding = std::move(found->second);
            prefetched.erase(found);
        }
    }
    return decoding.valid() ? decoding.get() : DecodePicture(name);
}

QByteArray LoadSound(int id) {
    QFile file(QStringLiteral(":/sounds/%1.wav").arg(id));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QCursor LoadCursor(int id) {
    const QPixmap pixmap(QStringLiteral(":/cursors/%1.png").arg(id));
    if (pixmap.isNull()) return QCursor(Qt::PointingHandCursor);
    // Both cursors are pointing hands whose fingertip is the hot spot.
    return QCursor(pixmap, 11, 1);
}

QIcon LoadIcon(int id) {
    switch (id) {
    case 1: {
        // Every size the desktop may ask for (title bar, task switcher, dock); files are only
        // decoded when a size is used.
        QIcon icon;
        for (int size : {16, 32, 48, 64, 128, 256})
            icon.addFile(
                QStringLiteral(":/icons/hicolor/%1x%1/apps/org.example.zn_quiz.png").arg(size),
                QSize(size, size));
        return icon;
    }
    case 5:
        return QIcon(QStringLiteral(":/icons/editor.png"));
    default:
        return {};
    }
}
