#include "editor/Edit.h"

#include "core/ResText.h"
#include "core/Sjis.h"
#include "data/QuestionFile.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <cmath>

void Edit::Command1_GotFocus(int Index) {
    if (!PendingMsg.isEmpty()) {
        PendingMsg.clear();
        return;
    }
    MeasureText(QA[0]->toPlainText());
    if (Index == 0 && !LastMeasured.isEmpty()) {
        const QChar last = LastMeasured.back();
        // A question already ending in either mark gets none, and the mark never pushes the
        // question past its field: the user's own text is never cut for it.
        const bool marked = last == QLatin1Char('?') || last == QChar(0xFF1F);
        if (!marked && SjisWidth(LastMeasured, 0) + 2 <= QuestionFormat::QuestionBytes)
            QA[0]->setPlainText(LastMeasured + QChar(0xFF1F));
    }
    msg->clear();
}

void Edit::Command1_Click(int Index) {
    switch (Index) {
    case 0:
        storeRecord();
        break;
    case 1:
        ClearScreen();
        QA[0]->setFocus(Qt::OtherFocusReason);
        break;
    case 2:
        searchOrShow();
        break;
    case 3:
        deleteRecords();
        break;
    default:
        break;
    }
}

void Edit::storeRecord() {
    PendingMsg.clear();
    // The boxes are normally tidied when they lose the focus; a store that did not pass through
    // a focus change must not keep line breaks or overlong text either.
    for (int i = 0; i < 2; ++i) {
        MeasureText(QA[i]->toPlainText());
        const QString text = CutToBytes(LastMeasured, i == 0 ? QuestionFormat::QuestionBytes
                                                             : QuestionFormat::AnswerBytes);
        if (QA[i]->toPlainText() != text) QA[i]->setPlainText(text);
    }

    // Modifying writes over the record on screen; anything else appends after the last record,
    // whatever number the number box was given, so the list never gets a gap.
    const bool replacing = ModifyMode && ShownIndex >= 0 && ShownIndex < EntryNo - 1;
    if (!replacing && EntryNo > QuestionFormat::EditorLimit) {
        ShowMsg(55);
        return;
    }
    if (QA[0]->toPlainText().isEmpty()) {
        ShowMsg(50);
        return;
    }
    if (QA[1]->toPlainText().isEmpty()) {
        ShowMsg(51);
        return;
    }
    const QString genreText = jun->currentText().trimmed();
    if (genreText.isEmpty()) {
        ShowMsg(52);
        return;
    }
    int entry = -1;
    bool numeric = false;
    const double v = genreText.toDouble(&numeric);
    if (numeric) {
        // A digit typed into the box stands for its genre.
        if (!(v >= 1 && v <= 7 && v == std::trunc(v))) {
            ShowMsg(53);
            return;
        }
        entry = int(v) - 1;
        jun->setCurrentIndex(entry);
    } else {
        // Text typed over a chosen entry no longer names it: the whole text must be a name.
        entry = jun->findText(jun->currentText(), Qt::MatchExactly);
        if (entry < 0) {
            ShowMsg(53);
            return;
        }
    }

    Command1[3]->show();
    const QString record =
        ComposeRecordText(QA[0]->toPlainText(), QA[1]->toPlainText(), QChar(u'1' + entry));
    if (replacing) {
        EditList[ShownIndex] = record;
    } else {
        EntryNo += 1;
        EditList[EntryNo - 2] = record;
    }
    // A change made after saving is not in the file: closing or starting anew must ask again.
    SavedFlag = false;
    Command1_Click(1);
}

void Edit::searchOrShow() {
    if (!ModifyMode) {
        MeasureText(QA[0]->toPlainText());
        SearchTerm = LastMeasured;
        SearchPos = 0;
    }
    if (!SearchTerm.isEmpty()) {
        for (int i = SearchPos; i <= EntryNo - 2; ++i) {
            if (!EditList[i].contains(SearchTerm)) continue;
            SearchPos = i + 1;
            ban->setText(QString::number(i + 1));
            ModifyMode = true;
            ShownIndex = i;
            SetCaptions(118);
            ShowRecord(EditList[i]);
            msg->setText(ResText(56, SearchTerm));
            return;
        }
        msg->setText(ResText(57, SearchTerm));
        return;
    }
    const int n = BanNumber();
    if (n < EntryNo) {
        ModifyMode = true;
        ShownIndex = n - 1;
        SetCaptions(119);
        ShowRecord(EditList[n - 1]);
        msg->setText(ResText(54, ban->text()));
    } else {
        SetCaptions(117);
        PendingMsg = ResText(67, QString::number(EntryNo - 1));
        msg->setText(PendingMsg);
    }
}

void Edit::deleteRecords() {
    BanNumber();
    // The question asked names exactly what goes: the record on screen, or everything. A number
    // typed into the box without showing that record never picks the victim.
    const bool one = ModifyMode && ShownIndex >= 0 && ShownIndex < EntryNo - 1;
    if (ResMsgBox(this, MsgYesNo, TitleWarning, one ? 59 : 60, 0) != AnswerYes) return;
    if (one) {
        const int n = ShownIndex + 1;
        EditList.removeAt(ShownIndex);
        EditList.append(QString());
        EntryNo -= 1;
        SavedFlag = false;
        if (n != EntryNo) {
            ban->setText(QString::number(n));
            ShowRecord(EditList[n - 1]);
        } else {
            ClearScreen();
        }
        return;
    }
    for (QString& text : EditList)
        text.clear();
    EntryNo = 1;
    EditState = 0;
    msg->setText(LoadResString(61));
    Command1[3]->hide();
    EnableEditing(false);
    ClearScreen();
}
