#pragma once

#include "convert/Conversion.h"

#include <QAbstractTableModel>
#include <QList>

// The preview of a checked list: one line per question row with its row number, question,
// answer, genre and problems; rows in error and rows with a warning are coloured. Data is made
// only for the lines on screen, so a list of 10,000 rows opens at once.
class RowModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { RowColumn, QuestionColumn, AnswerColumn, GenreColumn, ProblemColumn, Columns };
    static const QColor ErrorColour;
    static const QColor WarningColour;

    using QAbstractTableModel::QAbstractTableModel;

    void setTable(const CheckedTable* table);
    // Shows only the rows that have a problem.
    void setProblemsOnly(bool on);
    bool problemsOnly() const { return problemsOnly_; }
    // The checked row behind a line of the preview.
    const CheckedRow* rowAt(int line) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void rebuild();
    const CheckedTable* table_ = nullptr;
    bool problemsOnly_ = false;
    QList<int> shown_; // indexes into table_->rows when only problem rows are shown
};
