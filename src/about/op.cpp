#include "about/op.h"

#include "core/AppGlobals.h"
#include "core/Resources.h"
#include "platform/Platform.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace {
// The 640 x 480 drawing seen through a tool-window frame.
constexpr int ClientWidth = 632, ClientHeight = 454;
constexpr int OuterWidth = 640, OuterHeight = 480;
constexpr int FirstPaintLimitMs = 1000;
} // namespace

void CentreOnScreen(QWidget* window, const QScreen* screen, QMargins frame) {
    if (!window || !screen) return;
    // Before its first showing a window's size comes from its layout, and its frame is not
    // known yet: `frame` is the estimate.
    window->ensurePolished();
    if (QLayout* layout = window->layout()) layout->activate();
    if (window->isVisible()) frame = QMargins();
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size().grownBy(frame);
    window->move(area.x() + (area.width() - size.width()) / 2,
                 area.y() + (area.height() - size.height()) / 2);
}

op::op(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(QStringLiteral("Opening"));
    setFixedSize(ClientWidth, ClientHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    TT.setTimerType(Qt::PreciseTimer);
    TT.setInterval(40);
    connect(&TT, &QTimer::timeout, this, &op::TT_Timer);
    G().op = this;
}

op::~op() {
    TT.stop();
    if (G().op == this) G().op = nullptr;
}

void op::Form_Load() {
    loading_ = true;
    setFont(scene.windowFont);
    if (const QScreen* s = QGuiApplication::primaryScreen()) {
        const QPoint centre = s->availableGeometry().center();
        move(centre.x() - OuterWidth / 2, centre.y() - OuterHeight / 2);
    }

    QImage icon(32, 32, QImage::Format_RGB32);
    icon.fill(Qt::black);
    {
        QPainter p(&icon);
        LoadIcon(1).paint(&p, icon.rect());
    }
    scene.TileIcon(icon);
    show();
    activateWindow();
    setFocus();
    // The pattern is on screen only once the window is mapped and painted; everything else,
    // the main window's artwork included, is prepared behind it. A key pressed meanwhile is
    // remembered below.
    waitForFirstPaint();

    if (loadMain) loadMain();
    const double seconds = platform().utcNow().toLocalTime().time().msecsSinceStartOfDay() / 1000.0;
    scene.Prepare(seconds, platform().randomSeed());
    update();

    loading_ = false;
    if (keyDuringLoad_ || unloaded_) {
        unload();
        return;
    }
    timerEnabled_ = true;
    if (useRealTimer) TT.start();
}

void op::waitForFirstPaint() {
    if (painted_) return;
    QEventLoop loop;
    firstPaint_ = &loop;
    // A window that is never exposed (minimised at once, no compositor) must not hold the
    // opening up.
    QTimer::singleShot(FirstPaintLimitMs, &loop, &QEventLoop::quit);
    loop.exec();
    firstPaint_ = nullptr;
}

void op::TT_Timer() {
    if (unloaded_) return;
    if (!scene.TT_Timer()) {
        unload();
        return;
    }
    update();
}

void op::Form_KeyDown(int) {
    if (loading_) {
        keyDuringLoad_ = true;
        return;
    }
    unload();
}

void op::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    timerEnabled_ = false;
    TT.stop();
    scene.Release();
    // The main window comes up in the middle of the screen the opening was on; its frame is
    // taken to be as wide as the opening's until it is known.
    QPointer<QWidget> main = G().ZN;
    const bool placing = main && !main->isVisible();
    const QRect outer = frameGeometry(), inner = geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    if (placing) CentreOnScreen(main, screen(), frame);
    if (showMain) showMain();
    if (placing && main && main->isVisible()) CentreOnScreen(main, screen());
    if (G().op == this) G().op = nullptr;
}

void op::unload() {
    Form_Unload();
    close();
}

void op::paintEvent(QPaintEvent* event) {
    {
        QPainter p(this);
        p.drawImage(event->rect(), scene.screen, event->rect());
    }
    painted_ = true;
    if (firstPaint_) firstPaint_->quit();
}

void op::keyPressEvent(QKeyEvent* event) {
    event->accept();
    Form_KeyDown(event->key());
}

void op::closeEvent(QCloseEvent* event) {
    // The window manager may offer a close command: it ends the opening like a key does. While
    // loading, the hand-over waits until the load is done.
    if (loading_) {
        keyDuringLoad_ = true;
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}
