#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

// The print dialog "印刷設定": font, range and rule for printing the current print data
// (G().CurrentFile, a question file or a log) as a list on A4 portrait paper.
class PriPri : public QDialog {
    Q_OBJECT
public:
    explicit PriPri(QWidget* owner = nullptr);
    ~PriPri() override;

    // The control arrays; the index carries the meaning.
    QLabel* Label2 = nullptr;
    // 0 font, 1 range (group boxes), 2 the borderless frame holding the number fields.
    std::array<QWidget*, 3> Frame1{};
    std::array<QRadioButton*, 2> Option1{};
    std::array<QCheckBox*, 2> Check1{}; // 0 rule, 1 range on
    std::array<QLineEdit*, 2> L_StoE{};
    std::array<QScrollBar*, 2> VScroll1{};
    std::array<QLabel*, 2> Label1{};
    std::array<QPushButton*, 2> Command1{}; // 0 print, 1 cancel

    void Form_Load();
    void Check1_Click(int index);
    void VScroll1_Change(int index);
    // False when the typed character is refused.
    bool L_StoE_KeyPress(int index, const QString& typed);
    // False when the field may not be left (its number is above the record count).
    bool L_StoE_Validate(int index);
    void Command1_Click(int index);

    // The number a spin button shows; its upper end is at the top, so its up arrow raises it.
    int spinValue(int index) const;
    void setSpinLimits(int index, int upper, int lower);

    // Esc and the title bar close like "ｷｬﾝｾﾙ".
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void setSpinValue(int index, int value);
    // Prints the chosen range; false (dialog stays open) when nothing was printed.
    bool printNow();
    int fieldNumber(int index) const;
    int focusedField() const;

    std::array<int, 2> spinUpper_{};
    std::array<int, 2> spinLower_{};
    bool closing_ = false;
    int refusedField_ = -1; // a field left with a refused number, until it has the focus again
};

// Runs the print dialog modally over `owner`.
void ShowPriPri(QWidget* owner);
