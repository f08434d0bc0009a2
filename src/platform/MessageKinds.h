#pragma once

// Message-box kinds, as ResMsgBox uses them.
enum MessageKind : int {
    MsgPlain = 0,   // OK, no icon
    MsgError = 1,   // OK, stop icon
    MsgYesNo = 2,   // Yes/No, exclamation icon
    MsgWarning = 3, // OK, exclamation icon
    MsgReplace = 4, // Yes/No, exclamation icon, No the default: "replace the existing file?"
};

// Button numbers returned by messageBox.
enum MessageAnswer : int { AnswerOk = 1, AnswerYes = 6, AnswerNo = 7 };
