#include "pomvex/Henkan.h"

#include "platform/HelpKey.h"
#include "platform/Platform.h"
#include "pomvex/RowModel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPalette>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString Title = QStringLiteral("Pomvex");

QList<FileFilter> tableFilters() {
    return {FileFilter{QStringLiteral("問題ﾘｽﾄ (*.csv;*.txt;*.tsv)"),
                       QStringLiteral("*.csv;*.txt;*.tsv")},
            FileFilter{QStringLiteral("全てのﾌｧｲﾙ (*.*)"), QStringLiteral("*")}};
}

QList<FileFilter> questionFilters() {
    return {FileFilter{QStringLiteral("ZN問題ﾌｧｲﾙ (*.znd)"), QStringLiteral("*.znd")}};
}

QString folderOf(const QString& path) {
    return path.isEmpty() ? QDir::homePath() : QFileInfo(path).absolutePath();
}

} // namespace

Henkan::Henkan(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Pomvex - CSVﾌｧｲﾙ変換"));
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 10));
    resize(780, 560);
    setAcceptDrops(true); // a list dropped on the window is opened as if chosen
    // The program's help file lies beside the tool.
    AddHelpKey(this,
               [] { return QCoreApplication::applicationDirPath() + QStringLiteral("/zn.hlp"); });

    inputBox = new QLineEdit(this);
    inputBox->setPlaceholderText(QStringLiteral("表計算ｿﾌﾄで保存したCSVまたはﾀﾌﾞ区切りのﾌｧｲﾙ"));
    inputButton = new QPushButton(QStringLiteral("参照(&I)..."), this);
    reloadButton = new QPushButton(QStringLiteral("再読込(&R)"), this);
    encodingBox = new QComboBox(this);
    for (TableEncoding e :
         {TableEncoding::Auto, TableEncoding::Utf8, TableEncoding::Utf16, TableEncoding::Cp932})
        encodingBox->addItem(EncodingName(e), int(e));
    detectedLabel = new QLabel(this);

    model = new RowModel(this);
    preview = new QTableView(this);
    preview->setModel(model);
    preview->setSelectionBehavior(QAbstractItemView::SelectRows);
    preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview->setWordWrap(false);
    // Tab moves on to the next control, as everywhere else; the arrows move between rows.
    preview->setTabKeyNavigation(false);
    preview->verticalHeader()->hide();
    // Fixed row heights: the view then never measures rows that are not on screen.
    preview->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    preview->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    preview->horizontalHeader()->setStretchLastSection(true);
    const int widths[] = {48, 300, 130, 110};
    for (int c = 0; c < 4; ++c)
        preview->setColumnWidth(c, widths[c]);

    detailLabel = new QLabel(this);
    detailLabel->setWordWrap(true);
    detailLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summaryLabel = new QLabel(this);
    problemsOnlyBox = new QCheckBox(QStringLiteral("問題のある行だけ表示(&P)"), this);
    goodOnlyBox = new QCheckBox(QStringLiteral("ｴﾗｰの行を除いて変換(&G)"), this);
    cutBox = new QCheckBox(QStringLiteral("長すぎる問題・解答を切り詰める(&T)"), this);
    yenBox = new QCheckBox(QStringLiteral("¥と‾を全角（￥ ￣）で書く(&Y)"), this);
    outputBox = new QLineEdit(this);
    outputBox->setPlaceholderText(QStringLiteral("出力する問題ﾌｧｲﾙ (.znd)"));
    outputButton = new QPushButton(QStringLiteral("参照(&O)..."), this);
    progressBar = new QProgressBar(this);
    progressBar->hide();
    statusLabel = new QLabel(this);
    statusLabel->setWordWrap(true);
    exportButton = new QPushButton(QStringLiteral("問題ﾌｧｲﾙをCSVに書出し(&E)..."), this);
    convertButton = new QPushButton(QStringLiteral("変換(&C)"), this);
    closeButton = new QPushButton(QStringLiteral("終了(&X)"), this);
    convertButton->setDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("入力ﾌｧｲﾙ:"), this), 0, 0);
    grid->addWidget(inputBox, 0, 1);
    grid->addWidget(inputButton, 0, 2);
    grid->addWidget(reloadButton, 0, 3);
    auto* encodingRow = new QHBoxLayout;
    encodingRow->addWidget(encodingBox);
    encodingRow->addWidget(detectedLabel, 1);
    grid->addWidget(new QLabel(QStringLiteral("文字ｺｰﾄﾞ:"), this), 1, 0);
    grid->addLayout(encodingRow, 1, 1, 1, 3);

    auto* checks = new QHBoxLayout;
    checks->addWidget(summaryLabel, 1);
    checks->addWidget(problemsOnlyBox);

    auto* options = new QHBoxLayout;
    options->addWidget(goodOnlyBox);
    options->addWidget(cutBox);
    options->addWidget(yenBox);
    options->addStretch(1);

    auto* out = new QGridLayout;
    out->addWidget(new QLabel(QStringLiteral("出力ﾌｧｲﾙ:"), this), 0, 0);
    out->addWidget(outputBox, 0, 1);
    out->addWidget(outputButton, 0, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(exportButton);
    buttons->addStretch(1);
    buttons->addWidget(convertButton);
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(preview, 1);
    layout->addWidget(detailLabel);
    layout->addLayout(checks);
    layout->addLayout(options);
    layout->addLayout(out);
    layout->addWidget(progressBar);
    layout->addWidget(statusLabel);
    layout->addLayout(buttons);

    connect(inputButton, &QPushButton::clicked, this, &Henkan::Sansho_Click);
    connect(reloadButton, &QPushButton::clicked, this, &Henkan::Saiyomi_Click);
    connect(encodingBox, &QComboBox::activated, this, &Henkan::Moji_Change);
    connect(problemsOnlyBox, &QCheckBox::clicked, this, &Henkan::Option_Click);
    connect(cutBox, &QCheckBox::clicked, this, &Henkan::Option_Click);
    connect(goodOnlyBox, &QCheckBox::clicked, this, &Henkan::Option_Click);
    connect(yenBox, &QCheckBox::clicked, this, &Henkan::Option_Click);
    connect(outputButton, &QPushButton::clicked, this, &Henkan::Hozon_Click);
    connect(convertButton, &QPushButton::clicked, this, &Henkan::Henkan_Click);
    connect(exportButton, &QPushButton::clicked, this, &Henkan::Kakidashi_Click);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    // Only committed text reaches text(): a name still being composed does not count yet.
    connect(outputBox, &QLineEdit::textChanged, this, &Henkan::updateControls);
    // A path typed or pasted into the list box opens on Enter, as one chosen with the button.
    connect(inputBox, &QLineEdit::returnPressed, this, [this] {
        const QString typed = QDir::fromNativeSeparators(inputBox->text().trimmed());
        if (typed.isEmpty()) return;
        if (typed == InputPath)
            LoadTable(typed); // the same list again keeps the output name
        else
            OpenList(typed);
    });
    connect(outputBox, &QLineEdit::returnPressed, this, [this] {
        if (convertButton->isEnabled()) Henkan_Click();
    });

    const QList<QWidget*> order = {
        inputButton, reloadButton, encodingBox,  preview,      problemsOnlyBox, goodOnlyBox, cutBox,
        yenBox,      outputBox,    outputButton, exportButton, convertButton,   closeButton};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    connect(preview->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &Henkan::showDetail);
    updateControls();
    inputButton->setFocus();
}

Henkan::~Henkan() = default;

void Henkan::message(int kind, const QString& text) {
    platform().messageBox(this, kind, Title, text);
}

TableEncoding Henkan::chosenEncoding() const {
    return TableEncoding(encodingBox->currentData().toInt());
}

void Henkan::Sansho_Click() {
    const QString path = platform().openFileName(this, QStringLiteral("変換する問題ﾘｽﾄ"),
                                                 tableFilters(), folderOf(InputPath));
    if (!path.isEmpty()) OpenList(path);
}

void Henkan::OpenList(const QString& path) {
    if (LoadTable(path)) {
        outputBox->setText(QFileInfo(path).dir().filePath(QFileInfo(path).completeBaseName() +
                                                          QStringLiteral(".znd")));
        ConfirmedPath.clear();
    }
}

void Henkan::Saiyomi_Click() {
    if (!InputPath.isEmpty()) LoadTable(InputPath);
}

void Henkan::Moji_Change(int) {
    if (!InputPath.isEmpty()) LoadTable(InputPath);
}

void Henkan::Option_Click() {
    if (!Loaded) {
        updateControls();
        return;
    }
    if (sender() == problemsOnlyBox) {
        model->setProblemsOnly(problemsOnlyBox->isChecked());
        showDetail(); // the rows shown changed under the current one
        return;
    }
    check();
}

bool Henkan::LoadTable(const QString& path) {
    QString error;
    TableFile table;
    if (!ReadTableFile(path, chosenEncoding(), table, &error)) {
        message(MsgError, QStringLiteral("%1\r\n%2").arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    InputPath = path;
    inputBox->setText(QDir::toNativeSeparators(path));
    Table = std::move(table);
    Loaded = true;
    check();
    return true;
}

void Henkan::check() {
    const bool long_ = Table.rows.size() >= ProgressFrom;
    model->setTable(nullptr);
    if (long_) {
        progressBar->setRange(0, int(Table.rows.size()));
        progressBar->setValue(0);
        progressBar->show();
        statusLabel->setText(QStringLiteral("確認中..."));
    }
    const CheckOptions options{cutBox->isChecked(), !yenBox->isChecked(), std::nullopt};
    Checked = CheckTable(Table.rows, options, [&](int done, int) {
        if (!long_) return;
        progressBar->setValue(done);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    progressBar->hide();
    model->setTable(&Checked);
    model->setProblemsOnly(problemsOnlyBox->isChecked());

    detectedLabel->setText(QStringLiteral("%1・%2%3　%4")
                               .arg(EncodingName(Table.encoding),
                                    Table.separator == u'\t' ? QStringLiteral("ﾀﾌﾞ区切り")
                                                             : QStringLiteral("ｶﾝﾏ区切り"),
                                    chosenEncoding() == TableEncoding::Auto
                                        ? QStringLiteral("（自動判定）")
                                        : QString(),
                                    ColumnsText(Checked.columns)));
    QString summary = SummaryText(Checked);
    if (Checked.heading) summary += QStringLiteral("（1行目は見出しとして読み飛ばしました）");
    summaryLabel->setText(summary);
    QStringList notes;
    for (const RowIssue& issue : Checked.fileIssues)
        notes << issue.reason;
    if (Table.badBytes > 0)
        notes << QStringLiteral("読めないﾊﾞｲﾄがあります。文字ｺｰﾄﾞを選び直して下さい。");
    if (Checked.errorRows > 0 && !goodOnlyBox->isChecked())
        notes << QStringLiteral(
            "ｴﾗｰの行を直して再読込するか、「ｴﾗｰの行を除いて変換」を選んで下さい。");
    setStatus(notes.join(QStringLiteral("\n")), Checked.errorRows > 0);
    showDetail();
    updateControls();
}

void Henkan::showDetail() {
    const CheckedRow* row = model->rowAt(preview->currentIndex().row());
    QStringList lines;
    if (row)
        for (const RowIssue& issue : row->issues)
            lines << QStringLiteral("%1行目: %2").arg(row->row).arg(issue.reason);
    detailLabel->setText(lines.join(u'\n'));
}

void Henkan::setStatus(const QString& text, bool alarm) {
    QPalette colours = palette();
    if (alarm) colours.setColor(QPalette::WindowText, QColor(0xB0, 0, 0));
    statusLabel->setPalette(colours);
    statusLabel->setText(text);
}

void Henkan::updateControls() {
    reloadButton->setEnabled(Loaded);
    const bool blocked = Checked.errorRows > 0 && !goodOnlyBox->isChecked();
    convertButton->setEnabled(Loaded && !outputBox->text().trimmed().isEmpty() &&
                              !Checked.rows.isEmpty() && !blocked);
}

QString Henkan::outputPath(const QString& typed, const char* extension, const QString& source) {
    QString path = typed.trimmed();
    if (path.isEmpty()) return QString();
    if (path.endsWith(u'/') || QFileInfo(path).isDir()) {
        message(MsgError,
                QStringLiteral("%1\r\nﾌｧｲﾙ名を入れて下さい。").arg(QDir::toNativeSeparators(path)));
        return QString();
    }
    if (!path.endsWith(QLatin1String(extension), Qt::CaseInsensitive))
        path += QLatin1String(extension);
    if (QFileInfo(path).isRelative() && !InputPath.isEmpty())
        path = QFileInfo(InputPath).dir().filePath(path);
    path = QDir::cleanPath(path);
    const QFileInfo target(path);
    if (!source.isEmpty() && target.exists() &&
        target.canonicalFilePath() == QFileInfo(source).canonicalFilePath()) {
        message(MsgError, QStringLiteral("%1\r\n読み込んだﾌｧｲﾙには書き込めません。")
                              .arg(QDir::toNativeSeparators(path)));
        return QString();
    }
    // The save dialog asked about the name it returned; a name that only now got its extension
    // or was typed into the box was never asked about.
    if (QFileInfo::exists(path) && path != ConfirmedPath) {
        const int answer =
            platform().messageBox(this, MsgReplace, Title,
                                  QStringLiteral("%1 は既にあります。\r\n置き換えますか？")
                                      .arg(QDir::toNativeSeparators(path)));
        if (answer != AnswerYes) return QString();
    }
    return path;
}

void Henkan::Hozon_Click() {
    const QString start =
        outputBox->text().isEmpty() ? folderOf(InputPath) : folderOf(outputBox->text());
    const QString path =
        platform().saveFileName(this, QStringLiteral("問題ﾌｧｲﾙの保存"), questionFilters(), start);
    if (path.isEmpty()) return;
    ConfirmedPath = QDir::cleanPath(path);
    outputBox->setText(QDir::toNativeSeparators(path));
}

void Henkan::Henkan_Click() {
    if (!Loaded) return;
    if (Checked.errorRows > 0 && !goodOnlyBox->isChecked()) {
        message(MsgError, QStringLiteral("%1行にｴﾗｰがあります。\r\n直してから再読込するか、"
                                         "「ｴﾗｰの行を除いて変換」を選んで下さい。")
                              .arg(GroupedNumber(Checked.errorRows)));
        return;
    }
    const QString path =
        outputPath(QDir::fromNativeSeparators(outputBox->text()), ".znd", InputPath);
    if (path.isEmpty()) return;
    outputBox->setText(QDir::toNativeSeparators(path));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    int written = 0;
    QString error;
    const WriteResult result =
        WriteQuestions(Checked, path, goodOnlyBox->isChecked(), &written, &error);
    QApplication::restoreOverrideCursor();
    if (result != WriteResult::Written) {
        setStatus(error, true);
        message(MsgError, QStringLiteral("%1\r\n%2").arg(QDir::toNativeSeparators(path), error));
        return;
    }
    QString text = QStringLiteral("%1 に%2問を書き込みました。")
                       .arg(QDir::toNativeSeparators(path), GroupedNumber(written));
    if (Checked.errorRows > 0)
        text +=
            QStringLiteral("\r\nｴﾗｰのある%1行は除きました。").arg(GroupedNumber(Checked.errorRows));
    setStatus(text, false);
    // The save dialog's question covered one replacement; writing again asks again.
    ConfirmedPath.clear();
    message(MsgPlain, text);
}

void Henkan::Kakidashi_Click() {
    const QString source = platform().openFileName(this, QStringLiteral("書き出す問題ﾌｧｲﾙ"),
                                                   questionFilters(), folderOf(InputPath));
    if (source.isEmpty()) return;
    const QString chosen = platform().saveFileName(
        this, QStringLiteral("CSVﾌｧｲﾙの保存"),
        {FileFilter{QStringLiteral("CSVﾌｧｲﾙ (*.csv)"), QStringLiteral("*.csv")}}, folderOf(source));
    if (chosen.isEmpty()) return;
    ConfirmedPath = QDir::cleanPath(chosen);
    const QString path = outputPath(chosen, ".csv", source);
    ConfirmedPath.clear();
    if (path.isEmpty()) return;
    int records = 0;
    QString error;
    if (!ExportQuestionFile(source, path, &records, &error)) {
        message(MsgError, error);
        return;
    }
    const QString text = QStringLiteral("%1 に%2問を書き出しました。")
                             .arg(QDir::toNativeSeparators(path), GroupedNumber(records));
    setStatus(text, false);
    message(MsgPlain, text);
}

namespace {
// The one local file being dragged, or empty.
QString droppedFile(const QMimeData* mime) {
    if (!mime || mime->urls().size() != 1) return QString();
    return mime->urls().first().toLocalFile();
}
} // namespace

void Henkan::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void Henkan::dropEvent(QDropEvent* event) {
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    OpenList(path);
}

void Henkan::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    // Enter presses the focused button, as in the program's dialogs.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget());
            button && button->isEnabled()) {
            button->click();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}
