#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QSocketNotifier;

// Tells when a device node has input waiting, so the controller reader sleeps while nobody
// presses anything. The node is opened a second time for this alone: the kernel hands every
// event to every reader of the node, so SDL's own reading is not disturbed. Unix only; elsewhere
// open() fails and the reader polls instead.
class DeviceWake : public QObject {
    Q_OBJECT
public:
    explicit DeviceWake(QObject* parent = nullptr);
    ~DeviceWake() override;

    // False unless `path` is a character device (or a FIFO standing in for one) that can be read.
    bool open(const QString& path);
    bool isOpen() const { return fd_ >= 0; }

signals:
    // Input arrived; what this descriptor read is already thrown away.
    void readable();
    // The node failed or went away (unplugged); the descriptor is closed.
    void lost();

private:
    void drain();
    void close();

    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};
