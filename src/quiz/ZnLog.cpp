#include "quiz/ZN.h"

#include "core/AppGlobals.h"
#include "core/FileDialog.h"
#include "core/ResText.h"
#include "core/SystemInfo.h"
#include "data/LogFile.h"

void ZN::SaveLog() {
    SaveFileDialog(this, DialogSaveLog);
    if (G().CurrentFile.isEmpty()) {
        ResMsgBox(this, MsgError, TitleReadError, TextChooseFile, TextReloadFile);
        return;
    }
    const QString path = G().CurrentFile;

    const bool match = G().Roster.matchOn;
    const QString owner = RegisteredOwnerName();
    QList<LogLine> lines;
    for (int q = 1; q <= st.questionTotal; ++q) {
        QuestionRecord& record = G().CurrentRecord;
        record = QuestionRecord{};
        const int recordNo = q < st.questionOrder.size() ? st.questionOrder[q] : 0;
        // The record as it was asked; the file may have changed since. A log missing questions
        // would pass for a complete one: without the record nothing is written at all.
        if (q < askedRecords_.size()) {
            record = askedRecords_[q];
        } else if (!questionFile_.read(recordNo, record)) {
            ResMsgBox(this, MsgError, TitleWriteError, TextFileNotSaved, 0);
            return;
        }
        G().QuestionText = record.question;
        G().AnswerText = record.answer;
        LogLine line;
        line.question = record.question;
        line.answer = record.answer;
        line.answerer = match ? st.answerers.value(q) : owner;
        line.correct = st.verdicts.value(q);
        line.buzzPosition = st.buzzPositions.value(q);
        lines.append(line);
    }
    const QByteArray bytes = BuildLog(G().AppTitle, match, st.readPress, st.extraChars, lines);
    if (!WriteFileAtomically(path, bytes))
        ResMsgBox(this, MsgError, TitleWriteError, TextFileNotSaved, 0);
}
