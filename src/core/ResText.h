#pragma once

#include "platform/MessageKinds.h"

#include <QString>

class QWidget;

// The string table: every user-visible text, by id.
QString LoadResString(int id);
// Text `id` with every "@" replaced by `value`.
QString ResText(int id, const QString& value = QString());
// Text `first` immediately followed by text `second`.
QString ResJoin(int first, int second);
// Modal message box: title and text are table ids; secondId != 0 adds a second line (CR LF).
// kind is a MessageKind; returns a MessageAnswer. Shown over the active window.
int ResMsgBox(int kind, int titleId, int textId, int secondId);
// The same over an explicit owner window.
int ResMsgBox(QWidget* owner, int kind, int titleId, int textId, int secondId);

// Table texts used in more than one place.
enum SharedTextId : int {
    TextReloadFile = 40,   // "Fileを読み直して下さい。"
    TextChooseFile = 42,   // no file was chosen
    TextFileUnusable = 45, // the file named cannot be used
    TextFileMissing = 46,  // the file named does not exist
    TextDataNotSaved = 62, // the editor's list is not saved
    TextPlayerCount = 75,  // the player count must be 2-10
    TitleWarning = 80,
    TitleStartError = 81,
    TitleReadError = 82,
    TitleConfirm = 83,
    TitleQuitConfirm = 84,
    TextNoLineStart = 85, // characters that may not begin a line
    FontPGothic = 90,     // the fonts, by their Japanese names
    FontGothic = 91,
    FontMincho = 92,
    TextLogTitle = 95, // "@ Log File"
    TextOn = 146,      // "ON " as ZN.INI stores it
    TextOff = 147,     // "OFF"
};

// Texts added by this program beyond the original table.
enum ExtraTextId : int {
    TextFileNotSaved = 152,     // the file could not be saved
    TextSettingsIoFailed = 153, // ZN.INI could not be read or written; defaults are used
    TextUnmappableChars = 154,  // characters outside code page 932 will be replaced
    TextToolNotStarted = 155,   // the conversion tool could not be started
    TextPrintRange = 156,       // the print range is wrong
    TextFileNotRead = 157,      // the file could not be read
    // ZN.INI could not be written; the settings are not saved.
    TextSettingsNotWritten = 158,
    // Title of a failed write.
    TitleWriteError = 159,
    // A record of the running question file cannot be read.
    TextQuestionFileChanged = 160,
    // A background path the code page cannot hold.
    TextPathNotSjis = 161,
    // The picture filter of the background chooser.
    TextPictureFilter = 162,
    TextReplaceFile = 166,      // the name with its default extension exists: replace it?
    TextPrintDataNotRead = 170, // the print data could no longer be read
    TextLogRecordShort = 171,   // a log record has fewer than four fields
    TextPrintFailed = 172,      // the printer failed or went away
    TextPdfNotWritten = 173,    // the PDF file could not be written completely
    TextPrintErrorTitle = 174,  // title of printing failures
    TextInputTooLong = 190,     // a paste or input-method commit refused whole; @ = room left
    TextPad = 290,              // a game controller: "Pad" and its number
    TextPadButton = 291,        // one of its buttons, after the pad
    TextPadsUnplugged = 292,    // window title note: players' pads that are unplugged
};
