#pragma once

#include "history/AnswerRecord.h"
#include "quiz/QuizRules.h"

#include <QString>

#include <optional>

// Turns the judged questions of a run into history answers. A verdict may still be changed
// until the next question starts, so each question is handed to the recorder only when it is
// final: when the next one is asked, or when the window calls finish() (end of the run, the
// file given up, the program ending).
class HistoryObserver : public QuizObserver {
public:
    // The question file of the coming run; its bytes are hashed once here.
    void setQuestionFile(const QString& path);
    // Hands the last judged question to the recorder, if one is waiting.
    void finish();

    void questionAsked(int questionNo, int recordNo, const QuestionRecord& record) override;
    void questionJudged(const JudgedQuestion& judged) override;

private:
    QString filePath_;
    QByteArray fileHash_;
    int questionNo_ = 0;
    std::optional<AnswerRecord> pending_;
};
