#include "settings/Cast.h"

#include "core/AppGlobals.h"
#include "core/FileDialog.h"
#include "core/Paths.h"
#include "core/ResText.h"
#include "core/Sjis.h"
#include "data/SettingsFile.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

// The dialog's buttons and what they write to ZN.INI: the settings record, the background line
// and the member list.

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
