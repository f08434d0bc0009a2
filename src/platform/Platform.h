#pragma once

#include "platform/MessageKinds.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QObject;
class QWidget;
class QPrinter;

// One description/pattern pair of an open or save dialog, e.g. {"ZN問題ﾌｧｲﾙ (*.znd)", "*.znd"}.
// Patterns may be ";"-separated ("*.bmp;*.gif").
struct FileFilter {
    QString description;
    QString pattern;
};

// Where a folder lives, as far as the version window needs to know.
struct VolumeInfo {
    QString rootPath;
    QString fileSystemType;
};

// Everything the program needs from the operating system goes through this interface, so that
// every window can be driven headless by tests (tests/support/FakePlatform) and the real
// services (QtPlatform) can differ per operating system.
class Platform {
public:
    virtual ~Platform() = default;

    // Modal message box over `owner`. kind: MessageKind (any other value behaves as MsgPlain).
    // Returns AnswerOk, AnswerYes or AnswerNo.
    virtual int messageBox(QWidget* owner, int kind, const QString& title, const QString& text) = 0;

    // Standard open dialog: the chosen file must exist. Returns the full path, or empty on cancel.
    virtual QString openFileName(QWidget* owner, const QString& title,
                                 const QList<FileFilter>& filters,
                                 const QString& initialFolder) = 0;
    // Standard save dialog: asks before overwriting an existing file. Empty on cancel.
    virtual QString saveFileName(QWidget* owner, const QString& title,
                                 const QList<FileFilter>& filters,
                                 const QString& initialFolder) = 0;

    // Plays a complete RIFF WAVE image. Starting a sound stops the one still playing.
    // synchronous: returns only when the sound has ended. resourceId names the sound (11-15) for
    // whoever listens; a missing audio device is silent, never an error.
    virtual void playSound(int resourceId, const QByteArray& wave, bool synchronous) = 0;

    // Shows the help document (HTML) at `helpFile` in the help viewer.
    virtual void showHelp(QWidget* owner, const QString& helpFile) = 0;

    // Starts `program` and waits until it ends while window events keep flowing (no busy polling).
    // Returns false when the program could not be started.
    virtual bool runAndWait(const QString& program, const QStringList& arguments) = 0;

    // Opens an address in the user's browser.
    virtual bool openUrl(const QString& url) = 0;

    // Name of the registered owner of the computer (login's full name off Windows); may be empty.
    virtual QString registeredOwnerName() = 0;

    // Free bytes on the drive/volume holding `path`; -1 when unknown.
    virtual qint64 freeBytes(const QString& path) = 0;

    // True when this is the only running copy of the program (the lock is held until exit).
    virtual bool acquireSingleInstance() = 0;

    // Current time, UTC, with milliseconds (buzz lags, random seeds, the version window's date).
    virtual QDateTime utcNow() = 0;
    // Seed for the random generator (from the clock in the real platform).
    virtual quint32 randomSeed() = 0;

    // Moves the mouse pointer to a screen position.
    virtual void moveCursor(const QPoint& screenPos) = 0;

    // File version "major.minor" of an executable; empty when it carries none.
    virtual QString fileVersion(const QString& path) = 0;
    // The same without waiting: `done` is called once with the version (perhaps at once),
    // unless `context` is destroyed first; a program asked for it is then ended.
    virtual void askFileVersion(const QString& path, QObject* context,
                                std::function<void(const QString&)> done) {
        Q_UNUSED(context);
        done(fileVersion(path));
    }

    // A printer set to A4 portrait at 600 dpi; with no printer installed, one printing to a PDF
    // file chosen by the user. nullptr when the user cancelled.
    virtual std::unique_ptr<QPrinter> createPrinter(QWidget* owner) = 0;

    // The volume holding `path`: its mount point or drive root ("/", "C:/") and its file-system
    // type ("ext4", "nfs4", "cifs", "NTFS"); both empty when unknown.
    virtual VolumeInfo volumeInfo(const QString& path) = 0;
};

// The platform in use. QtPlatform is installed by the program's main(); tests install a fake.
Platform& platform();
// Replaces the platform (not owned); returns the previous one.
Platform* setPlatform(Platform* replacement);
