#pragma once

#include "platform/Platform.h"

#include <QDateTime>
#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

#include <functional>

// A platform for tests: records every call and answers from scripted queues, so a test can drive
// a whole window and check what the user would have seen and heard. Installs itself on
// construction and restores the previous platform on destruction.
class FakePlatform : public Platform {
public:
    struct Message {
        int kind;
        QString title;
        QString text;
    };
    struct Dialog {
        bool save;
        QString title;
        QList<FileFilter> filters;
        QString initialFolder;
    };
    struct Sound {
        int resourceId;
        bool synchronous;
        int bytes;
    };

    FakePlatform();
    ~FakePlatform() override;

    // --- scripts -------------------------------------------------------------------------
    // Answers for the next message boxes, in order; when empty: Yes for Yes/No boxes, else OK.
    QQueue<int> messageAnswers;
    // Paths returned by the next open/save dialogs, in order; when empty the dialog is cancelled.
    QQueue<QString> dialogAnswers;
    // Called (when set) inside messageBox / a dialog, e.g. to check window state at that moment.
    std::function<void(const Message&)> onMessage;
    // runAndWait result and a hook run "while the program runs".
    bool runSucceeds = true;
    std::function<void()> whileRunning;
    QString ownerName = QStringLiteral("Quiz Owner");
    qint64 freeBytesAnswer = 123456789;
    bool singleInstance = true;
    QDateTime now = QDateTime(QDate(2026, 12, 6), QTime(12, 0, 0, 0), Qt::UTC);
    // Advance `now` by this many ms on every utcNow() call (0 = frozen clock).
    int clockStepMs = 0;
    quint32 seed = 12345;
    // ZN's monotonic clock: read as `monotonic`, which then advances by `monotonicStepMs`.
    double monotonic = 0;
    double monotonicStepMs = 0;
    QString fileVersionAnswer;
    // Where createPrinter() prints (a PDF file); empty = cancelled.
    QString printerPdfPath;
    // What volumeInfo() answers for every path.
    VolumeInfo volumeAnswer{QStringLiteral("/"), QStringLiteral("ext4")};

    // --- records -------------------------------------------------------------------------
    QList<Message> messages;
    QList<Dialog> dialogs;
    QList<Sound> sounds;
    QStringList helpShown;
    QList<QStringList> programsRun; // program followed by its arguments
    QStringList urlsOpened;
    QList<QPoint> cursorMoves;
    QStringList freeBytesAsked; // paths whose free space was asked

    QList<int> soundIds() const;
    void clear(); // forgets all records (not the scripts)

    // --- Platform ------------------------------------------------------------------------
    int messageBox(QWidget* owner, int kind, const QString& title, const QString& text) override;
    QString openFileName(QWidget* owner, const QString& title, const QList<FileFilter>& filters,
                         const QString& initialFolder) override;
    QString saveFileName(QWidget* owner, const QString& title, const QList<FileFilter>& filters,
                         const QString& initialFolder) override;
    void playSound(int resourceId, const QByteArray& wave, bool synchronous) override;
    void showHelp(QWidget* owner, const QString& helpFile) override;
    bool runAndWait(const QString& program, const QStringList& arguments) override;
    bool openUrl(const QString& url) override;
    QString registeredOwnerName() override;
    qint64 freeBytes(const QString& path) override;
    bool acquireSingleInstance() override;
    QDateTime utcNow() override;
    double monotonicMs() override;
    quint32 randomSeed() override;
    void moveCursor(const QPoint& screenPos) override;
    QString fileVersion(const QString& path) override;
    std::unique_ptr<QPrinter> createPrinter(QWidget* owner) override;
    VolumeInfo volumeInfo(const QString& path) override;

private:
    QString dialog(bool save, const QString& title, const QList<FileFilter>& filters,
                   const QString& initialFolder);
    Platform* previous_ = nullptr;
};
