#include "quiz/ZN.h"

#include "core/AppGlobals.h"
#include "core/Blit.h"
#include "core/Drawing.h"
#include "core/ResText.h"
#include "core/Resources.h"
#include "core/SafeFile.h"
#include "platform/Keys.h"
#include "platform/Platform.h"
#include "quiz/ExitButton.h"
#include "quiz/ZnBoard.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLayout>
#include <QPainter>

#include <algorithm>

namespace {
// The window's own colour, seen where a small background picture leaves the client area bare.
constexpr quint32 WindowColour = 0xC0C0C0;
constexpr int ClientWidth = 632, ClientHeight = 434;
} // namespace

ZN::ZN(QWidget* parent)
    // No close button: the window is left through its menu, the exit button or Esc only.
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint |
                              Qt::WindowMinimizeButtonHint) {
    drawing = QImage(ClientWidth, ClientHeight, QImage::Format_RGB32);
    drawing.fill(WinColor(WindowColour));
    background_ = drawing.copy();
    Kazu = QImage(200, 110, QImage::Format_RGB32);
    Kazu.fill(Qt::black);

    board_ = new ZnBoard(&drawing, this);
    board_->setFixedSize(ClientWidth, ClientHeight);
    board_->onMouseDown = [this](Qt::MouseButton b, QPoint p) { Form_MouseDown(b, p); };
    setCentralWidget(board_);
    exitBut_ = new ExitButton(board_);
    exitBut_->onMouseDown = [this] { Exit_But_MouseDown(); };
    exitBut_->onMouseUp = [this] { Exit_But_MouseUp(); };
    exitBut_->onClick = [this] { Exit_But_Click(); };
    buildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    Tim.setTimerType(Qt::PreciseTimer);
    connect(&Tim, &QTimer::timeout, this, &ZN::Tim_Timer);
    endProgram = [] { QCoreApplication::exit(0); };
    rules_.roster = &G().Roster;
    rules_.clock = [this] { return clockMs(); };
    settleKeys_.setSingleShot(true);
    settleKeys_.setInterval(0);
    connect(&settleKeys_, &QTimer::timeout, this, [this] { heldKeys_.settle(); });
    heldKeys_.keyDown = [this](int key) { Form_KeyDown(key); };
    heldKeys_.keyUp = [this](int key) { Form_KeyUp(key); };
    heldKeys_.isPlayerKey = [](int key) {
        const MatchRoster& roster = G().Roster;
        const int last = std::clamp(roster.lastPlayer, 0, int(roster.players.size()) - 1);
        for (int i = 0; roster.matchOn && i <= last; ++i)
            if (roster.players[i].keyCode == key) return true;
        return false;
    };
    qApp->installEventFilter(this);
    // Keys let go while another program has the keyboard are never seen here. Menus and dialogs
    // take the focus from this program only for a moment, so a short wait tells them apart.
    forgetKeys_.setSingleShot(true);
    forgetKeys_.setInterval(250);
    connect(&forgetKeys_, &QTimer::timeout, this, [this] {
        if (QGuiApplication::applicationState() != Qt::ApplicationActive) heldKeys_.forgetAll();
    });
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (s != Qt::ApplicationActive) forgetKeys_.start();
    });
    G().ZN = this;
}

ZN::~ZN() {
    qApp->removeEventFilter(this);
    Tim.stop();
    recordLastAnswer(false);
    rules_.removeObserver(&historyObserver_);
    questionFile_.close();
}

void ZN::Form_Load() {
    setWindowTitle(G().AppTitle);
    connectPads();
    fontSize_ = G().FontLarge;

    exitBut_->setGeometry(296, 378, 54, 32);
    exitBut_->setToolTip(ResText(73));
    exitBut_->setCursor(LoadCursor(8));

    platform().moveCursor(frameGeometry().topLeft());
    // Held buzzer keys: one press and one release from the window system where it can.
    RequestDetectableAutoRepeat();

    G().SkinDC = QImage(640, 480, QImage::Format_RGB32);
    G().SkinDC.fill(Qt::black);
    const QImage sprites = LoadPicture(QStringLiteral("sprites"));
    Blit(G().SkinDC, 0, 0, sprites, 0, 0, sprites.width(), sprites.height());

    builtInBackground_ = LoadPicture(QStringLiteral("background"));
    setBackgroundPicture(builtInBackground_);

    loaded_ = true;

    LoadSettings();
    tickSound_ = LoadSound(15);
    menu2[EditConvert]->setEnabled(!G().ToolPath.isEmpty() && IsRegularFile(G().ToolPath));
    drawText(ResText(72), 220, 115, false);
    refresh();
    board_->setFocus();
    OpenCommandLineFile();
}

void ZN::OpenCommandLineFile() {
    const QString file = G().CurrentFile;
    if (file.isEmpty()) return;
    if (!QFile::exists(file)) {
        ResMsgBox(this, MsgError, TitleReadError, TextFileMissing, TextReloadFile);
        return;
    }
    const qint64 length = QFileInfo(file).size();
    // A pipe or device reports no length that means anything; it is no question file.
    if (!IsRegularFile(file) || length % QuestionFormat::RecordLength != 0) {
        ResMsgBox(this, MsgError, TitleReadError, TextFileUnusable, TextReloadFile);
        return;
    }
    G().RecordCount = int(length / QuestionFormat::RecordLength);
    if (!OpenQuestionFile()) {
        ResMsgBox(this, MsgError, TitleReadError, TextFileNotRead, TextReloadFile);
        return;
    }
    menu1_Click(FileStart);
}

void ZN::Form_Activate() {
    setTimerEnabled(st.running);
}

void ZN::Form_Deactivate() {
    setTimerEnabled(false);
    pressedButtons_.clear();
}

void ZN::Form_Resize() {
    if (isMinimized())
        setTimerEnabled(false);
    else
        setTimerEnabled(st.running);
}

void ZN::Form_Unload() {
    if (!loaded_) return;
    loaded_ = false;
    recordLastAnswer(false);
    G().SkinDC = QImage();
    if (st.fileOpen) questionFile_.close();
    st.fileOpen = false;
    setTimerEnabled(false);
    st.answerers.clear();
    st.questionOrder.clear();
    st.buzzPositions.clear();
    st.verdicts.clear();
    tickSound_.clear();
    buzzSound_.clear();
    stateSound_.clear();
    if (G().ZN == this) G().ZN = nullptr;
}

void ZN::Exit_But_Click() {
    recordLastAnswer(false);
    endProgram();
}

void ZN::Exit_But_MouseDown() {
    DrawIndicator(134, 0);
}

void ZN::Exit_But_MouseUp() {
    DrawIndicator(80, 0);
}

void ZN::Tim_Timer() {
    rules_.tick();
}

// --- Qt events, forwarded to the handlers ---------------------------------------------------

void ZN::keyPressEvent(QKeyEvent* event) {
    event->accept();
    feedKey(event, true, hasKeyboard() ? HeldKeys::Owner::Quiz : HeldKeys::Owner::Other);
}

void ZN::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
    feedKey(event, false, hasKeyboard() ? HeldKeys::Owner::Quiz : HeldKeys::Owner::Other);
}

bool ZN::hasKeyboard() const {
    // An open menu or dialog takes the keys even where an event still names this window.
    return !QApplication::activePopupWidget() && !QApplication::activeModalWidget();
}

void ZN::feedKey(QKeyEvent* event, bool press, HeldKeys::Owner owner) {
    // The code is fixed at the press: letting Shift go first must not change the key released.
    HeldKeys::Stroke stroke{PhysicalKey(event), VirtualKey(event), event->timestamp(),
                            IsAutoRepeat(event)};
    if (press) {
        if (stroke.key != 0) heldKeys_.press(stroke, owner);
    } else if (heldKeys_.release(stroke, owner)) {
        settleKeys_.start();
    }
}

// Keys held across menus, the judge pop-up and dialogs must be followed into those windows,
// which no event of this window sees: hence a filter on the whole application.
bool ZN::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() == this) return false; // keyPressEvent and keyReleaseEvent see it
    // A key event unhandled by a dialog's control is offered to its parents: count it once.
    auto* key = static_cast<QKeyEvent*>(event);
    const ForeignKey seen{key, type, key->key(), key->nativeScanCode(), key->timestamp()};
    const bool offeredOn = seen == lastForeignKey_ && lastForeignReceiver_ &&
                           widget != lastForeignReceiver_ &&
                           widget->isAncestorOf(lastForeignReceiver_);
    lastForeignKey_ = seen;
    lastForeignReceiver_ = widget;
    if (!offeredOn) feedKey(key, type == QEvent::KeyPress, HeldKeys::Owner::Other);
    return false;
}

void ZN::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            Form_Activate();
        else
            Form_Deactivate();
    } else if (event->type() == QEvent::WindowStateChange) {
        Form_Resize();
    }
}

void ZN::closeEvent(QCloseEvent* event) {
    if (allowClose_)
        event->accept();
    else
        event->ignore();
}

bool ZN::focusNextPrevChild(bool) {
    // Tab is a key like any other here (it may be a buzzer), never a focus move.
    return false;
}

// --- helpers --------------------------------------------------------------------------------

void ZN::setTimerEnabled(bool enabled) {
    timerEnabled_ = enabled;
    if (!useRealTimer) return;
    if (enabled && timerInterval_ > 0) {
        if (!Tim.isActive()) Tim.start(timerInterval_);
    } else {
        Tim.stop();
    }
}

void ZN::setTimerInterval(int ms) {
    // Re-arming an unchanged interval would only add drift to a running reveal.
    if (ms == timerInterval_) return;
    timerInterval_ = ms;
    if (!useRealTimer) return;
    if (ms <= 0) {
        Tim.stop();
        return;
    }
    Tim.setInterval(ms);
    if (timerEnabled_ && !Tim.isActive()) Tim.start();
}

void ZN::refresh(const QRect& area) {
    if (area.isNull())
        board_->update();
    else
        board_->update(area);
}

QFont ZN::windowFont() const {
    return AppFont(fontName_, fontSize_, fontBold_);
}

void ZN::drawText(const QString& text, int x, int y, bool emboss) {
    QPainter painter(&drawing);
    painter.setFont(windowFont());
    painter.setPen(foreColor_);
    DrawEmbossedText(painter, text, x, y, emboss);
    if (emboss) foreColor_ = Qt::black;
    refresh();
}
