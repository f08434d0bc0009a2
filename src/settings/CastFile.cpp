#include "settings/Cast.h"

#include "core/AppGlobals.h"
#include "core/FileDialog.h"
#include "core/Paths.h"
#include "core/ResText.h"
#include "core/Sjis.h"
#include "data/SettingsFile.h"
#include "history/HistorySetup.h"
#include "settings/PhoneJoin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

// The dialog's buttons and what they write to ZN.INI: the settings record, the background line
// and the member list.

void Cast::fillRecordFromControls() {
    SettingsRecord& s = G().Settings;
    const QString on = LoadResString(TextOn);
    const QString off = LoadResString(TextOff);
    s.soundOn = Rbot[SoundOn]->isChecked() ? on : off;
    s.speedLevel = QString::number(sliderPos[SpeedSlider] + 1);
    s.readPressOn = Rbot[ReadPressOn]->isChecked() ? on : off;
    s.readPressChars = QString::number(sliderPos[ReadPressSlider] + 2);
    s.gothicFont = Rbot[GothicFont]->isChecked() ? on : off;
    s.randomOrder = Rbot[RandomOrder]->isChecked() ? on : off;
    s.revealOn = Rbot[RevealOn]->isChecked() ? on : off;
    s.timeOverMark = Rbot[TimeOverRight]->isChecked() ? QStringLiteral("O") : QStringLiteral("X");
}

void Cast::reportIoFailure(bool writeFailed) {
    // Only a failed read leaves the dialog on the defaults; a failed write saved nothing.
    if (writeFailed)
        ResMsgBox(this, MsgError, TitleWriteError, TextSettingsNotWritten, 0);
    else
        ResMsgBox(this, MsgError, TitleReadError, TextSettingsIoFailed, 0);
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
    case ButtonOk: {
        const QString path = F_Path->text();
        if (!BackgroundPathExists(path)) {
            ResMsgBox(this, MsgPlain, TitleReadError, TextFileMissing, TextReloadFile);
            F_Path->setFocus(Qt::OtherFocusReason);
            return;
        }
        // ZN.INI holds the path in code page 932: a character it cannot hold would be stored as
        // "?" and the picture never found again.
        if (!SjisRepresentable(TrimBlanks(path))) {
            ResMsgBox(this, MsgPlain, TitleReadError, TextPathNotSjis, 0);
            F_Path->setFocus(Qt::OtherFocusReason);
            return;
        }
        if (G().Roster.matchOn && (!applyPlayerCount() || !ValidatePlayers())) return;
        fillRecordFromControls();
        // One rewrite: a failure leaves the old file whole, as the message says.
        const QString trimmed = TrimBlanks(path);
        const bool newPath = trimmed != pathAtOpen;
        if (!SaveDialogSettings(G().IniPath, G().Settings, newPath ? &trimmed : nullptr)) {
            reportIoFailure(true);
            return;
        }
        pathAtOpen = trimmed;
        // Kept outside ZN.INI, whose layout other programs read; written only when changed.
        if (chkHistory->isChecked() != RecordingEnabled())
            SetRecordingEnabled(chkHistory->isChecked());
        accept();
        break;
    }
    case ButtonCancel:
        G().Roster.matchOn = false;
        QDialog::reject();
        break;
    case ButtonDefaults:
        for (int i : {SoundOn, ReadPressOn, RevealOn, RandomOrder, GothicFont})
            selectRbot(i);
        sliderPos = {2, 1};
        DrawSliderPreview(SpeedSlider);
        DrawSliderPreview(ReadPressSlider);
        F_Path->clear();
        chkHistory->setChecked(true);
        G().Roster.matchOn = false;
        ApplyMatchLayout();
        break;
    case ButtonMatch:
        G().Roster.matchOn = !G().Roster.matchOn;
        ApplyMatchLayout();
        if (!G().Roster.matchOn) StopPhonesUnlessUsed();
        break;
    case ButtonDeleteMembers:
        if (ResMsgBox(this, MsgYesNo, TitleWarning, 79, 0) == AnswerNo) return;
        fillRecordFromControls();
        if (!DeleteAllMembers(G().IniPath, G().Settings, kept.members,
                              TrimBlanks(F_Path->text()))) {
            reportIoFailure();
            return;
        }
        emptyNameLists();
        break;
    case ButtonBackground:
        FileDialog(this, DialogOpenPicture);
        if (!G().CurrentFile.isEmpty()) F_Path->setText(G().CurrentFile);
        break;
    default:
        break;
    }
}

void Cast::ClearHistory_Click() {
    ClearHistory(this, HistoryPath());
}
