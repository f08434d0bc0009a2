#pragma once

// String-table ids of the study history and its window.
enum HistoryTextId : int {
    TitleStats = 230,              // 成績
    MenuStats = 231,               // 成績(&R)
    TitleHistoryError = 232,       // 履歴Error
    TextHistoryAskMoveAside = 233, // the file is broken: move it to @ and start anew?
    TextHistoryUnreadable = 234,
    TextHistoryReadOnly = 235,
    TextHistoryLocked = 236,
    TextHistoryFull = 237,
    TextHistoryTooNew = 238,
    TextRecordHistory = 239,   // 成績を記録する
    TextClearHistory = 240,    // 履歴を消去...
    TextAskClearHistory = 241, // delete the whole history?
    TextAllPlayers = 242,      // 全員
    TextAllFiles = 243,        // 全File
    TextAllGenres = 244,       // 全ジャンル
    TextChartGenre = 245,      // accuracy per genre
    TextChartBuzzPoint = 246,  // accuracy by how early the buzz came
    TextChartDaily = 247,      // answers and accuracy per day
    TextTable = 248,           // 表
    TextSaveChart = 249,       // 画像保存
    TextMakeReview = 250,      // 復習問題を作る
    TextSpacedReview = 251,    // order by the spaced-review rule
    TextPngFilter = 252,       // PNG画像 (*.png)
    TextReviewWritten = 253,   // @ questions written
    TextNothingToReview = 254,
    TextTableHeaders = 255,  // comma-separated column titles
    TextBuzzPointAxis = 256, // x axis of the buzz-point chart
    TextReviewMissing = 257, // @ questions were no longer in their files
    TextHistoryBroken = 258, // broken during the run: checked at the next start
    TextStatsLabels = 259,   // comma-separated labels: player, file, genre, answered, accuracy
};
