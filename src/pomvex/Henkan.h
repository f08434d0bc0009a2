#pragma once

#include "convert/Conversion.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class RowModel;

// The conversion tool's window: choose a question list, see every row with its problems,
// choose the output file and convert; or write a question file back out as a list.
// Handlers and state are public so that tests can drive the window as a user would.
class Henkan : public QWidget {
    Q_OBJECT

public:
    explicit Henkan(QWidget* parent = nullptr);
    ~Henkan() override;

    // --- handlers ------------------------------------------------------------------------
    void Sansho_Click();    // choose the list to convert
    void Saiyomi_Click();   // read the same list again (after fixing it)
    void Moji_Change(int);  // another encoding chosen
    void Option_Click();    // cutting or problem-rows-only switched
    void Hozon_Click();     // choose the output file
    void Henkan_Click();    // convert
    void Kakidashi_Click(); // write a question file out as a list

    // Opens a list chosen or dropped on the window, with the output name beside it.
    void OpenList(const QString& path);
    // Reads, checks and shows a list; false (with a message) when it cannot be used.
    bool LoadTable(const QString& path);

    // --- state ---------------------------------------------------------------------------
    QString InputPath;
    TableFile Table;
    CheckedTable Checked;
    bool Loaded = false;
    QString ConfirmedPath; // the output path whose replacement the save dialog already asked
    static constexpr int ProgressFrom = 2000; // rows from which the progress bar is shown

    // --- controls ------------------------------------------------------------------------
    QLineEdit* inputBox = nullptr;
    QPushButton* inputButton = nullptr;
    QPushButton* reloadButton = nullptr;
    QComboBox* encodingBox = nullptr;
    QLabel* detectedLabel = nullptr;
    QTableView* preview = nullptr;
    RowModel* model = nullptr;
    QLabel* summaryLabel = nullptr;
    QCheckBox* problemsOnlyBox = nullptr;
    QCheckBox* goodOnlyBox = nullptr;
    QCheckBox* cutBox = nullptr;
    QCheckBox* yenBox = nullptr;   // ¥ and ‾ as full-width ￥ and ￣
    QLabel* detailLabel = nullptr; // every problem of the current row, in full
    QLineEdit* outputBox = nullptr;
    QPushButton* outputButton = nullptr;
    QPushButton* convertButton = nullptr;
    QPushButton* exportButton = nullptr;
    QPushButton* closeButton = nullptr;
    QProgressBar* progressBar = nullptr;
    QLabel* statusLabel = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void check();
    void updateControls();
    void showDetail();
    TableEncoding chosenEncoding() const;
    // The path typed or chosen, with the extension added; empty when the user declined.
    QString outputPath(const QString& typed, const char* extension, const QString& source);
    void message(int kind, const QString& text);
    void setStatus(const QString& text, bool alarm);
};
