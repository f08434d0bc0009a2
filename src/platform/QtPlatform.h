#pragma once

#include "platform/Platform.h"

// The real platform services on Qt.
class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

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
    quint32 randomSeed() override;
    void moveCursor(const QPoint& screenPos) override;
    QString fileVersion(const QString& path) override;
    void askFileVersion(const QString& path, QObject* context,
                        std::function<void(const QString&)> done) override;
    std::unique_ptr<QPrinter> createPrinter(QWidget* owner) override;
    VolumeInfo volumeInfo(const QString& path) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
