#include "platform/QtPlatform.h"

#include "platform/DialogSupport.h"
#include "platform/HelpViewer.h"
#include "platform/InstanceLock.h"
#include "platform/ProgramVersion.h"
#include "platform/SoundOutput.h"

#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>

#include <QStorageInfo>
#include <QUrl>
#include <utility>

#ifdef Q_OS_WIN
#include <QSettings>
#include <qt_windows.h>
#include <string>
#include <vector>
#else
#include <pwd.h>
#include <unistd.h>
#endif

struct QtPlatform::Private {
    std::unique_ptr<SoundOutput> sound; // loaded with the first sound
    bool soundTried = false;
    std::unique_ptr<InstanceLock> instanceLock;
    QPointer<HelpViewer> help;
    quint32 seedCounter = 0;
};

QtPlatform::QtPlatform() : d(std::make_unique<Private>()) {}

QtPlatform::~QtPlatform() {
    if (d->help) d->help->close(); // deletes itself
}

int QtPlatform::messageBox(QWidget* owner, int kind, const QString& title, const QString& text) {
    const MessageBoxStyle style = MessageBoxStyleFor(kind);
    QMessageBox box(style.icon, title, text, style.buttons, owner);
    box.setDefaultButton(style.defaultButton);
    box.exec();
    return MessageAnswerFor(kind, box.standardButton(box.clickedButton()));
}

namespace {

QString runFileDialog(QWidget* owner, bool save, const QString& title,
                      const QList<FileFilter>& filters, const QString& initialFolder) {
    QFileDialog dialog(owner, title, initialFolder);
    const QStringList nameFilters = QtFilterList(filters);
    if (!nameFilters.isEmpty()) {
        dialog.setNameFilters(nameFilters);
        dialog.selectNameFilter(nameFilters.first());
    }
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(DefaultSuffixFor(filters));
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return AcceptedDialogPath(QDir::toNativeSeparators(dialog.selectedFiles().first()));
}

} // namespace

QString QtPlatform::openFileName(QWidget* owner, const QString& title,
                                 const QList<FileFilter>& filters, const QString& initialFolder) {
    return runFileDialog(owner, false, title, filters, initialFolder);
}

QString QtPlatform::saveFileName(QWidget* owner, const QString& title,
                                 const QList<FileFilter>& filters, const QString& initialFolder) {
    return runFileDialog(owner, true, title, filters, initialFolder);
}

void QtPlatform::playSound(int resourceId, const QByteArray& wave, bool synchronous) {
    if (!std::exchange(d->soundTried, true)) d->sound = LoadSoundOutput();
    if (d->sound) d->sound->play(resourceId, wave, synchronous);
}

void QtPlatform::showHelp(QWidget* owner, const QString& helpFile) {
    // One viewer, owned by the window that asked, so it closes with that window.
    QWidget* window = owner ? owner->window() : nullptr;
    if (!d->help || d->help->parentWidget() != window) {
        if (d->help) d->help->close();
        d->help = new HelpViewer(window);
        d->help->setAttribute(Qt::WA_DeleteOnClose);
    }
    d->help->load(helpFile);
    d->help->show();
    d->help->raise();
    d->help->activateWindow();
}

bool QtPlatform::runAndWait(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop,
                     [&loop](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) loop.quit();
                     });
    process.start(program, arguments);
    // A program that cannot start may already have said so inside start(); then there is
    // nothing to wait for.
    if (process.state() != QProcess::NotRunning) loop.exec();
    // A program that started and then crashed still ran.
    return process.error() != QProcess::FailedToStart;
}

bool QtPlatform::openUrl(const QString& url) {
    return QDesktopServices::openUrl(QUrl(url));
}

QString QtPlatform::registeredOwnerName() {
#ifdef Q_OS_WIN
    const QSettings key(
        QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"),
        QSettings::Registry64Format); // the machine's own view, also from a 32-bit build
    return key.value(QStringLiteral("RegisteredOwner")).toString();
#else
    if (const passwd* entry = getpwuid(getuid())) {
        // The full name is the first comma-separated field of the comment.
        const QString gecos = QString::fromLocal8Bit(entry->pw_gecos ? entry->pw_gecos : "");
        const QString fullName = gecos.section(QLatin1Char(','), 0, 0).trimmed();
        if (!fullName.isEmpty()) return fullName;
        if (entry->pw_name && *entry->pw_name) return QString::fromLocal8Bit(entry->pw_name);
    }
    return qEnvironmentVariable("USER");
#endif
}

qint64 QtPlatform::freeBytes(const QString& path) {
    const QStorageInfo storage(path);
    if (!storage.isValid() || !storage.isReady()) return -1;
    return storage.bytesAvailable();
}

bool QtPlatform::acquireSingleInstance() {
    if (!d->instanceLock)
        d->instanceLock = std::make_unique<InstanceLock>(InstanceLock::defaultPath());
    return d->instanceLock->acquire();
}

QDateTime QtPlatform::utcNow() {
    return QDateTime::currentDateTimeUtc();
}

quint32 QtPlatform::randomSeed() {
    // Milliseconds alone repeat when asked twice within one; a counter and a mixing step keep
    // close seeds apart.
    quint64 x = static_cast<quint64>(QDateTime::currentMSecsSinceEpoch()) +
                0x9E3779B97F4A7C15ull * ++d->seedCounter;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    x ^= x >> 31;
    return static_cast<quint32>(x ^ (x >> 32));
}

void QtPlatform::moveCursor(const QPoint& screenPos) {
    QCursor::setPos(screenPos);
}

QString QtPlatform::fileVersion(const QString& path) {
#ifdef Q_OS_WIN
    const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(name.c_str(), &ignored);
    if (size == 0) return QString();
    std::vector<char> data(size);
    if (!GetFileVersionInfoW(name.c_str(), 0, size, data.data())) return QString();
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
        length < sizeof(VS_FIXEDFILEINFO))
        return QString();
    return QStringLiteral("%1.%2")
        .arg(HIWORD(info->dwFileVersionMS))
        .arg(LOWORD(info->dwFileVersionMS));
#else
    return AskProgramVersion(path); // no version resource here: the tool tells its own
#endif
}

void QtPlatform::askFileVersion(const QString& path, QObject* context,
                                std::function<void(const QString&)> done) {
#ifdef Q_OS_WIN
    Q_UNUSED(context);
    done(fileVersion(path)); // read from the file, nothing to wait for
#else
    // Owned by the context: closing the window first ends the program asked.
    auto* query = new ProgramVersionQuery(path, 2000, context);
    QObject::connect(query, &ProgramVersionQuery::answered, context,
                     [query, done = std::move(done)](const QString& version) {
                         query->deleteLater();
                         done(version);
                     });
#endif
}

std::unique_ptr<QPrinter> QtPlatform::createPrinter(QWidget* owner) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // A folder that does not exist would be taken by the dialog as a file name.
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QFileInfo(folder).isDir()) folder = QDir::homePath();
        QString file;
        for (;;) {
            file = saveFileName(
                owner, QStringLiteral("PDFﾌｧｲﾙへ印刷"),
                {FileFilter{QStringLiteral("PDF (*.pdf)"), QStringLiteral("*.pdf")}}, folder);
            if (file.isEmpty()) return nullptr;
            if (QFileInfo(file).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0)
                break;
            // A name with another extension ("list.txt") gets ".pdf" only now: the dialog
            // asked about the name as typed, never about the file that will be replaced.
            file += QStringLiteral(".pdf");
            if (!QFileInfo::exists(file) ||
                messageBox(owner, MsgReplace, QStringLiteral("確認"),
                           QStringLiteral("「%1」は既に存在します。\r\n上書きしますか？")
                               .arg(QFileInfo(file).fileName())) == AnswerYes)
                break;
            folder = QFileInfo(file).absolutePath();
        }
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(file);
    }
    printer->setDocName(QStringLiteral("ZN"));
    printer->setResolution(600);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setFullPage(false);
    return printer;
}

VolumeInfo QtPlatform::volumeInfo(const QString& path) {
    const QStorageInfo storage(path);
    if (!storage.isValid()) return {};
    return {storage.rootPath(), QString::fromLatin1(storage.fileSystemType())};
}
