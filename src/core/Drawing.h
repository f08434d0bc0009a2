#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QPainter;

// A Windows colour value 0x00BBGGRR as a QColor.
QColor WinColor(quint32 bgr);
// A font by its Japanese/Windows name at a point size, sized in pixels as Windows does at 96 dpi
// (12 pt -> 16 px), so drawing is the same on every screen and on off-screen images.
QFont AppFont(const QString& name, int pointSize, bool bold = false);

// Draws text with (x, y) as the top-left of its cell, in the painter's font and pen colour.
// Trailing blanks are not drawn. With emboss: a shadow copy at (x-1, y-1), a highlight copy at
// (x+1, y+1), then the text in black; the pen is left black.
void DrawEmbossedText(QPainter& painter, const QString& text, int x, int y, bool emboss);
// A thin 3-D bar from left to right at top; style 0 sunken outer, 1 raised inner, 2 sunken,
// 3+ raised with height 2 + style / 2. The rectangle is kept in G().EdgeRect.
void DrawEdgeBar(QPainter& painter, int left, int right, int top, int style);
