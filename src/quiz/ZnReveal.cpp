#include "quiz/ZN.h"

#include "core/AppGlobals.h"
#include "quiz/QuizLogic.h"

void ZN::BreakLines(int which) {
    int lines = 1;
    if (which == 4) {
        const QVector<int> ends = BreakTextLines(G().QuestionText, 71, 4, &lines);
        for (int k = 0; k < 4; ++k)
            st.lineBreaks[1 + k] = ends[k];
        questionLines_ = lines;
    } else {
        const QVector<int> ends = BreakTextLines(G().AnswerText, 19, 3, &lines);
        for (int k = 0; k < 3; ++k)
            st.lineBreaks[5 + k] = ends[k];
    }
}

void ZN::DrawQuestion() {
    const QString& q = G().QuestionText;
    const auto& lb = st.lineBreaks;
    drawText(q.left(lb[1]), 24, st.questionTop, false);
    for (int p = 1; p <= 3; ++p) {
        if (lb[p] == lb[4]) break;
        drawText(q.mid(lb[p], lb[p + 1] - lb[p]), 24, st.questionTop + p * st.lineSpacing, false);
    }
}

void ZN::DrawAnswer() {
    const QString& a = G().AnswerText;
    const auto& lb = st.lineBreaks;
    drawText(a.left(lb[5]), 30, 285, false);
    for (int p = 5; p <= 6; ++p) {
        if (lb[p] == lb[7]) break;
        drawText(a.mid(lb[p], lb[p + 1] - lb[p]), 30, 30 * p + 165, false);
    }
}
