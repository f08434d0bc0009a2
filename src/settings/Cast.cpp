#include "settings/Cast.h"

#include "core/AppGlobals.h"
#include "core/Blit.h"
#include "core/Drawing.h"
#include "core/FileDialog.h"
#include "core/Paths.h"
#include "core/ResText.h"
#include "core/Sjis.h"
#include "platform/Controllers.h"
#include "platform/Platform.h"
#include "settings/KeyTable.h"
#include "settings/SliderPicture.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

constexpr int WindowWidth = 376;
constexpr int HeightPlain = 328;
constexpr int HeightMatch = 528;
constexpr int ColumnOffset = 169; // second player column
constexpr int RowOffset = 21;

QColor buttonFace() {
    return QApplication::palette().color(QPalette::Button);
}

// The leading whole number of a text, 0 when there is none (a settings digit such as "3").
int leadingNumber(const QString& text) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t.at(i) == u'-' || t.at(i) == u'+')) negative = t.at(i++) == u'-';
    int value = 0;
    while (i < t.size() && t.at(i).isDigit() && t.at(i).unicode() < 128 && value < 100000)
        value = value * 10 + (t.at(i++).unicode() - '0');
    return negative ? -value : value;
}

// A typed count as a number rounded half up; false when the text is no finite number.
bool roundedNumber(const QString& text, int* value) {
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number) || std::fabs(number) > 1e6) return false;
    *value = static_cast<int>(std::floor(number + 0.5));
    return true;
}

void setBoxColour(QWidget* box, const QColor& colour) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Button, colour);
    box->setPalette(palette);
}

// A player's name as stored: a pasted line break would split it over two lines of ZN.INI, so
// control characters become blanks; then trimmed and cut to the name's bytes.
QString storedName(QString typed) {
    for (QChar& ch : typed)
        if (ch.unicode() < 0x20) ch = u' ';
    return SjisField(SjisBytes(typed), NameBytes, 0);
}

bool isWithin(const QWidget* w, const QWidget* control) {
    return control && (w == control || control->isAncestorOf(w));
}

} // namespace

Cast::Cast(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("設定"));
    Bap = QImage(128, 40, QImage::Format_RGB32);
    Bap.fill(buttonFace());
    buildControls();
    buildMatchFrame();
    G().Cast = this;
    qApp->installEventFilter(this);
    connect(&controllers(), &Controllers::buttonChanged, this, [this](int code, bool pressed) {
        if (pressed) UKey_PadButton(code);
    });
    Form_Load();
}

Cast::~Cast() {
    qApp->removeEventFilter(this);
    if (G().Cast == this) G().Cast = nullptr;
}

void Cast::buildControls() {
    auto frame = [](QWidget* parent, int x, int y, int w, int h, const QString& title) {
        auto* box = new QGroupBox(title, parent);
        box->setGeometry(x, y, w, h);
        return box;
    };
    // Option buttons are a little taller than their caption cells so the indicator fits.
    auto radio = [this](int index, QWidget* parent, int x, int y, int w, const QString& text) {
        Rbot[index] = new QRadioButton(text, parent);
        Rbot[index]->setGeometry(x, y - 2, w + 8, 17);
    };
    auto button = [this](int index, QWidget* parent, int x, int y, int w, int h,
                         const QString& text) {
        OK_CAN[index] = new QPushButton(text, parent);
        OK_CAN[index]->setGeometry(x, y, w, h);
        OK_CAN[index]->setAutoDefault(false);
        connect(OK_CAN[index], &QPushButton::clicked, this, [this, index] { OK_CAN_Click(index); });
    };

    waku[0] = frame(this, 8, 4, 353, 249, QStringLiteral("基本設定"));

    waku[4] = frame(waku[0], 16, 16, 189, 57, QStringLiteral("Speed"));
    radio(4, waku[4], 8, 16, 43, QString());
    radio(5, waku[4], 8, 36, 41, QString());
    Psp[0] = new SliderPicture(121, 41, buttonFace(), waku[4]);
    Psp[0]->move(56, 12);

    waku[7] = frame(waku[0], 216, 16, 121, 57, QStringLiteral("出題順"));
    radio(6, waku[7], 8, 16, 48, QStringLiteral("ﾗﾝﾀﾞﾑ"));
    radio(7, waku[7], 8, 36, 96, QStringLiteral("ﾌｧｲﾙ順全問"));
    fraQue = frame(waku[7], 60, 12, 57, 25, QString());
    fraQue->setFlat(true);
    cmbQue = new QComboBox(fraQue);
    cmbQue->setGeometry(0, 0, 53, 20);
    cmbQue->addItem(QStringLiteral("100問"));

    waku[3] = frame(waku[0], 16, 76, 57, 57, QStringLiteral("効果音"));
    radio(0, waku[3], 8, 16, 41, QString());
    radio(1, waku[3], 8, 36, 41, QString());

    waku[5] = frame(waku[0], 84, 76, 153, 57, QStringLiteral("読ませ押し"));
    radio(2, waku[5], 8, 16, 41, QString());
    radio(3, waku[5], 8, 36, 41, QString());
    Psp[1] = new SliderPicture(85, 41, buttonFace(), waku[5]);
    Psp[1]->move(56, 12);

    waku[6] = frame(waku[0], 248, 76, 89, 57, QStringLiteral("Font"));
    radio(8, waku[6], 8, 16, 77, QString());
    radio(9, waku[6], 8, 36, 77, QString());

    waku[9] = frame(waku[0], 16, 136, 85, 57, QStringLiteral("Time Over時"));
    radio(10, waku[9], 8, 16, 73, QStringLiteral("○(正解)"));
    radio(11, waku[9], 8, 36, 73, QStringLiteral("×(誤答)"));

    waku[8] = frame(waku[0], 16, 196, 321, 45, QStringLiteral("背景"));
    F_Path = new QLineEdit(waku[8]);
    F_Path->setGeometry(8, 16, 237, 18);
    button(5, waku[8], 252, 16, 61, 21, QStringLiteral("背景..."));

    // The log-save choices have no function; the frame is shown, disabled, for its captions.
    waku[10] = frame(this, 120, 140, 225, 57, QStringLiteral("ログ保存時"));
    radio(12, waku[10], 8, 16, 197, QStringLiteral("出題された全てをCSV形式で保存"));
    radio(13, waku[10], 8, 36, 201, QStringLiteral("×の問題のみをZND形式で保存"));

    waku[1] = frame(this, 8, 256, 353, 45, QString());
    button(0, waku[1], 16, 16, 65, 21, QStringLiteral("OK"));
    button(1, waku[1], 100, 16, 65, 21, QStringLiteral("ｷｬﾝｾﾙ"));
    button(2, waku[1], 188, 16, 65, 21, QStringLiteral("ﾃﾞﾌｫﾙﾄ"));
    button(3, waku[1], 272, 16, 65, 21, QString());

    // Design-time selections.
    for (int i : {0, 2, 4, 6, 8, 11, 12})
        Rbot[i]->setChecked(true);
    for (int i = 0; i < 14; ++i)
        connect(Rbot[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) Rbot_Click(i);
        });
    for (int i = 0; i < 2; ++i) {
        connect(Psp[i], &SliderPicture::mouseDown, this,
                [this, i](Qt::MouseButton button, int x) { Psp_MouseDown(i, button, x); });
        connect(Psp[i], &SliderPicture::mouseMove, this,
                [this, i](Qt::MouseButtons buttons, int x) { Psp_MouseMove(i, buttons, x); });
    }
}

void Cast::buildMatchFrame() {
    waku[2] = new QGroupBox(QStringLiteral("対戦設定"), this);
    waku[2]->setGeometry(8, 308, 353, 189);

    Label1 = new QLabel(QStringLiteral("人数(2-10)"), waku[2]);
    Label1->setGeometry(8, 20, 61, 13);
    Nin = new QLineEdit(QStringLiteral("2"), waku[2]);
    Nin->setGeometry(68, 16, 21, 19);

    VScroll1 = new QScrollBar(Qt::Vertical, waku[2]);
    VScroll1->setGeometry(88, 16, 13, 18);
    VScroll1->setRange(2, 10);
    VScroll1->setValue(2);
    // The top end is 10: the up arrow raises the count, so the step actions are mirrored and
    // the handle is drawn upside down.
    VScroll1->setInvertedAppearance(true);
    connect(VScroll1, &QAbstractSlider::actionTriggered, this, [this](int action) {
        const int value = VScroll1->value();
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            VScroll1->setSliderPosition(value + VScroll1->singleStep());
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            VScroll1->setSliderPosition(value - VScroll1->singleStep());
            break;
        case QAbstractSlider::SliderPageStepSub:
            VScroll1->setSliderPosition(value + VScroll1->pageStep());
            break;
        case QAbstractSlider::SliderPageStepAdd:
            VScroll1->setSliderPosition(value - VScroll1->pageStep());
            break;
        default:
            break;
        }
    });
    connect(VScroll1, &QScrollBar::valueChanged, this, [this] { VScroll1_Change(); });

    OK_CAN[4] = new QPushButton(QStringLiteral("全Member削除"), waku[2]);
    OK_CAN[4]->setGeometry(232, 16, 93, 21);
    OK_CAN[4]->setAutoDefault(false);
    QPalette pale = OK_CAN[4]->palette();
    pale.setColor(QPalette::Button, QColor(255, 170, 170));
    OK_CAN[4]->setPalette(pale);
    OK_CAN[4]->setAutoFillBackground(true);
    connect(OK_CAN[4], &QPushButton::clicked, this, [this] { OK_CAN_Click(4); });

    Label2[0] = new QLabel(waku[2]);
    Label2[0]->setGeometry(12, 40, 53, 13);
    Label3[0] = new QLabel(waku[2]);
    Label3[0]->setGeometry(116, 40, 45, 13);

    NameK[0] = new QComboBox(waku[2]);
    NameK[0]->setEditable(true);
    NameK[0]->setInsertPolicy(QComboBox::NoInsert);
    NameK[0]->setGeometry(8, 52, 109, 20);
    UKey[0] = new QComboBox(waku[2]);
    UKey[0]->setGeometry(116, 52, 61, 20);
    for (const KeyEntry& key : KeyTable())
        UKey[0]->addItem(key.text, key.code);
    UKey[0]->setCurrentIndex(-1);

    MSG = new QLabel(waku[2]);
    MSG->setGeometry(8, 162, 338, 17);
    QPalette red = MSG->palette();
    red.setColor(QPalette::WindowText, WinColor(0x0000FF));
    MSG->setPalette(red);
}

void Cast::applyFonts() {
    const QFont buttonFont = AppFont(LoadResString(90), G().FontSmall);
    const QFont controlFont = AppFont(LoadResString(91), G().FontSmall);
    const QList<QWidget*> children = findChildren<QWidget*>();
    for (QWidget* w : children) {
        if (w == VScroll1) continue;
        w->setFont(qobject_cast<QPushButton*>(w) ? buttonFont : controlFont);
    }
}

void Cast::Form_Load() {
    rosterAtOpen_ = G().Roster;
    Nin->setText(QStringLiteral("2"));
    G().Roster.lastPlayer = 1;
    setFixedWidth(WindowWidth);

    kept = DialogSettings{};
    if (!ReadSettingsForDialog(G().IniPath, G().Settings, kept)) reportIoFailure(kept.writeFailed);
    pathAtOpen = TrimBlanks(kept.backgroundPath);
    F_Path->setText(pathAtOpen);
    // The list has room for 100 names; a longer file shows its first 100.
    NameK[0]->addItems(kept.members.mid(0, MemberLimit));
    NameK[0]->setCurrentIndex(-1);
    NameK[0]->setEditText(QString());

    const SettingsRecord& s = G().Settings;
    const QString off = LoadResString(147);
    if (s.soundOn == off) selectRbot(1);
    if (s.readPressOn == off) selectRbot(3);
    if (s.revealOn == off) selectRbot(5);
    if (s.randomOrder == off) selectRbot(7);
    if (s.gothicFont == off) selectRbot(9);
    if (s.timeOverMark == QStringLiteral("O")) selectRbot(10);
    sliderPos[0] = leadingNumber(s.speedLevel) - 1;
    sliderPos[1] = leadingNumber(s.readPressChars) - 2;

    pendingMessage.clear();
    applyFonts();
    for (int i : {0, 2, 4})
        Rbot[i]->setText(LoadResString(146));
    for (int i : {1, 3, 5})
        Rbot[i]->setText(LoadResString(147));
    Rbot[8]->setText(LoadResString(91).mid(3));
    Rbot[9]->setText(LoadResString(92).mid(3));
    DrawSliderPreview(0);
    DrawSliderPreview(1);

    for (int j = 1; j <= 9; ++j) {
        AddRowControl(RowNameK, j);
        AddRowControl(RowUKey, j);
    }
    Label2[0]->setText(LoadResString(138));
    Label3[0]->setText(LoadResString(139));
    AddRowControl(RowLabel2, 1);
    AddRowControl(RowLabel3, 1);
    ApplyMatchLayout();

    waku[10]->setEnabled(false);
    Rbot[12]->setEnabled(false);
    Rbot[13]->setEnabled(false);
    fraQue->setEnabled(false);
    waku[10]->raise();
}

void Cast::selectRbot(int index) {
    // A selection made here runs the same rules as a click, even on a button already selected.
    if (Rbot[index]->isChecked())
        Rbot_Click(index);
    else
        Rbot[index]->setChecked(true);
}

void Cast::Rbot_Click(int index) {
    Psp[0]->setVisible(!Rbot[5]->isChecked());
    // Without the reveal there is nothing to read on: Speed "OFF" also turns read-and-press off.
    if (index == 5) Rbot[3]->setChecked(Rbot[5]->isChecked());
    Psp[1]->setVisible(Rbot[2]->isChecked());
    Rbot[2]->setEnabled(!Rbot[5]->isChecked());
    Rbot[3]->setEnabled(!Rbot[5]->isChecked());
}

void Cast::Psp_MouseDown(int index, Qt::MouseButton, int x) {
    const int limit = 4 - index;
    sliderPos[index] = std::min(x / (24 - 4 * index), limit);
    DrawSliderPreview(index);
}

void Cast::Psp_MouseMove(int index, Qt::MouseButtons buttons, int x) {
    if (x > 0 && buttons == Qt::LeftButton) Psp_MouseDown(index, Qt::LeftButton, x);
}

void Cast::DrawSliderPreview(int index) {
    const int spacing = (7 - index) * 4;
    const int rightEnd = 119 - 40 * index;
    const QColor foreground = QApplication::palette().color(QPalette::ButtonText);

    Bap.fill(buttonFace());
    {
        QPainter painter(&Bap);
        DrawEdgeBar(painter, 2, rightEnd, 7, 2);
        // Ticks are four pixels long: the end point of a line is not drawn.
        painter.setPen(foreground);
        for (int k = 0; k <= 4 - index; ++k)
            painter.drawLine(3 + k * spacing, 18, 3 + k * spacing, 21);
        painter.setFont(AppFont(LoadResString(91), G().FontSmall));
        painter.setPen(foreground);
        DrawEmbossedText(painter, ResText(98 - index, QString(12, u' ')), index + 2, 25, false);
    }
    // The knob: its mask erases the knob's place, then the picture is XORed into it.
    const int knobX = sliderPos[index] * spacing;
    Blit(Bap, knobX, 0, G().SkinDC, 224, 70, 9, 17, BlitOp::SourceAndNotDest);
    Blit(Bap, knobX, 0, G().SkinDC, 215, 70, 9, 17, BlitOp::SourceXorDest);

    SliderPicture* target = Psp[index];
    {
        QPainter painter(&target->image);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPoint(0, 5), Bap, QRect(0, 0, rightEnd + 4, 40));
    }
    target->update();
}

void Cast::ShowPendingMessage() {
    MSG->setText(pendingMessage);
    if (!pendingMessage.isEmpty()) pendingMessage.clear();
}

void Cast::ApplyMatchLayout() {
    const bool on = G().Roster.matchOn;
    waku[2]->setVisible(on);
    OK_CAN[3]->setText(LoadResString(on ? 88 : 89));
    setFixedSize(WindowWidth, on ? HeightMatch : HeightPlain);
    if (on) EnablePlayerRows();
}

QWidget* Cast::AddRowControl(RowControl control, int index) {
    const QPoint offset((index % 2) * ColumnOffset, (index / 2) * RowOffset);
    QWidget* made = nullptr;
    QWidget* model = nullptr;
    if (control == RowNameK || control == RowUKey) {
        QComboBox* first = control == RowNameK ? NameK[0] : UKey[0];
        auto* box = new QComboBox(waku[2]);
        box->setEditable(first->isEditable());
        if (box->isEditable()) box->setInsertPolicy(QComboBox::NoInsert);
        for (int i = 0; i < first->count(); ++i)
            box->addItem(first->itemText(i), first->itemData(i));
        box->setCurrentIndex(-1);
        if (box->isEditable()) box->setEditText(QString());
        (control == RowNameK ? NameK : UKey)[index] = box;
        made = box;
        model = first;
    } else {
        QLabel* first = control == RowLabel2 ? Label2[0] : Label3[0];
        auto* label = new QLabel(first->text(), waku[2]);
        (control == RowLabel2 ? Label2 : Label3)[index] = label;
        made = label;
        model = first;
    }
    made->setGeometry(QRect(model->geometry().topLeft() + offset, model->size()));
    made->setFont(model->font());
    made->show();
    return made;
}

void Cast::EnablePlayerRows() {
    int count = 0;
    if (!roundedNumber(Nin->text(), &count)) count = 0;
    for (int j = 0; j < 10; ++j) {
        const bool inUse = j < 2 || count > j;
        for (QComboBox* box : {NameK[j], UKey[j]}) {
            box->setEnabled(inUse);
            setBoxColour(box, inUse ? QColor(Qt::white) : buttonFace());
        }
    }
}

bool Cast::ParsePlayerCount(const QString& text, int* count) {
    int value = 0;
    if (!roundedNumber(text, &value) || value < 2 || value > 10) return false;
    *count = value;
    return true;
}

void Cast::Nin_LostFocus() {
    int count = 0;
    if (ParsePlayerCount(Nin->text(), &count)) {
        VScroll1->setValue(count);
        G().Roster.lastPlayer = count - 1;
        return;
    }
    MSG->setText(LoadResString(75));
    // The focus is on its way to another box; bring it back once it has arrived, with the
    // message, so the count is put right before anything else.
    QTimer::singleShot(0, this, [this] {
        int ignored = 0;
        if (!isVisible() || !Nin->isVisible() || ParsePlayerCount(Nin->text(), &ignored)) return;
        pendingMessage = LoadResString(75);
        focusWithMessage(Nin);
    });
}

void Cast::VScroll1_Change() {
    ShowPendingMessage();
    Nin->setText(QString::number(VScroll1->value()));
    G().Roster.lastPlayer = VScroll1->value() - 1;
    EnablePlayerRows();
}

bool Cast::applyPlayerCount() {
    int count = 0;
    if (!ParsePlayerCount(Nin->text(), &count)) {
        pendingMessage = LoadResString(75);
        focusWithMessage(Nin);
        return false;
    }
    if (VScroll1->value() != count) VScroll1->setValue(count);
    G().Roster.lastPlayer = count - 1;
    return true;
}

void Cast::focusWithMessage(QWidget* box) {
    box->setFocus(Qt::OtherFocusReason);
    // A box that already had the focus (or a window not active yet) gets no focus event.
    if (!pendingMessage.isEmpty()) ShowPendingMessage();
}

bool Cast::ValidatePlayers() {
    MatchRoster& roster = G().Roster;
    for (PlayerEntry& player : roster.players)
        player.keyCode = 0;
    const int last = std::clamp(roster.lastPlayer, 1, 9);

    auto fail = [this](QWidget* box, int textId) {
        pendingMessage = LoadResString(textId);
        focusWithMessage(box);
        return false;
    };
    // Names are checked as they will be stored, so two players can never end up with one name
    // (" Bb" and "Bb", or long names that agree in their first 14 bytes).
    std::array<QString, 10> names;
    for (int i = 0; i <= last; ++i)
        names[i] = storedName(NameK[i]->currentText());
    for (int i = 0; i <= last; ++i) {
        if (names[i].isEmpty()) return fail(NameK[i], 76);
        if (UKey[i]->currentText().isEmpty()) return fail(UKey[i], 77);
        for (int j = i + 1; j <= last; ++j) {
            if (names[j] == names[i]) return fail(NameK[i], 78);
            if (UKey[j]->currentText() == UKey[i]->currentText()) return fail(UKey[i], 78);
        }
        roster.players[i].keyCode = UKey[i]->currentData().toInt();
    }

    for (int i = 0; i <= last; ++i)
        roster.players[i].name = names[i];
    if (!AppendMembers(G().IniPath, kept.members,
                       QStringList(names.begin(), names.begin() + last + 1))) {
        reportIoFailure();
        return false;
    }
    return true;
}

void Cast::fillRecordFromControls() {
    SettingsRecord& s = G().Settings;
    const QString on = LoadResString(146);
    const QString off = LoadResString(147);
    s.soundOn = Rbot[0]->isChecked() ? on : off;
    s.speedLevel = QString::number(sliderPos[0] + 1);
    s.readPressOn = Rbot[2]->isChecked() ? on : off;
    s.readPressChars = QString::number(sliderPos[1] + 2);
    s.gothicFont = Rbot[8]->isChecked() ? on : off;
    s.randomOrder = Rbot[6]->isChecked() ? on : off;
    s.revealOn = Rbot[4]->isChecked() ? on : off;
    s.timeOverMark = Rbot[10]->isChecked() ? QStringLiteral("O") : QStringLiteral("X");
}

bool Cast::BackgroundPathExists(const QString& path) {
    QString p = TrimBlanks(path);
    if (p.isEmpty()) return true;
    // A bare name would be found in whatever folder the program was started from, and the main
    // window takes only a full path for a picture.
    const int kind = PathKind(p);
    if (kind != 1 && kind != 2) return false;
    p.replace(u'\\', u'/');
    if (p.contains(u'*') || p.contains(u'?')) {
        const QFileInfo pattern(p);
        const QDir folder(pattern.path());
        return !folder.entryList({pattern.fileName()}, QDir::Files).isEmpty();
    }
    if (p.endsWith(u'/')) {
        const QDir folder(p);
        return folder.exists() && !folder.entryList(QDir::Files).isEmpty();
    }
    return QFileInfo(p).isFile();
}

void Cast::reject() {
    // Only "OK" checks the players: a match switched on here, a count changed or keys cleared by
    // a failed check would leave the quiz with players whose keys never buzz.
    G().Roster = rosterAtOpen_;
    QDialog::reject();
}

void Cast::reportIoFailure(bool writeFailed) {
    // Only a failed read leaves the dialog on the defaults; a failed write saved nothing.
    if (writeFailed)
        ResMsgBox(this, 1, TitleWriteError, TextSettingsNotWritten, 0);
    else
        ResMsgBox(this, 1, 82, TextSettingsIoFailed, 0);
}

void Cast::emptyNameLists() {
    for (QComboBox* box : NameK) {
        // The names typed so far stay; only the remembered list goes.
        const QString typed = box->currentText();
        box->clear();
        box->setEditText(typed);
    }
}

void Cast::OK_CAN_Click(int index) {
    ShowPendingMessage();
    switch (index) {
    case 0: {
        const QString path = F_Path->text();
        if (!BackgroundPathExists(path)) {
            ResMsgBox(this, 0, 82, 46, 40);
            F_Path->setFocus(Qt::OtherFocusReason);
            return;
        }
        // ZN.INI holds the path in code page 932: a character it cannot hold would be stored as
        // "?" and the picture never found again.
        if (!SjisRepresentable(TrimBlanks(path))) {
            ResMsgBox(this, 0, 82, TextPathNotSjis, 0);
            F_Path->setFocus(Qt::OtherFocusReason);
            return;
        }
        if (G().Roster.matchOn && (!applyPlayerCount() || !ValidatePlayers())) return;
        fillRecordFromControls();
        if (!SaveSettingsRecord(G().IniPath, G().Settings)) {
            reportIoFailure();
            return;
        }
        const QString trimmed = TrimBlanks(path);
        if (trimmed != pathAtOpen) {
            if (!RewriteBackgroundLine(G().IniPath, trimmed)) {
                reportIoFailure();
                return;
            }
            pathAtOpen = trimmed;
        }
        accept();
        break;
    }
    case 1:
        G().Roster.matchOn = false;
        QDialog::reject();
        break;
    case 2:
        for (int i : {0, 2, 4, 6, 8})
            selectRbot(i);
        sliderPos = {2, 1};
        DrawSliderPreview(0);
        DrawSliderPreview(1);
        F_Path->clear();
        G().Roster.matchOn = false;
        ApplyMatchLayout();
        break;
    case 3:
        G().Roster.matchOn = !G().Roster.matchOn;
        ApplyMatchLayout();
        break;
    case 4:
        if (ResMsgBox(this, 2, 80, 79, 0) == 7) return;
        fillRecordFromControls();
        if (!DeleteAllMembers(G().IniPath, G().Settings, kept.members,
                              TrimBlanks(F_Path->text()))) {
            reportIoFailure();
            return;
        }
        emptyNameLists();
        break;
    case 5:
        FileDialog(this, 2);
        if (!G().CurrentFile.isEmpty()) F_Path->setText(G().CurrentFile);
        break;
    default:
        break;
    }
}

void Cast::warnUnmappableName(QWidget* left) {
    // A name is remembered in code page 932; a character it cannot hold becomes "?" there.
    for (QComboBox* box : NameK) {
        if (!box || !isWithin(left, box) || SjisRepresentable(box->currentText())) continue;
        pendingMessage = LoadResString(TextUnmappableChars);
        MSG->setText(pendingMessage);
    }
}

bool Cast::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    if (w->window() != this) return false;

    switch (event->type()) {
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F1) {
            // The window's context help, as in the main window.
            if (!static_cast<QKeyEvent*>(event)->isAutoRepeat())
                platform().showHelp(this, G().HelpPath);
            return true;
        }
        if (key != Qt::Key_Return && key != Qt::Key_Enter) break;
        // Enter moves on to the next control: disabling the focused one passes the focus on.
        if (QWidget* focused = QApplication::focusWidget(); focused && focused->window() == this) {
            focused->setEnabled(false);
            focused->setEnabled(true);
        }
        return true;
    }
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) break;
        bool playerBox = isWithin(w, Nin);
        for (int j = 0; j < 10 && !playerBox; ++j)
            playerBox = isWithin(w, NameK[j]) || isWithin(w, UKey[j]);
        if (playerBox) ShowPendingMessage();
        if (w == F_Path) F_Path->selectAll();
        break;
    }
    case QEvent::FocusOut: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (w == Nin && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Nin_LostFocus();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            warnUnmappableName(w);
        break;
    }
    default:
        break;
    }
    return false;
}

void ShowCast(QWidget* owner) {
    Cast dialog(owner);
    dialog.exec();
}
