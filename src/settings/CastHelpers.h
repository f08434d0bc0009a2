#pragma once

#include <QColor>
#include <QString>

class QWidget;

// Small helpers shared by the parts of the settings dialog Cast.

constexpr int CastWidth = 376;
// The study history's frame sits between the basic settings and the buttons.
constexpr int CastHistoryHeight = 48;
constexpr int CastHeightPlain = 328 + CastHistoryHeight; // without the match frame
constexpr int CastHeightMatch = 528 + CastHistoryHeight;

// The colour of a button face, which the sliders and the unused player rows are drawn in.
QColor ButtonFace();
// The leading whole number of a text, 0 when there is none (a settings digit such as "3").
int LeadingNumber(const QString& text);
// A typed count as a number rounded half up; false when the text is no finite number.
bool RoundedNumber(const QString& text, int* value);
// A player's name as stored: control characters become blanks, then trimmed and cut to the
// name's bytes.
QString StoredName(QString typed);
// `w` is `control` or lies inside it (the line edit of a combo box).
bool IsWithin(const QWidget* w, const QWidget* control);
