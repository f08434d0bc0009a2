#include "pomvex/RowModel.h"

#include "core/ResText.h"

#include <QColor>

const QColor RowModel::ErrorColour = QColor(0xFF, 0xD0, 0xD0);
const QColor RowModel::WarningColour = QColor(0xFF, 0xF2, 0xB8);

void RowModel::setTable(const CheckedTable* table) {
    beginResetModel();
    table_ = table;
    rebuild();
    endResetModel();
}

void RowModel::setProblemsOnly(bool on) {
    beginResetModel();
    problemsOnly_ = on;
    rebuild();
    endResetModel();
}

void RowModel::rebuild() {
    shown_.clear();
    if (!table_ || !problemsOnly_) return;
    for (qsizetype i = 0; i < table_->rows.size(); ++i)
        if (!table_->rows[i].issues.isEmpty()) shown_ << int(i);
}

const CheckedRow* RowModel::rowAt(int line) const {
    if (!table_ || line < 0) return nullptr;
    const qsizetype i = problemsOnly_ ? (line < shown_.size() ? shown_[line] : -1) : line;
    return i >= 0 && i < table_->rows.size() ? &table_->rows[i] : nullptr;
}

int RowModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !table_) return 0;
    return int(problemsOnly_ ? shown_.size() : table_->rows.size());
}

int RowModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columns;
}

QVariant RowModel::data(const QModelIndex& index, int role) const {
    const CheckedRow* row = rowAt(index.row());
    if (!row) return QVariant();
    if (role == Qt::BackgroundRole) {
        if (row->hasError()) return ErrorColour;
        if (row->hasWarning()) return WarningColour;
        return QVariant();
    }
    if (role == Qt::TextAlignmentRole && index.column() == RowColumn)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return QVariant();
    switch (index.column()) {
    case RowColumn:
        return row->row;
    case QuestionColumn:
        return row->question;
    case AnswerColumn:
        return row->answer;
    case GenreColumn:
        return row->genre ? QStringLiteral("%1 %2").arg(row->genre).arg(ResText(20 + row->genre))
                          : row->genreText;
    case ProblemColumn: {
        QStringList reasons;
        for (const RowIssue& issue : row->issues)
            reasons << issue.reason;
        return reasons.join(role == Qt::ToolTipRole ? QStringLiteral("\n") : QStringLiteral("、"));
    }
    default:
        return QVariant();
    }
}

QVariant RowModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QVariant();
    static const char16_t* names[] = {u"行", u"問題", u"解答", u"ジャンル", u"問題点"};
    if (section < 0 || section >= Columns) return QVariant();
    const QString name = QString::fromUtf16(names[section]);
    // Which column of the list each one was read from.
    const int from = !table_                     ? -1
                     : section == QuestionColumn ? table_->columns.question
                     : section == AnswerColumn   ? table_->columns.answer
                     : section == GenreColumn    ? table_->columns.genre
                                                 : -1;
    return from < 0 ? name : QStringLiteral("%1（%2列）").arg(name, ColumnLetter(from));
}
