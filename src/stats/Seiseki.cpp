#include "stats/Seiseki.h"

#include "core/AppGlobals.h"
#include "core/FileDialog.h"
#include "core/ResText.h"
#include "core/SafeFile.h"
#include "history/HistoryStore.h"
#include "history/HistoryTexts.h"
#include "history/ReviewList.h"
#include "platform/Platform.h"
#include "stats/StatsCharts.h"

#include <QBuffer>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum LabelField { FieldPlayer, FieldFile, FieldGenre };

QLabel* Label(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    return label;
}

} // namespace

struct Seiseki::Store {
    HistoryStore history;
    bool open = false;
};

Seiseki::Seiseki(const QString& historyPath, QWidget* parent)
    : QDialog(parent), historyPath_(historyPath), store_(std::make_unique<Store>()) {
    setWindowTitle(ResText(TitleStats));
    resize(860, 620);

    playerBox = new QComboBox(this);
    fileBox = new QComboBox(this);
    fileBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    fileBox->setMinimumContentsLength(30);
    auto* filters = new QHBoxLayout;
    filters->addWidget(Label(TextField(TextStatsLabels, FieldPlayer), this));
    filters->addWidget(playerBox, 1);
    filters->addSpacing(12);
    filters->addWidget(Label(TextField(TextStatsLabels, FieldFile), this));
    filters->addWidget(fileBox, 3);

    tabs = new QTabWidget(this);
    const int titles[] = {TextChartGenre, TextChartBuzzPoint, TextChartDaily};
    for (int i = 0; i < 3; ++i) {
        charts[i] = new QChartView(this);
        charts[i]->setRenderHint(QPainter::Antialiasing);
        tabs->addTab(charts[i], ResText(titles[i]));
    }
    table = new QTableWidget(this);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setVisible(false);
    tabs->addTab(table, ResText(TextTable));

    saveButton = new QPushButton(ResText(TextSaveChart), this);
    genreBox = new QComboBox(this);
    genreBox->addItem(ResText(TextAllGenres), 0);
    for (int g = 1; g <= 7; ++g)
        genreBox->addItem(ResText(20 + g), g);
    spacedBox = new QCheckBox(ResText(TextSpacedReview), this);
    reviewButton = new QPushButton(ResText(TextMakeReview), this);
    // Qt's own button, in Japanese through Qt's translations like every other dialog button.
    auto* closeBox = new QDialogButtonBox(QDialogButtonBox::Close, this);
    closeButton = closeBox->button(QDialogButtonBox::Close);
    auto* commands = new QHBoxLayout;
    commands->addWidget(saveButton);
    commands->addSpacing(24);
    commands->addWidget(Label(TextField(TextStatsLabels, FieldGenre), this));
    commands->addWidget(genreBox);
    commands->addWidget(spacedBox);
    commands->addWidget(reviewButton);
    commands->addStretch(1);
    commands->addWidget(closeBox);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(tabs, 1);
    layout->addLayout(commands);

    connect(saveButton, &QPushButton::clicked, this, &Seiseki::SaveChart_Click);
    connect(reviewButton, &QPushButton::clicked, this, &Seiseki::MakeReview_Click);
    connect(closeBox, &QDialogButtonBox::rejected, this, &QDialog::accept);
    connect(tabs, &QTabWidget::currentChanged, this,
            [this](int index) { saveButton->setEnabled(index < 3); });
}

Seiseki::~Seiseki() = default;

bool Seiseki::openStore() {
    if (store_->open) return true;
    if (!QFileInfo::exists(historyPath_)) return false;
    // Read-write first, so a log left by another program is replayed; a file we may not
    // write is still shown.
    store_->open = store_->history.open(historyPath_) == StoreStatus::Ok;
    if (!store_->open) {
        HistoryStore::Options options;
        options.readOnly = true;
        store_->open = store_->history.open(historyPath_, options) == StoreStatus::Ok;
    }
    return store_->open;
}

void Seiseki::Form_Load() {
    openStore();
    const QSignalBlocker blockPlayers(playerBox);
    const QSignalBlocker blockFiles(fileBox);
    playerBox->clear();
    fileBox->clear();
    playerBox->addItem(ResText(TextAllPlayers));
    fileBox->addItem(ResText(TextAllFiles));
    if (store_->open) {
        for (const QString& name : HistoryPlayers(store_->history.database()))
            playerBox->addItem(name, name);
        for (const QString& path : HistoryFiles(store_->history.database())) {
            fileBox->addItem(QFileInfo(path).fileName(), path);
            fileBox->setItemData(fileBox->count() - 1, path, Qt::ToolTipRole);
        }
    }
    connect(playerBox, &QComboBox::currentIndexChanged, this, &Seiseki::Filter_Change,
            Qt::UniqueConnection);
    connect(fileBox, &QComboBox::currentIndexChanged, this, &Seiseki::Filter_Change,
            Qt::UniqueConnection);
    Filter_Change();
}

StatsFilter Seiseki::currentFilter() const {
    StatsFilter filter;
    filter.allPlayers = playerBox->currentIndex() <= 0;
    if (!filter.allPlayers) filter.player = playerBox->currentData().toString();
    if (fileBox->currentIndex() > 0) filter.filePath = fileBox->currentData().toString();
    return filter;
}

void Seiseki::Filter_Change() {
    const StatsFilter filter = currentFilter();
    const QDateTime now = platform().utcNow();
    const QSqlDatabase db = store_->open ? store_->history.database() : QSqlDatabase();
    const StatsSummary summary = Summarize(db, filter, now.toMSecsSinceEpoch(), DaysShown,
                                           now.toLocalTime().offsetFromUtc());
    genreRows = summary.genres;
    tenthRows = summary.tenths;
    dayRows = summary.days;
    // The view owns its chart and deletes the old one when given a new one.
    charts[0]->setChart(GenreChart(genreRows));
    charts[1]->setChart(BuzzPointChart(tenthRows));
    charts[2]->setChart(DailyChart(dayRows));
    fillTable();
}

void Seiseki::fillTable() {
    const QStringList headers = ResText(TextTableHeaders).split(QLatin1Char(','));
    table->clear();
    table->setColumnCount(int(headers.size()));
    table->setHorizontalHeaderLabels(headers);
    table->setRowCount(0);
    auto add = [this](int groupId, const QString& item, int answered, int right, double percent) {
        const int row = table->rowCount();
        table->insertRow(row);
        const QStringList cells = {
            ResText(groupId), item, QString::number(answered), QString::number(right),
            answered ? QString::number(percent, 'f', 1) : QStringLiteral("-")};
        for (int c = 0; c < cells.size(); ++c) {
            auto* cell = new QTableWidgetItem(cells[c]);
            if (c >= 2) cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(row, c, cell);
        }
    };
    for (const RateRow& r : genreRows)
        add(TextChartGenre, ResText(20 + r.key), r.answered, r.right, r.percent());
    for (const RateRow& r : tenthRows)
        add(TextChartBuzzPoint, TenthLabel(r.key), r.answered, r.right, r.percent());
    for (const DayRow& r : dayRows)
        add(TextChartDaily, r.day.toString(QStringLiteral("yyyy/MM/dd")), r.answered, r.right,
            r.percent());
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
}

void Seiseki::SaveChart_Click() {
    const int index = tabs->currentIndex();
    if (index < 0 || index >= 3) return;
    const QString path =
        platform().saveFileName(this, ResText(TextSaveChart),
                                {{ResText(TextPngFilter), QStringLiteral("*.png")}}, QString());
    if (path.isEmpty()) return;
    QString target = path;
    if (QFileInfo(target).suffix().isEmpty()) target += QStringLiteral(".png");
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QString error;
    if (!charts[index]->grab().save(&buffer, "PNG") || !WriteFileAtomically(target, bytes, &error))
        platform().messageBox(this, MsgError, ResText(TitleWriteError), ResText(TextFileNotSaved));
}

void Seiseki::MakeReview_Click() {
    ReviewOptions options;
    options.filter = currentFilter();
    options.genre = genreBox->currentData().toInt();
    QList<ReviewItem> items;
    if (openStore()) {
        const QSqlDatabase db = store_->history.database();
        items = spacedBox->isChecked()
                    ? DueQuestions(db, options, platform().utcNow().toMSecsSinceEpoch())
                    : MissedQuestions(db, options);
    }
    if (items.isEmpty()) {
        platform().messageBox(this, MsgPlain, ResText(TitleStats), ResText(TextNothingToReview));
        return;
    }
    // The save dialog leaves its choice in the shared state, where the quiz keeps the name of
    // its own file: that must survive.
    AppGlobals& g = G();
    const QString keptFile = g.CurrentFile;
    const int keptCount = g.RecordCount;
    SaveFileDialog(this, 3);
    const QString path = g.CurrentFile;
    g.CurrentFile = keptFile;
    g.RecordCount = keptCount;
    if (path.isEmpty()) return;
    const ReviewFileResult result = WriteReviewFile(items, path);
    if (!result.ok) {
        platform().messageBox(this, MsgError, ResText(TitleWriteError),
                              result.written == 0 && result.error.isEmpty()
                                  ? ResText(TextReviewMissing, QString::number(result.missing))
                                  : ResText(TextFileNotSaved));
        return;
    }
    QString text = ResText(TextReviewWritten, QString::number(result.written));
    if (result.missing > 0)
        text +=
            QStringLiteral("\r\n") + ResText(TextReviewMissing, QString::number(result.missing));
    platform().messageBox(this, MsgPlain, ResText(TitleStats), text);
}

void ShowSeiseki(QWidget* owner, const QString& historyPath) {
    Seiseki window(historyPath, owner);
    window.Form_Load();
    window.exec();
}
