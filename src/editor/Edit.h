#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <QStringList>

#include <array>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;

// The question editor "ZN Editer": one question list in memory, entered, browsed, searched,
// modified and deleted record by record, loaded from and saved to a question file.
// Handlers and state are public so that tests can drive the window exactly as a user would.
class Edit : public QDialog {
    Q_OBJECT

public:
    explicit Edit(QWidget* owner = nullptr);
    ~Edit() override;

    // --- event handlers ------------------------------------------------------------------
    void Form_Load();
    bool Form_Unload(); // false when the user chose to keep the window open
    // Key preview for the text boxes and the genre box; true when the key was consumed.
    bool Form_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift);
    void QA_GotFocus(int Index);
    void QA_LostFocus(int Index);
    void ban_GotFocus();
    int ban_KeyPress(int KeyAscii); // the character to insert, 0 to discard it
    void ban_LostFocus();
    void Idou_Click(int Index);
    void Command1_Click(int Index);
    void Command1_GotFocus(int Index);
    void menu1_Click(int Index);

    // --- routines ------------------------------------------------------------------------
    int MeasureText(const QString& text); // Shift-JIS width of the normalized text
    void ClearScreen();
    void EnableEditing(bool on);
    void UpdateNav();
    void ShowRecord(const QString& recordText);
    void SetCaptions(int id);
    void ShowMsg(int id);
    // The record number in the number box, brought to a whole number 1..EntryNo (the box is
    // rewritten when it held anything else).
    int BanNumber();

    // --- state ---------------------------------------------------------------------------
    static constexpr int ListSize = 1001;
    QStringList EditList; // ListSize record texts; record n at index n - 1
    int EntryNo = 1;      // records + 1: the number a new record gets
    bool ModifyMode = false;
    QString SearchTerm;
    int SearchPos = 0;
    int EditState = 0; // 0 no list, 1 new list, 2 list loaded from a file
    bool SavedFlag = false;
    QString PendingMsg;
    QString LastMeasured; // the last text normalized by MeasureText
    int ShownIndex = -1;  // EditList index of the record on screen while ModifyMode

    // --- controls ------------------------------------------------------------------------
    std::array<QPlainTextEdit*, 2> QA{}; // each refuses input past its character limit
    QComboBox* jun = nullptr;
    QLineEdit* ban = nullptr;
    std::array<QPushButton*, 4> Idou{};
    std::array<QPushButton*, 4> Command1{};
    std::array<QLabel*, 4> Label1{};
    QLabel* msg = nullptr;
    QMenuBar* menuBar = nullptr;
    QMenu* memi = nullptr;
    std::array<QAction*, 7> menu1{};
    QWidget* canvas = nullptr; // the client area below the menu; controls sit on it
    QImage Surface;            // persistent background of the client area

    // Normalizes a box's text as text boxes do on leaving: line breaks removed, blanks trimmed.
    static QString NormalizeText(const QString& text);
    // The text cut to at most `limit` code page 932 bytes without splitting a character.
    static QString CutToBytes(const QString& text, int limit);
    // A record text read from a file, brought to exactly 349 code page 932 bytes so that saving
    // it again can never change the record length of the file.
    static QString FitRecordText(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void buildControls();
    void paintBackground();
    bool isEditingBox(QObject* watched) const;
    void storeRecord();
    void searchOrShow();
    void deleteRecords();
    void openList(int index);
    void saveList(int index);
    bool keyPreview_ = false;
    bool banClickFocus_ = false; // the number box got the focus from a mouse press
};

// Opens the editor modally over `owner`.
void ShowEdit(QWidget* owner);
