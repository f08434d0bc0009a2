#pragma once

#include "print/PrintLayout.h"

#include <QList>
#include <QString>

class QPrinter;

// Puts the laid-out pages on the printer in the 10-point font `fontName`: a print column is
// PrintColumnWidth, a text line 84 printer pixels, the origin moved in by the
// page margins. Returns false when the printer or the PDF file failed; a PDF that could not be
// written completely is removed.
bool RenderPages(QPrinter& printer, const QList<PageOp>& ops, const QString& fontName);

// The width of one print column on `printer`, in printer pixels: half an em of the 10-point
// printer font, whichever font it is.
double PrintColumnWidth(const QPrinter& printer);
