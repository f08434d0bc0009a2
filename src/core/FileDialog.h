#pragma once

#include <QString>

class QWidget;

// The five open/save dialogs, by type.
enum FileDialogType : int {
    DialogOpenQuestions = 0,
    DialogOpenPrintData = 1, // a question file or a log
    DialogOpenPicture = 2,
    DialogSaveQuestions = 3,
    DialogSaveLog = 4,
};

// The five open/save dialogs: 0 read questions, 1 read print data (question file or log),
// 2 read background picture, 3 save questions, 4 save log. Leaves its results in G():
// CurrentFile (empty on cancel), WorkHandle, LogFileFlag, RecordCount. Refused files are
// reported and the dialog is shown again.
void FileDialog(QWidget* owner, int type);
// Appends ".znd" (kind 0) or ".csv" (kind 1) unless the 4th character from the end is ".".
QString AddExt(int kind, const QString& name);
// True when `path` is a regular file whose text carries the log marker of this program;
// `dataLines` is then its number of lines after the header.
bool IsLogFile(const QString& path, int& dataLines);
// The save dialog of `type` (3 questions, 4 log) followed by AddExt. When the extension turns the
// chosen name into another file that exists, the user is asked about that file before anything
// replaces it; "No" shows the dialog again. CurrentFile is the final name, empty on cancel.
void SaveFileDialog(QWidget* owner, int type);
