#pragma once

#include <QString>
#include <QVector>

#include <array>
#include <functional>

// Window-free rules of the quiz: line breaking of the board, line placement, the asking order and
// the buzz-lag text. Kept apart from the window so they can be checked on their own.

// Characters that may not begin a line of the board (string 85).
QString NoLineStartSet();

// Ends (1-based character positions) of up to `maxLines` lines of `text`. A line closes after the
// character that takes its code page 932 width above `limit`; a character of the no-line-start
// set directly after the break stays on the closing line. Entries for unused lines hold the text
// length, and so does the last used one. `lineCount` receives the number of lines (at least 1).
QVector<int> BreakTextLines(const QString& text, int limit, int maxLines, int* lineCount);

// y of the first question line and the distance between question lines for n lines (1-4).
int QuestionTopFor(int lines);
int LineSpacingFor(int lines);

// Asking order of `count` records: 1-based, element 0 unused. With `shuffle`, every position in
// turn is exchanged with a position drawn from the whole range by a generator seeded with `seed`.
QVector<int> AskingOrder(int count, bool shuffle, quint32 seed);
// The shuffled order with the numbers in [0, 1) drawn from `random`: position i is exchanged with
// position int(r * count + 1).
QVector<int> ShuffledOrder(int count, const std::function<double()>& random);

// A buzz lag in milliseconds as seconds and milliseconds: 1234 -> 01"234 (at least five digits).
QString FormatLag(long long ms);
