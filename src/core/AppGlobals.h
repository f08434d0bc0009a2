#pragma once

#include "core/Records.h"

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

// Process-wide state shared by all windows. Only AppMain writes the folder, file names, title,
// version and screen metrics; the file dialogs write CurrentFile, RecordCount and LogFileFlag.
struct AppGlobals {
    QString AppFolder;   // the executable's folder, always ending in a separator
    QString AppTitle;    // "ZE Zir Uduzedu"
    QString VersionText; // " Version 4.0 Level 32"
    QString HelpPath;    // AppFolder + "zn.hlp"
    QString IniPath;     // ZN.INI: AppFolder, or the per-user config folder when that is read-only
    QString ToolPath;    // the conversion tool beside the program
    // The per-user folder holding ZN.INI and the remembered dialog folders when the program is
    // installed or its folder read-only; empty when ZN.INI lives beside the program.
    QString UserFolder;

    int TwipsX = 15, TwipsY = 15;
    int FontSmall = 9, FontNormal = 10, FontLarge = 12;
    int MainWidth = 9600, MainHeight = 7200;

    QString CurrentFile;
    int RecordCount = 0;
    bool LogFileFlag = false;

    QuestionRecord CurrentRecord;
    QString QuestionText;
    QString AnswerText;

    SettingsRecord Settings;
    MatchRoster Roster;

    // The main window's 640 x 480 artwork surface (sprite sheet at (0, 0) plus composed pieces).
    // Other windows copy tiles and small pictures from it.
    QImage SkinDC;

    // Scratch values: set and read back within one operation only.
    QString WorkText;
    long long WorkNumber = 0;
    long long WorkHandle = 0;
    QRect EdgeRect; // the last edge drawn by DrawEdgeBar

    // The single instance of each window, cleared by the window when it closes.
    QPointer<QWidget> ZN, op, Edit, Cast, Jyou, PriPri;
};

AppGlobals& G();

// Program version: 4.32
constexpr int VersionMajor = 4;
constexpr int VersionMinor = 32;
