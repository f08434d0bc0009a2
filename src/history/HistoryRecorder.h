#pragma once

#include "history/AnswerRecord.h"

#include <QList>
#include <QString>

// Where the quiz reports each judged question. record() returns at once and never fails: a
// store that cannot keep the answer says so through takeNotice(), the run goes on.
class HistoryRecorder {
public:
    virtual ~HistoryRecorder() = default;
    virtual void record(const AnswerRecord& answer) = 0;
    // A problem of the store the user has not been told of yet, as a message text; each
    // problem is handed out once. Empty when there is none.
    virtual QString takeNotice() { return {}; }
};

// Keeps the answers in memory (tests, and the quiz when nothing may be written).
class MemoryRecorder : public HistoryRecorder {
public:
    void record(const AnswerRecord& answer) override { answers.append(answer); }
    QList<AnswerRecord> answers;
};

// The recorder the quiz reports to; nullptr (the default) records nothing.
HistoryRecorder* historyRecorder();
// Replaces the recorder (not owned); returns the previous one.
HistoryRecorder* setHistoryRecorder(HistoryRecorder* recorder);
