#pragma once

#include "history/HistoryStats.h"

#include <QList>

class QChart;

// The three charts of the 成績 window, built from the statistics. Each returns a new chart that
// the caller owns (a QChartView takes it over).
QChart* GenreChart(const QList<RateRow>& rows);
QChart* BuzzPointChart(const QList<RateRow>& rows);
QChart* DailyChart(const QList<DayRow>& rows);

// Column `index` of a comma-separated string-table text (the window's labels and headers).
QString TextField(int id, int index);
// "1/10" ... "10/10": the label of tenth k.
QString TenthLabel(int k);
