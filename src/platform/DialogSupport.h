#pragma once

#include "platform/Platform.h"

#include <QMessageBox>
#include <QString>
#include <QStringList>

// Pure helpers behind QtPlatform's message boxes and file dialogs, kept apart so they can be
// checked without opening a (blocking) dialog.

// The icon and buttons a message box of one kind shows.
struct MessageBoxStyle {
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
};

// Icon and buttons of a message-box kind; unknown kinds are a plain OK box.
MessageBoxStyle MessageBoxStyleFor(int kind);
// The answer number (AnswerOk, AnswerYes, AnswerNo) of the button that closed a box of `kind`.
// Closing a Yes/No box without choosing (Esc, window close) counts as No.
int MessageAnswerFor(int kind, QMessageBox::StandardButton clicked);

// One Qt name filter per pair: "desc (*.a *.b)". A description that already ends with its
// patterns in parentheses is not given them twice.
QStringList QtFilterList(const QList<FileFilter>& filters);
// The same filters joined with ";;", as QFileDialog takes them.
QString QtFilterString(const QList<FileFilter>& filters);

// The longest path the program's fixed-size name buffers hold.
constexpr int MaxDialogPathLength = 255;
// The chosen path, or empty when it is too long to be used (counted as a cancel).
QString AcceptedDialogPath(const QString& path);

// The extension a save dialog adds to a name typed without one: that of the first filter's
// first pattern when it is a plain "*.ext". The dialog then asks about overwriting the file
// that will really be written, not the bare name typed.
QString DefaultSuffixFor(const QList<FileFilter>& filters);
