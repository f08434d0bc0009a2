// artwork: draws every picture, synthesises every sound and builds the sample question file.
//
//   artwork <resources folder>          everything, into pictures/, sounds/, cursors/, icons/
//                                       (icons/hicolor/ holds the desktop icons);
//                                       also samples/sample.znd when ../samples/sample.txt exists
//   artwork --znd <text file> <znd file> the question file only
//
// The output depends only on this code and the Qt version, so running it again reproduces the
// committed files byte for byte.
#include "Art.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

namespace {

bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool WritePng(const QString& path, const QImage& image) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

int WriteAll(const QString& folder) {
    const QDir dir(folder);
    for (const char* sub : {"pictures", "sounds", "cursors", "icons"})
        dir.mkpath(QLatin1String(sub));
    bool ok = true;
    ok &= WritePng(dir.filePath("pictures/background.png"), DrawBackground());
    ok &= WritePng(dir.filePath("pictures/sprites.png"), DrawSpriteSheet());
    ok &= WritePng(dir.filePath("pictures/mark.png"), DrawMark());
    ok &= WritePng(dir.filePath("pictures/logo.png"), DrawLogo());
    ok &= WritePng(dir.filePath("pictures/seal.png"), DrawSeal(64, qRgb(255, 255, 255)));
    ok &= WritePng(dir.filePath("cursors/8.png"), DrawHandCursor(false));
    ok &= WritePng(dir.filePath("cursors/9.png"), DrawHandCursor(true));
    ok &= WritePng(dir.filePath("icons/zn.png"), DrawProgramIcon(32));
    ok &= WritePng(dir.filePath("icons/editor.png"), DrawEditorIcon(32));
    // Desktop menu and file manager icons, one size per folder of the icon theme.
    for (int size : DesktopIconSizes) {
        const QString folder = QStringLiteral("icons/hicolor/%1x%1/").arg(size);
        dir.mkpath(folder + "apps");
        dir.mkpath(folder + "mimetypes");
        ok &= WritePng(dir.filePath(folder + "apps/" + DesktopId + ".png"), DrawProgramIcon(size));
        ok &= WritePng(dir.filePath(folder + "mimetypes/" + QuestionFileIcon + ".png"),
                       DrawEditorIcon(size));
    }
    for (int id = 11; id <= 15; ++id)
        ok &=
            WriteBytes(dir.filePath(QStringLiteral("sounds/%1.wav").arg(id)), SynthesiseSound(id));
    const QString text = dir.filePath("../samples/sample.txt");
    if (QFile::exists(text)) {
        const QString problem = WriteQuestionFile(text, dir.filePath("../samples/sample.znd"));
        if (!problem.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(problem));
            ok = false;
        }
    }
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    // Nothing is shown, so no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("--znd")) {
        const QString problem = WriteQuestionFile(args[2], args[3]);
        if (!problem.isEmpty()) std::fprintf(stderr, "%s\n", qPrintable(problem));
        return problem.isEmpty() ? 0 : 1;
    }
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: artwork <resources folder> | artwork --znd <text> <znd>\n");
        return 2;
    }
    return WriteAll(args[1]);
}
