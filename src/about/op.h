#pragma once

#include "about/OpeningScene.h"

#include <QMargins>
#include <QTimer>
#include <QWidget>

#include <functional>

class QEventLoop;
class QScreen;

// The opening screen "Opening": loads the main window hidden, plays the animation of
// OpeningScene at 40 ms per tick and hands over to the main window when it ends, on any key,
// or when the window manager closes it.
class op : public QWidget {
    Q_OBJECT
public:
    explicit op(QWidget* parent = nullptr);
    ~op() override;

    void Form_Load();
    void TT_Timer();
    void Form_KeyDown(int key);
    // The hand-over: timer off, images released, main window shown, instance cleared. Runs once.
    void Form_Unload();

    OpeningScene scene;
    QTimer TT;
    // Loads the main window without showing it, and shows it; filled by whoever opens op.
    std::function<void()> loadMain;
    std::function<void()> showMain;
    // Tests drive ticks by hand: with this false the QTimer itself is never started.
    bool useRealTimer = true;

    bool timerEnabled() const { return timerEnabled_; }
    bool unloaded() const { return unloaded_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void unload();
    // Runs the event loop until the window has been painted once (or a second has passed).
    void waitForFirstPaint();

    bool loading_ = false;
    bool keyDuringLoad_ = false;
    bool timerEnabled_ = false;
    bool unloaded_ = false;
    bool painted_ = false;
    QEventLoop* firstPaint_ = nullptr;
};

// Moves `window` so that its frame is centred in the available area of `screen`; a window not
// shown yet is taken to have the frame `frame`.
void CentreOnScreen(QWidget* window, const QScreen* screen, QMargins frame = QMargins());
