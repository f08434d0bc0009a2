#include "stats/StatsCharts.h"

#include "core/ResText.h"
#include "history/HistoryTexts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QHorizontalBarSeries>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

enum LabelField { FieldPlayer, FieldFile, FieldGenre, FieldAnswered, FieldPercent };

QValueAxis* PercentAxis() {
    auto* axis = new QValueAxis;
    axis->setRange(0, 100);
    axis->setTickCount(6);
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->setTitleText(TextField(TextStatsLabels, FieldPercent));
    return axis;
}

QChart* NewChart(int titleId) {
    auto* chart = new QChart;
    chart->setTitle(ResText(titleId));
    QFont title = chart->titleFont();
    title.setPointSize(12);
    title.setBold(true);
    chart->setTitleFont(title);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

// Accuracy bars with their whole percents. Horizontal bars put the categories on the left,
// where long names (the genres) have room; the buzz points stand upright along the bottom.
QChart* RateChart(int titleId, const QStringList& categories, const QList<RateRow>& rows,
                  const QString& categoryTitle, bool horizontal) {
    QChart* chart = NewChart(titleId);
    auto* set = new QBarSet(TextField(TextStatsLabels, FieldPercent));
    QStringList names = categories;
    QList<RateRow> values = rows;
    if (horizontal) {
        // Drawn from the bottom up: reversed, the first category is at the top.
        std::reverse(names.begin(), names.end());
        std::reverse(values.begin(), values.end());
    }
    // Whole percents on the bars; the table has the tenths.
    for (const RateRow& r : values)
        *set << std::round(r.percent());
    set->setColor(QColor(0x2e, 0x7d, 0x32));
    QAbstractBarSeries* series = horizontal
                                     ? static_cast<QAbstractBarSeries*>(new QHorizontalBarSeries)
                                     : static_cast<QAbstractBarSeries*>(new QBarSeries);
    series->append(set);
    series->setLabelsVisible(true);
    series->setLabelsFormat(QStringLiteral("@value"));
    series->setLabelsPrecision(3);
    chart->addSeries(series);
    auto* category = new QBarCategoryAxis;
    category->append(names);
    if (!categoryTitle.isEmpty()) category->setTitleText(categoryTitle);
    chart->addAxis(category, horizontal ? Qt::AlignLeft : Qt::AlignBottom);
    series->attachAxis(category);
    QValueAxis* percent = PercentAxis();
    chart->addAxis(percent, horizontal ? Qt::AlignBottom : Qt::AlignLeft);
    series->attachAxis(percent);
    chart->legend()->setVisible(false);
    return chart;
}

} // namespace

QString TextField(int id, int index) {
    return ResText(id).split(QLatin1Char(',')).value(index);
}

QString TenthLabel(int k) {
    return QStringLiteral("%1/10").arg(k + 1);
}

QChart* GenreChart(const QList<RateRow>& rows) {
    QStringList names;
    for (const RateRow& r : rows)
        names << ResText(20 + r.key);
    return RateChart(TextChartGenre, names, rows, QString(), true);
}

QChart* BuzzPointChart(const QList<RateRow>& rows) {
    QStringList labels;
    for (const RateRow& r : rows)
        labels << TenthLabel(r.key);
    return RateChart(TextChartBuzzPoint, labels, rows, ResText(TextBuzzPointAxis), false);
}

QChart* DailyChart(const QList<DayRow>& rows) {
    QChart* chart = NewChart(TextChartDaily);
    auto* answered = new QBarSet(TextField(TextStatsLabels, FieldAnswered));
    answered->setColor(QColor(0x64, 0x95, 0xed));
    auto* bars = new QBarSeries;
    auto* line = new QLineSeries;
    line->setName(TextField(TextStatsLabels, FieldPercent));
    line->setPointsVisible(true);
    QPen pen(QColor(0xd3, 0x2f, 0x2f));
    pen.setWidth(2);
    line->setPen(pen);
    QStringList days;
    int most = 0;
    for (int i = 0; i < rows.size(); ++i) {
        const DayRow& r = rows[i];
        *answered << r.answered;
        most = std::max(most, r.answered);
        if (r.answered > 0) line->append(i, r.percent());
        // Day numbers only, so every label fits; the axis title gives the dates. Within a few
        // weeks no day number repeats.
        days << QString::number(r.day.day());
    }
    bars->append(answered);
    chart->addSeries(bars);
    chart->addSeries(line);
    auto* x = new QBarCategoryAxis;
    x->append(days);
    if (!rows.isEmpty())
        x->setTitleText(rows.first().day.toString(QStringLiteral("yyyy/M/d")) + QChar(0xff5e) +
                        rows.last().day.toString(QStringLiteral("M/d")));
    chart->addAxis(x, Qt::AlignBottom);
    bars->attachAxis(x);
    line->attachAxis(x);
    auto* count = new QValueAxis;
    count->setRange(0, std::max(10, most + most / 10 + 1));
    count->applyNiceNumbers();
    count->setLabelFormat(QStringLiteral("%d"));
    count->setTitleText(TextField(TextStatsLabels, FieldAnswered));
    chart->addAxis(count, Qt::AlignLeft);
    bars->attachAxis(count);
    QValueAxis* percent = PercentAxis();
    chart->addAxis(percent, Qt::AlignRight);
    line->attachAxis(percent);
    return chart;
}
