#pragma once

#include "history/HistoryStats.h"

#include <QDialog>
#include <QList>
#include <QString>

#include <array>

class QChartView;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

// The 成績 window: accuracy per genre, per buzz point and per day, filtered by player and
// question file, the same numbers as a table, and the review-file command. It only reads the
// history; the review file goes wherever the user saves it.
class Seiseki : public QDialog {
    Q_OBJECT
public:
    static constexpr int DaysShown = 28;

    explicit Seiseki(const QString& historyPath, QWidget* parent = nullptr);
    ~Seiseki() override;

    // Opens the history and draws the charts for every player and file.
    void Form_Load();
    // Draws the charts and the table again for the filters as they are set.
    void Filter_Change();
    // Saves the chart of the current tab (the table tab saves nothing) as a PNG file.
    void SaveChart_Click();
    // Writes the review question file for the player, file and genre chosen.
    void MakeReview_Click();

    // --- controls and figures, open to tests ---------------------------------------------
    QComboBox* playerBox = nullptr;
    QComboBox* fileBox = nullptr;
    QComboBox* genreBox = nullptr;
    QCheckBox* spacedBox = nullptr;
    QTabWidget* tabs = nullptr;
    std::array<QChartView*, 3> charts{};
    QTableWidget* table = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* reviewButton = nullptr;
    QPushButton* closeButton = nullptr;
    QList<RateRow> genreRows, tenthRows;
    QList<DayRow> dayRows;

    StatsFilter currentFilter() const;

private:
    void fillTable();
    bool openStore();

    QString historyPath_;
    struct Store;
    std::unique_ptr<Store> store_;
};

// Opens the 成績 window modally over `owner` on the history at `historyPath`.
void ShowSeiseki(QWidget* owner, const QString& historyPath);
