#pragma once

#include "platform/Platform.h"

#include <QDateTime>
#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

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
    QStringList freeBytesAsked; // paths whose free space was asked

    QList<int> soundIds() const;
    void clear(); // forgets all records (not the scripts)

    // --- Platform ------------------------------------------------------------------------
    int messageBox(QWidget* owner, int kind, const QString& title, const QString& text) override;
    QString openFileName(QWidget*, const QString& title, const QList<FileFilter>& filters,
                         const QString& initialFolder) override {
        return dialog(false, title, filters, initialFolder);
    }
    QString saveFileName(QWidget*, const QString& title, const QList<FileFilter>& filters,
                         const QString& initialFolder) override {
        return dialog(true, title, filters, initialFolder);
    }
    void playSound(int id, const QByteArray& wave, bool synchronous) override {
        sounds.append(Sound{id, synchronous, int(wave.size())});
    }
    void showHelp(QWidget*, const QString& helpFile) override { helpShown.append(helpFile); }
    bool runAndWait(const QString& program, const QStringList& arguments) override;
    bool openUrl(const QString& url) override { return urlsOpened.append(url), true; }
    QString registeredOwnerName() override { return ownerName; }
    qint64 freeBytes(const QString& path) override {
        return freeBytesAsked.append(path), freeBytesAnswer;
    }
    bool acquireSingleInstance() override { return singleInstance; }
    QDateTime utcNow() override { return std::exchange(now, now.addMSecs(clockStepMs)); }
    double monotonicMs() override { return std::exchange(monotonic, monotonic + monotonicStepMs); }
    quint32 randomSeed() override { return seed; }
    void moveCursor(const QPoint&) override {}
    QString fileVersion(const QString&) override { return QString(); }
    std::unique_ptr<QPrinter> createPrinter(QWidget* owner) override;
    VolumeInfo volumeInfo(const QString&) override { return volumeAnswer; }

private:
    QString dialog(bool save, const QString& title, const QList<FileFilter>& filters,
                   const QString& initialFolder);
    Platform* previous_ = nullptr;
};
