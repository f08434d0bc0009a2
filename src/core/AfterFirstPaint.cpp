#include "core/AfterFirstPaint.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

// Watches the window and all its children: a main window's first paint is its central widget's.
class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QWidget* window, std::function<void()> action, int limitMs)
        : QObject(window), window_(window), action_(std::move(action)) {
        watch(window);
        QTimer::singleShot(limitMs, this, &FirstPaintWatch::fire);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Queued, so the action runs after the paint has reached the screen.
        if (event->type() == QEvent::Paint && !queued_) {
            queued_ = true;
            QTimer::singleShot(0, this, &FirstPaintWatch::fire);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void watch(QWidget* widget) {
        widget->installEventFilter(this);
        for (QWidget* child : widget->findChildren<QWidget*>())
            child->installEventFilter(this);
    }

    void fire() {
        if (done_) return;
        done_ = true;
        const std::function<void()> action = std::move(action_);
        deleteLater();
        if (window_ && action) action();
    }

    QPointer<QWidget> window_;
    std::function<void()> action_;
    bool queued_ = false;
    bool done_ = false;
};

} // namespace

void AfterFirstPaint(QWidget* window, std::function<void()> action, int limitMs) {
    if (!window) return;
    new FirstPaintWatch(window, std::move(action), limitMs);
}
