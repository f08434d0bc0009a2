#include "editor/Edit.h"

#include "core/AppGlobals.h"
#include "core/Drawing.h"
#include "core/RecordFormat.h"
#include "core/ResText.h"
#include "core/Resources.h"
#include "core/Sjis.h"
#include "editor/LimitedTextEdit.h"
#include "platform/HelpKey.h"
#include "platform/Keys.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

#include <cmath>

namespace {
constexpr int WindowWidth = 518;
constexpr int WindowHeight = 252;
constexpr int QuestionMaxChars = 216;
constexpr int AnswerMaxChars = 60;

// A pop-up (a menu, the genre list) takes the focus for a moment without the user moving
// between controls. A window activation does count: the control gets or loses the focus then.
bool IsUserFocusChange(QEvent* event) {
    return static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason;
}
} // namespace

Edit::Edit(QWidget* owner) : QDialog(owner) {
    buildControls();
    AddHelpKey(this, [] { return G().HelpPath; });
    Form_Load();
}

Edit::~Edit() = default;

// ------------------------------------------------------------------------------------------
// Window

void Edit::buildControls() {
    menuBar = new QMenuBar(this);
    memi = menuBar->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    const char16_t* captions[7] = {u"新規作成(&N)",   u"追加作成(&O)",         nullptr,
                                   u"上書き保存(&S)", u"名前を付けて保存(&A)", nullptr,
                                   u"Editの終了(&X)"};
    for (int i = 0; i < 7; ++i) {
        if (!captions[i]) {
            menu1[i] = memi->addSeparator();
            continue;
        }
        menu1[i] = memi->addAction(QString::fromUtf16(captions[i]));
        connect(menu1[i], &QAction::triggered, this, [this, i] { menu1_Click(i); });
    }

    canvas = new QWidget(this);
    canvas->installEventFilter(this);

    for (int i = 0; i < 2; ++i) {
        auto* box = new LimitedTextEdit(i == 0 ? QuestionMaxChars : AnswerMaxChars, canvas);
        // A paste or an input method's commit refused whole would otherwise look like nothing.
        connect(box, &LimitedTextEdit::refused, this, [this](int room) {
            msg->setText(ResText(TextInputTooLong, QString::number(room)));
        });
        QA[i] = box;
        QA[i]->setTabChangesFocus(true);
        QA[i]->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        QA[i]->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        QA[i]->installEventFilter(this);
    }
    jun = new QComboBox(canvas);
    jun->setEditable(true);
    jun->setInsertPolicy(QComboBox::NoInsert);
    jun->installEventFilter(this);
    jun->lineEdit()->installEventFilter(this);

    for (int i = 0; i < 4; ++i) {
        Command1[i] = new QPushButton(canvas);
        Command1[i]->installEventFilter(this);
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    for (int i = 0; i < 4; ++i) {
        Idou[i] = new QPushButton(canvas);
        connect(Idou[i], &QPushButton::clicked, this, [this, i] { Idou_Click(i); });
    }
    ban = new QLineEdit(canvas);
    ban->setMaxLength(4);
    // A record number is typed as plain digits; an input method would compose full-width ones
    // past the digit filter.
    ban->setAttribute(Qt::WA_InputMethodEnabled, false);
    ban->installEventFilter(this);

    for (int i = 0; i < 4; ++i)
        Label1[i] = new QLabel(canvas);
    msg = new QLabel(canvas);

    // Enter walks this chain: question, answer, genre, buttons, navigation, number.
    QList<QWidget*> order{QA[0], QA[1], jun};
    for (auto* b : Command1)
        order.append(b);
    for (auto* b : Idou)
        order.append(b);
    order.append(ban);
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void Edit::Form_Load() {
    G().Edit = this;
    setWindowTitle(QStringLiteral("ZN Editer"));
    setWindowIcon(LoadIcon(5));
    setFixedSize(WindowWidth, WindowHeight);
    const int menuHeight = menuBar->sizeHint().height();
    menuBar->setGeometry(0, 0, WindowWidth, menuHeight);
    canvas->setGeometry(0, menuHeight, WindowWidth, WindowHeight - menuHeight);
    paintBackground();

    const QFont font = AppFont(LoadResString(FontGothic), G().FontNormal);
    QList<QWidget*> controls{QA[0], QA[1], jun, ban, msg};
    for (int i = 0; i < 4; ++i)
        controls << Idou[i] << Command1[i] << Label1[i];
    for (QWidget* w : controls) {
        w->setEnabled(false);
        w->setFont(font);
    }

    QA[0]->setGeometry(12, 36, 485, 61);
    QA[1]->setGeometry(12, 120, 145, 45);
    jun->setGeometry(176, 120, 121, jun->sizeHint().height());
    ban->setGeometry(460, 8, 37, 19);
    for (int i = 0; i < 4; ++i)
        Idou[i]->setGeometry(312 + 32 * i, 8, 25, 21);
    const QPoint commandPlace[4] = {{340, 144}, {424, 144}, {424, 108}, {340, 108}};
    for (int i = 0; i < 4; ++i)
        Command1[i]->setGeometry(QRect(commandPlace[i], QSize(73, 25)));
    Command1[3]->setStyleSheet(
        QStringLiteral("QPushButton { background-color: rgb(255, 170, 170); }"));
    Command1[3]->hide();
    for (int i = 0; i < 4; ++i) {
        const QStringList place = LoadResString(142 + i).split(QLatin1Char(' '));
        Label1[i]->setGeometry(place.value(0).toInt(), place.value(1).toInt(),
                               place.value(2).toInt(), 13);
    }
    msg->setGeometry(12, 180, 485, 17);
    SetCaptions(140);
    SetCaptions(141);
    jun->clear();
    for (int id = 21; id <= 27; ++id)
        jun->addItem(LoadResString(id));
    jun->setCurrentIndex(-1);
    jun->setEditText(QString());
    msg->setEnabled(true);

    EditList = QStringList();
    for (int i = 0; i < ListSize; ++i)
        EditList.append(QString());
    EntryNo = 1;
    ModifyMode = false;
    SearchTerm.clear();
    SearchPos = 0;
    SavedFlag = false;
    PendingMsg.clear();
    ShownIndex = -1;
    keyPreview_ = false;
    ClearScreen();
    EditState = 0;
    menu1[3]->setEnabled(false);
    menu1[4]->setEnabled(false);
}

void Edit::paintBackground() {
    Surface = QImage(canvas->size(), QImage::Format_RGB32);
    Surface.fill(WinColor(0xC0C0C0));
    QPainter p(&Surface);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    if (!G().SkinDC.isNull()) {
        for (int y = 0; y <= 212; y += 106)
            for (int x = 0; x <= 424; x += 106)
                p.drawImage(QPoint(x, y), G().SkinDC, QRect(247, 0, 106, 106));
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    DrawEdgeBar(p, 0, Surface.width(), 0, 0);
}

bool Edit::Form_Unload() {
    if (EntryNo > 1 && !SavedFlag &&
        ResMsgBox(this, MsgYesNo, TitleQuitConfirm, TextDataNotSaved, 71) == AnswerNo)
        return false;
    if (G().Edit == this) G().Edit = nullptr;
    return true;
}

void Edit::closeEvent(QCloseEvent* event) {
    if (!Form_Unload()) {
        event->ignore();
        return;
    }
    event->accept();
    QDialog::done(QDialog::Rejected);
}

void Edit::reject() {
    // Every way of closing passes the unsaved-data question.
    close();
}

void Edit::keyPressEvent(QKeyEvent* event) {
    // Esc does not close the editor; only the menu and the title bar do, both asking first.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool Edit::isEditingBox(QObject* watched) const {
    return watched == QA[0] || watched == QA[1] || watched == ban || watched == jun ||
           watched == jun->lineEdit();
}

bool Edit::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == canvas) {
        if (type == QEvent::Paint) {
            QPainter p(canvas);
            p.drawImage(0, 0, Surface);
            return true;
        }
        return false;
    }
    if (type == QEvent::KeyPress && isEditingBox(watched)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (Form_KeyDown(VirtualKey(key), key->modifiers())) return true;
        if (watched == ban && !key->text().isEmpty() &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            // Only typed characters pass through the filter; Tab, Delete and the like do not.
            for (QChar c : key->text()) {
                const int code = c.unicode();
                if ((code >= 0x20 && code != 0x7F) || code == 8)
                    if (ban_KeyPress(code) == 0) return true;
            }
        }
        return false;
    }
    if (watched == ban && type == QEvent::MouseButtonPress && banClickFocus_) {
        // The click that gave the box the focus selects its number (done on getting the focus);
        // letting the press through would put the caret there instead, so typing would append.
        banClickFocus_ = false;
        return true;
    }
    if (type == QEvent::FocusIn && IsUserFocusChange(event)) {
        for (int i = 0; i < 2; ++i)
            if (watched == QA[i]) QA_GotFocus(i);
        for (int i = 0; i < 4; ++i)
            if (watched == Command1[i]) Command1_GotFocus(i);
        if (watched == ban) {
            banClickFocus_ = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
            ban_GotFocus();
        }
    } else if (type == QEvent::FocusOut && IsUserFocusChange(event)) {
        for (int i = 0; i < 2; ++i)
            if (watched == QA[i]) QA_LostFocus(i);
        if (watched == ban) {
            banClickFocus_ = false;
            ban_LostFocus();
        }
    }
    return false;
}

// ------------------------------------------------------------------------------------------
// Routines

QString Edit::NormalizeText(const QString& text) {
    QString t = text;
    // A pasted line break arrives as CR LF, LF or CR; none may stay, and nothing replaces it.
    t.remove(QStringLiteral("\r\n"));
    t.remove(QLatin1Char('\n'));
    t.remove(QLatin1Char('\r'));
    t.remove(QChar(0x2029));
    t.remove(QChar(0x2028));
    qsizetype b = 0, e = t.size();
    while (b < e && t[b] == QLatin1Char(' '))
        ++b;
    while (e > b && t[e - 1] == QLatin1Char(' '))
        --e;
    return t.mid(b, e - b);
}

QString Edit::CutToBytes(const QString& text, int limit) {
    // Cut the Unicode text rather than decoding the cut bytes, so characters the code page
    // lacks are still shown as typed (they become "?" only in the saved file).
    int width = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const qsizetype len = text[end].isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
        const QString ch = text.mid(end, len);
        const int w = ch == QStringLiteral(" ") ? 1 : int(SjisBytes(ch).size());
        if (width + w > limit) break;
        width += w;
        end += len;
    }
    return NormalizeText(text.left(end));
}

int Edit::MeasureText(const QString& text) {
    LastMeasured = NormalizeText(text);
    return SjisWidth(LastMeasured, 0);
}

void Edit::ClearScreen() {
    QA[0]->clear();
    QA[1]->clear();
    ban->setText(QString::number(EntryNo));
    UpdateNav();
}

void Edit::EnableEditing(bool on) {
    SavedFlag = !on;
    QList<QWidget*> controls{QA[0], QA[1], jun, ban};
    for (int i = 0; i < 4; ++i)
        controls << Idou[i] << Command1[i] << Label1[i];
    // The status line stays readable: it carries the message that explains the new state.
    keyPreview_ = on;
    // Dropping the focus first keeps it from hopping through controls as they are disabled.
    if (!on && focusWidget()) focusWidget()->clearFocus();
    for (QWidget* w : controls)
        w->setEnabled(on);
    menu1[3]->setEnabled(EditState == 2);
    menu1[4]->setEnabled(on);
    if (on) QA[0]->setFocus(Qt::OtherFocusReason);
}

int Edit::BanNumber() {
    const QString text = ban->text().trimmed();
    bool ok = false;
    double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v)) v = 1;
    v = std::trunc(v);
    if (v < 1) v = 1;
    if (v > EntryNo) v = EntryNo;
    const int n = int(v);
    if (ban->text() != QString::number(n)) ban->setText(QString::number(n));
    return n;
}

void Edit::UpdateNav() {
    const int n = BanNumber();
    Idou[0]->setEnabled(keyPreview_ && n > 1);
    Idou[1]->setEnabled(keyPreview_ && n > 1);
    Idou[2]->setEnabled(keyPreview_ && n < EntryNo);
    Idou[3]->setEnabled(keyPreview_ && n < EntryNo);
    if (n == EntryNo) {
        ModifyMode = false;
        ShownIndex = -1;
        if (QA[0]->toPlainText().isEmpty() && QA[1]->toPlainText().isEmpty()) {
            jun->setCurrentIndex(-1);
            jun->setEditText(QString());
            SearchTerm.clear();
            SearchPos = 0;
            SetCaptions(117);
        }
    }
}

void Edit::ShowRecord(const QString& recordText) {
    const QByteArray b = SjisBytes(recordText);
    QA[0]->setPlainText(SjisField(b, QuestionFormat::QuestionBytes, 0));
    QA[1]->setPlainText(
        SjisField(b, QuestionFormat::QuestionBytes + 1, QuestionFormat::AnswerBytes));
    const QChar last = recordText.isEmpty() ? QChar() : recordText.back();
    // A genre byte that is no digit 1-7 (a file from elsewhere) selects nothing, so storing the
    // record asks for a genre instead of inventing one.
    if (last >= QLatin1Char('1') && last <= QLatin1Char('7')) {
        jun->setCurrentIndex(last.unicode() - '1');
    } else {
        jun->setCurrentIndex(-1);
        jun->setEditText(QString());
    }
    UpdateNav();
}

void Edit::SetCaptions(int id) {
    const QStringList parts = LoadResString(id).split(QLatin1Char(' '));
    for (int i = 0; i < 4; ++i) {
        const QString text = parts.value(i);
        if (id == 140)
            Label1[i]->setText(text);
        else if (id == 141)
            Idou[i]->setText(text);
        else
            Command1[i]->setText(text);
    }
}

void Edit::ShowMsg(int id) {
    PendingMsg = LoadResString(id);
    msg->setText(PendingMsg);
    if (id == 50)
        QA[0]->setFocus(Qt::OtherFocusReason);
    else if (id == 51)
        QA[1]->setFocus(Qt::OtherFocusReason);
    else if (id == 52 || id == 53)
        jun->setFocus(Qt::OtherFocusReason);
}

// ------------------------------------------------------------------------------------------
// Boxes and keys

bool Edit::Form_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift) {
    if (!keyPreview_ || EditState == 0) return false;
    QWidget* focused = focusWidget();
    if (focused == jun->lineEdit()) focused = jun;
    if (!isEditingBox(focused)) return false;
    if (KeyCode == VK::Return) {
        focusNextPrevChild(true);
        return true;
    }
    const auto mods = Shift & ~Qt::KeypadModifier;
    if (KeyCode == VK::Delete && mods == Qt::ShiftModifier) {
        if (focused == QA[0] || focused == QA[1]) {
            static_cast<QPlainTextEdit*>(focused)->clear();
        } else if (focused == ban) {
            ban->clear();
        } else {
            jun->setCurrentIndex(-1);
            jun->setEditText(QString());
        }
        return true;
    }
    return false;
}

void Edit::QA_GotFocus(int Index) {
    QA[Index]->moveCursor(QTextCursor::End);
    if (!PendingMsg.isEmpty())
        PendingMsg.clear();
    else if (EntryNo > 1000)
        ShowMsg(55);
}

void Edit::QA_LostFocus(int Index) {
    const int limit = Index == 0 ? QuestionFormat::QuestionBytes : QuestionFormat::AnswerBytes;
    const int w = MeasureText(QA[Index]->toPlainText());
    const QString text = w > limit ? CutToBytes(LastMeasured, limit) : LastMeasured;
    if (QA[Index]->toPlainText() != text) QA[Index]->setPlainText(text);
    if (!SjisRepresentable(text)) ShowMsg(TextUnmappableChars);
}

void Edit::ban_GotFocus() {
    ban->selectAll();
}

int Edit::ban_KeyPress(int KeyAscii) {
    if (KeyAscii == 8 || (KeyAscii >= '0' && KeyAscii <= '9')) return KeyAscii;
    return 0;
}

void Edit::ban_LostFocus() {
    BanNumber();
}

void Edit::Idou_Click(int Index) {
    const int n = BanNumber();
    int target = n;
    switch (Index) {
    case 0:
        target = 1;
        break;
    case 1:
        target = n - 1;
        break;
    case 2:
        target = n + 1;
        break;
    default:
        target = EntryNo;
        break;
    }
    ban->setText(QString::number(std::clamp(target, 1, EntryNo)));
    QA[0]->clear();
    QA[1]->clear();
    ShownIndex = -1; // the boxes are empty: no record is on screen any more
    UpdateNav();
    Command1_Click(2);
    if (ModifyMode && ShownIndex < 0) {
        // The search found no further record. With nothing on screen there is nothing to
        // modify or delete: back to entering, keeping the notice.
        const QString notice = msg->text();
        ClearScreen();
        msg->setText(notice);
    }
}

void ShowEdit(QWidget* owner) {
    Edit editor(owner);
    editor.exec();
}
