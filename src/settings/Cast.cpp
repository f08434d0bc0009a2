#include "settings/Cast.h"

#include "core/AppGlobals.h"
#include "core/Paths.h"
#include "core/ResText.h"
#include "history/HistorySetup.h"
#include "platform/Controllers.h"
#include "settings/CastHelpers.h"
#include "settings/PhoneJoin.h"
#include "settings/SliderPicture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

// The dialog's life: opening, the option pairs, the message line and closing. Its layout, the
// checks, what it writes to ZN.INI, the sliders and its key and focus handling each have a file
// of their own (CastLayout, CastChecks, CastFile, CastSlider, CastEvents).

Cast::Cast(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("設定"));
    Bap = QImage(128, 40, QImage::Format_RGB32);
    Bap.fill(ButtonFace());
    buildControls();
    buildMatchFrame();
    G().Cast = this;
    connect(&controllers(), &Controllers::buttonChanged, this, [this](int code, bool pressed) {
        if (pressed) UKey_PadButton(code);
    });
    Form_Load();
    watchControls(this);
}

Cast::~Cast() {
    if (G().Cast == this) G().Cast = nullptr;
}

void Cast::Form_Load() {
    rosterAtOpen_ = G().Roster;
    Nin->setText(QStringLiteral("2"));
    G().Roster.lastPlayer = 1;
    setFixedWidth(CastWidth);

    kept = DialogSettings{};
    if (!ReadSettingsForDialog(G().IniPath, G().Settings, kept)) reportIoFailure(kept.writeFailed);
    pathAtOpen = TrimBlanks(kept.backgroundPath);
    F_Path->setText(pathAtOpen);
    chkHistory->setChecked(RecordingEnabled());
    // The list has room for 100 names; a longer file shows its first 100.
    NameK[0]->addItems(kept.members.mid(0, MemberLimit));
    NameK[0]->setCurrentIndex(-1);
    NameK[0]->setEditText(QString());

    const SettingsRecord& s = G().Settings;
    const QString off = LoadResString(TextOff);
    if (s.soundOn == off) selectRbot(SoundOff);
    if (s.readPressOn == off) selectRbot(ReadPressOff);
    if (s.revealOn == off) selectRbot(RevealOff);
    if (s.randomOrder == off) selectRbot(FileOrder);
    if (s.gothicFont == off) selectRbot(MinchoFont);
    if (s.timeOverMark == QStringLiteral("O")) selectRbot(TimeOverRight);
    sliderPos[SpeedSlider] = LeadingNumber(s.speedLevel) - 1;
    sliderPos[ReadPressSlider] = LeadingNumber(s.readPressChars) - 2;

    pendingMessage.clear();
    applyFonts();
    for (int i : {SoundOn, ReadPressOn, RevealOn})
        Rbot[i]->setText(LoadResString(TextOn));
    for (int i : {SoundOff, ReadPressOff, RevealOff})
        Rbot[i]->setText(LoadResString(TextOff));
    Rbot[GothicFont]->setText(LoadResString(FontGothic).mid(3));
    Rbot[MinchoFont]->setText(LoadResString(FontMincho).mid(3));
    DrawSliderPreview(SpeedSlider);
    DrawSliderPreview(ReadPressSlider);

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
    Rbot[LogAllCsv]->setEnabled(false);
    Rbot[LogWrongZnd]->setEnabled(false);
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
    Psp[SpeedSlider]->setVisible(!Rbot[RevealOff]->isChecked());
    // Without the reveal there is nothing to read on: Speed "OFF" also turns read-and-press off.
    if (index == RevealOff) Rbot[ReadPressOff]->setChecked(Rbot[RevealOff]->isChecked());
    Psp[ReadPressSlider]->setVisible(Rbot[ReadPressOn]->isChecked());
    Rbot[ReadPressOn]->setEnabled(!Rbot[RevealOff]->isChecked());
    Rbot[ReadPressOff]->setEnabled(!Rbot[RevealOff]->isChecked());
}

void Cast::ShowPendingMessage() {
    MSG->setText(pendingMessage);
    if (!pendingMessage.isEmpty()) pendingMessage.clear();
}

void Cast::reject() {
    // Only "OK" checks the players: a match switched on here, a count changed or keys cleared by
    // a failed check would leave the quiz with players whose keys never buzz.
    G().Roster = rosterAtOpen_;
    QDialog::reject();
}

void ShowCast(QWidget* owner) {
    Cast dialog(owner);
    dialog.exec();
    // Phones stay connected only for a match that has them among its players.
    StopPhonesUnlessUsed();
}
