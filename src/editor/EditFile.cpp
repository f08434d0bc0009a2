#include "editor/Edit.h"

#include "core/AppGlobals.h"
#include "core/FileDialog.h"
#include "core/ResText.h"
#include "core/Sjis.h"
#include "data/QuestionFile.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

QString Edit::FitRecordText(const QString& text) {
    const int body = QuestionFormat::BodyLength;
    const qsizetype bytes = SjisEncode(text).size();
    if (bytes == body) return text;
    // Only files from elsewhere get here: reading trims the record, so a question field that
    // began with blanks comes back short (they are put back in front, as saving does), and bytes
    // the code page does not define may change length. A record too long to save whole would
    // make every later save fail, so it is cut here, where the user sees it.
    QString fitted;
    int width = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype len = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const int w = int(SjisEncode(text.mid(i, len)).size());
        if (width + w > body) break;
        fitted += text.mid(i, len);
        width += w;
        i += len;
    }
    return QString(body - width, QLatin1Char(' ')) + fitted;
}

void Edit::menu1_Click(int Index) {
    switch (Index) {
    case 0:
    case 1:
        openList(Index);
        break;
    case 3:
    case 4:
        saveList(Index);
        break;
    case 6:
        close();
        break;
    default:
        break;
    }
}

void Edit::openList(int index) {
    if (EntryNo > 1) {
        if (!SavedFlag) {
            msg->setText(LoadResString(TextDataNotSaved));
            return;
        }
        EntryNo = 1;
        msg->clear();
        ClearScreen();
        for (QString& text : EditList)
            text.clear();
        Command1[3]->hide();
    }
    // The refused file is now CurrentFile: no list may stay open that could be saved over it.
    const auto closeRefusedList = [this] {
        EditState = 0;
        EnableEditing(false);
    };
    if (index == 1) {
        FileDialog(this, DialogOpenQuestions);
        if (G().CurrentFile.isEmpty()) {
            ResMsgBox(this, MsgError, TitleReadError, TextChooseFile, 0);
            return;
        }
        if (G().RecordCount > QuestionFormat::EditorLimit) {
            msg->setText(LoadResString(63));
            msg->repaint();
            closeRefusedList();
            return;
        }
        bool ok = false;
        const QStringList texts = ReadRecordTexts(G().CurrentFile, G().RecordCount, &ok);
        if (!ok || texts.size() > QuestionFormat::EditorLimit) {
            // Nothing half-read is ever edited (and later saved over the file).
            ResMsgBox(this, MsgError, TitleReadError, TextFileNotRead, 0);
            closeRefusedList();
            return;
        }
        for (qsizetype i = 0; i < texts.size(); ++i)
            EditList[i] = FitRecordText(texts[i]);
        EntryNo = int(texts.size()) + 1;
        ClearScreen();
        Command1[3]->setVisible(EntryNo > 1);
        ShowMsg(64);
    }
    EditState = index + 1;
    EnableEditing(true);
    UpdateNav();
}

void Edit::saveList(int index) {
    if (EntryNo < 2) {
        msg->setText(LoadResString(65));
        return;
    }
    // Input still in the boxes was not stored; saving now would lose it without a word.
    if (!QA[0]->toPlainText().isEmpty() || !QA[1]->toPlainText().isEmpty() ||
        !jun->currentText().isEmpty()) {
        msg->setText(ResText(68, Command1[0]->text()));
        return;
    }
    const QString previousFile = G().CurrentFile;
    if (index == 4) {
        SaveFileDialog(this, DialogSaveQuestions);
        if (G().CurrentFile.isEmpty()) {
            // "上書き保存" keeps writing to the file it wrote before.
            G().CurrentFile = previousFile;
            ResMsgBox(this, MsgError, TitleReadError, TextChooseFile, 0);
            return;
        }
    }
    if (G().CurrentFile.isEmpty()) {
        ResMsgBox(this, MsgError, TitleReadError, TextChooseFile, 0);
        return;
    }
    if (!WriteRecordTexts(G().CurrentFile, EditList.mid(0, EntryNo - 1))) {
        if (index == 4) G().CurrentFile = previousFile;
        ResMsgBox(this, MsgError, TitleWriteError, TextFileNotSaved, 0);
        return;
    }
    SavedFlag = true;
    msg->setText(LoadResString(66));
}
