#include "settings/Cast.h"

#include "core/AppGlobals.h"
#include "core/Drawing.h"
#include "core/ResText.h"
#include "history/HistoryTexts.h"
#include "settings/CastHelpers.h"
#include "settings/KeyTable.h"
#include "settings/PhoneJoin.h"
#include "settings/SliderPicture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

// Where the settings dialog's controls are, and the match frame's player rows.

namespace {

constexpr int ColumnOffset = 169; // second player column
constexpr int RowOffset = 21;

void setBoxColour(QWidget* box, const QColor& colour) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Button, colour);
    box->setPalette(palette);
}

} // namespace

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
    radio(RevealOn, waku[4], 8, 16, 43, QString());
    radio(RevealOff, waku[4], 8, 36, 41, QString());
    Psp[SpeedSlider] = new SliderPicture(121, 41, ButtonFace(), waku[4]);
    Psp[SpeedSlider]->move(56, 12);

    waku[7] = frame(waku[0], 216, 16, 121, 57, QStringLiteral("出題順"));
    radio(RandomOrder, waku[7], 8, 16, 48, QStringLiteral("ﾗﾝﾀﾞﾑ"));
    radio(FileOrder, waku[7], 8, 36, 96, QStringLiteral("ﾌｧｲﾙ順全問"));
    fraQue = frame(waku[7], 60, 12, 57, 25, QString());
    fraQue->setFlat(true);
    cmbQue = new QComboBox(fraQue);
    cmbQue->setGeometry(0, 0, 53, 20);
    cmbQue->addItem(QStringLiteral("100問"));

    waku[3] = frame(waku[0], 16, 76, 57, 57, QStringLiteral("効果音"));
    radio(SoundOn, waku[3], 8, 16, 41, QString());
    radio(SoundOff, waku[3], 8, 36, 41, QString());

    waku[5] = frame(waku[0], 84, 76, 153, 57, QStringLiteral("読ませ押し"));
    radio(ReadPressOn, waku[5], 8, 16, 41, QString());
    radio(ReadPressOff, waku[5], 8, 36, 41, QString());
    Psp[ReadPressSlider] = new SliderPicture(85, 41, ButtonFace(), waku[5]);
    Psp[ReadPressSlider]->move(56, 12);

    waku[6] = frame(waku[0], 248, 76, 89, 57, QStringLiteral("Font"));
    radio(GothicFont, waku[6], 8, 16, 77, QString());
    radio(MinchoFont, waku[6], 8, 36, 77, QString());

    waku[9] = frame(waku[0], 16, 136, 85, 57, QStringLiteral("Time Over時"));
    radio(TimeOverRight, waku[9], 8, 16, 73, QStringLiteral("○(正解)"));
    radio(TimeOverWrong, waku[9], 8, 36, 73, QStringLiteral("×(誤答)"));

    waku[8] = frame(waku[0], 16, 196, 321, 45, QStringLiteral("背景"));
    F_Path = new QLineEdit(waku[8]);
    F_Path->setGeometry(8, 16, 237, 18);
    button(ButtonBackground, waku[8], 252, 16, 61, 21, QStringLiteral("背景..."));

    // The log-save choices have no function; the frame is shown, disabled, for its captions.
    waku[10] = frame(this, 120, 140, 225, 57, QStringLiteral("ログ保存時"));
    radio(LogAllCsv, waku[10], 8, 16, 197, QStringLiteral("出題された全てをCSV形式で保存"));
    radio(LogWrongZnd, waku[10], 8, 36, 201, QStringLiteral("×の問題のみをZND形式で保存"));

    // The study history: whether to record, and deleting what was recorded.
    wakuHistory = frame(this, 8, 256, 353, 45, ResText(TitleStats));
    chkHistory = new QCheckBox(ResText(TextRecordHistory), wakuHistory);
    chkHistory->setGeometry(16, 18, 180, 17);
    cmdClearHistory = new QPushButton(ResText(TextClearHistory), wakuHistory);
    cmdClearHistory->setGeometry(232, 16, 105, 21);
    cmdClearHistory->setAutoDefault(false);
    connect(cmdClearHistory, &QPushButton::clicked, this, &Cast::ClearHistory_Click);

    waku[1] = frame(this, 8, 256 + CastHistoryHeight, 353, 45, QString());
    button(ButtonOk, waku[1], 16, 16, 65, 21, QStringLiteral("OK"));
    button(ButtonCancel, waku[1], 100, 16, 65, 21, QStringLiteral("ｷｬﾝｾﾙ"));
    button(ButtonDefaults, waku[1], 188, 16, 65, 21, QStringLiteral("ﾃﾞﾌｫﾙﾄ"));
    button(ButtonMatch, waku[1], 272, 16, 65, 21, QString());

    // Design-time selections.
    for (int i :
         {SoundOn, ReadPressOn, RevealOn, RandomOrder, GothicFont, TimeOverWrong, LogAllCsv})
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
        connect(Psp[i], &SliderPicture::stepped, this,
                [this, i](int steps) { Psp_KeyStep(i, steps); });
    }
}

void Cast::buildMatchFrame() {
    waku[2] = new QGroupBox(QStringLiteral("対戦設定"), this);
    waku[2]->setGeometry(8, 308 + CastHistoryHeight, 353, 189);

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

    OK_CAN[ButtonDeleteMembers] = new QPushButton(QStringLiteral("全Member削除"), waku[2]);
    OK_CAN[ButtonDeleteMembers]->setGeometry(232, 16, 93, 21);
    OK_CAN[ButtonDeleteMembers]->setAutoDefault(false);
    QPalette pale = OK_CAN[ButtonDeleteMembers]->palette();
    pale.setColor(QPalette::Button, QColor(255, 170, 170));
    OK_CAN[ButtonDeleteMembers]->setPalette(pale);
    OK_CAN[ButtonDeleteMembers]->setAutoFillBackground(true);
    connect(OK_CAN[ButtonDeleteMembers], &QPushButton::clicked, this,
            [this] { OK_CAN_Click(ButtonDeleteMembers); });
    AddPhoneButton(this);

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
    const QFont buttonFont = AppFont(LoadResString(FontPGothic), G().FontSmall);
    const QFont controlFont = AppFont(LoadResString(FontGothic), G().FontSmall);
    const QList<QWidget*> children = findChildren<QWidget*>();
    for (QWidget* w : children) {
        if (w == VScroll1) continue;
        w->setFont(qobject_cast<QPushButton*>(w) ? buttonFont : controlFont);
    }
}

void Cast::ApplyMatchLayout() {
    const bool on = G().Roster.matchOn;
    waku[2]->setVisible(on);
    OK_CAN[ButtonMatch]->setText(LoadResString(on ? 88 : 89));
    setFixedSize(CastWidth, on ? CastHeightMatch : CastHeightPlain);
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
    watchControls(made);
    return made;
}

void Cast::EnablePlayerRows() {
    int count = 0;
    if (!RoundedNumber(Nin->text(), &count)) count = 0;
    for (int j = 0; j < 10; ++j) {
        const bool inUse = j < 2 || count > j;
        for (QComboBox* box : {NameK[j], UKey[j]}) {
            box->setEnabled(inUse);
            setBoxColour(box, inUse ? QColor(Qt::white) : ButtonFace());
        }
    }
}
