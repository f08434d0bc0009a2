#pragma once

#include "data/SettingsFile.h"

#include <QDialog>
#include <QImage>
#include <QString>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class SliderPicture;

// The settings dialog "設定": the quiz settings of ZN.INI as option pairs and two sliders, the
// background picture, and (in match mode) the players with their names and keys. Nothing is
// applied while it is open; "OK" writes ZN.INI and the main window reads it again afterwards.
class Cast : public QDialog {
    Q_OBJECT
public:
    explicit Cast(QWidget* owner = nullptr);
    ~Cast() override;

    // Rbot: the option pairs, "on" first; the log-save pair is shown disabled.
    enum OptionButton {
        SoundOn,
        SoundOff,
        ReadPressOn,
        ReadPressOff,
        RevealOn,
        RevealOff,
        RandomOrder,
        FileOrder,
        GothicFont,
        MinchoFont,
        TimeOverRight,
        TimeOverWrong,
        LogAllCsv,
        LogWrongZnd
    };
    // OK_CAN.
    enum Button {
        ButtonOk,
        ButtonCancel,
        ButtonDefaults,
        ButtonMatch,
        ButtonDeleteMembers,
        ButtonBackground
    };
    // Psp and sliderPos.
    enum Slider { SpeedSlider, ReadPressSlider };

    // The control arrays; the index carries the meaning.
    std::array<QGroupBox*, 11> waku{};
    std::array<QRadioButton*, 14> Rbot{};
    std::array<QPushButton*, 6> OK_CAN{};
    std::array<SliderPicture*, 2> Psp{};
    QLineEdit* F_Path = nullptr;
    QGroupBox* fraQue = nullptr;
    QComboBox* cmbQue = nullptr;
    QImage Bap; // off-screen picture the sliders are composed on

    // The match frame waku[2].
    QLabel* Label1 = nullptr;
    QLineEdit* Nin = nullptr;
    QScrollBar* VScroll1 = nullptr;
    std::array<QComboBox*, 10> NameK{};
    std::array<QComboBox*, 10> UKey{};
    std::array<QLabel*, 2> Label2{};
    std::array<QLabel*, 2> Label3{};
    QLabel* MSG = nullptr;

    // The study history's frame: "成績を記録する" (kept on "OK") and "履歴を消去..." (at once,
    // after asking).
    QGroupBox* wakuHistory = nullptr;
    QCheckBox* chkHistory = nullptr;
    QPushButton* cmdClearHistory = nullptr;
    void ClearHistory_Click();

    // Dialog state.
    QString pathAtOpen;
    QString pendingMessage;
    std::array<int, 2> sliderPos{};
    DialogSettings kept; // kept lines and the member list as read at opening

    enum RowControl { RowNameK, RowUKey, RowLabel2, RowLabel3 };

    void Form_Load();
    void Rbot_Click(int index);
    void Psp_MouseDown(int index, Qt::MouseButton button, int x);
    void Psp_MouseMove(int index, Qt::MouseButtons buttons, int x);
    // Arrow keys, Home and End on a slider: moves it by `steps` positions, within its ends.
    void Psp_KeyStep(int index, int steps);
    void OK_CAN_Click(int index);
    void Nin_LostFocus();
    void VScroll1_Change();
    // A game-controller button pressed while a player's key box has the focus becomes that
    // player's key.
    void UKey_PadButton(int code);
    // False when a player entry is wrong (pendingMessage names it) or the names could not be
    // remembered in ZN.INI.
    bool ValidatePlayers();
    void EnablePlayerRows();
    void ApplyMatchLayout();
    void DrawSliderPreview(int index);
    void ShowPendingMessage();
    QWidget* AddRowControl(RowControl control, int index);

    // The player count typed into Nin, rounded half up; false unless it is a number giving 2-10.
    static bool ParsePlayerCount(const QString& text, int* count);
    // An empty path, an existing file, a wildcard pattern that matches a file, or a folder
    // (ending in a separator) that holds a file.
    static bool BackgroundPathExists(const QString& path);

public slots:
    // Esc and the title bar: closes without "OK", the players as they were before the dialog.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Events of `top` and everything in it reach eventFilter.
    void watchControls(QWidget* top);
    void buildControls();
    void buildMatchFrame();
    void applyFonts();
    void selectRbot(int index);
    void fillRecordFromControls();
    void focusWithMessage(QWidget* box);
    void reportIoFailure(bool writeFailed = true);
    void warnUnmappableName(QWidget* left);
    void emptyNameLists();
    bool applyPlayerCount();

    MatchRoster rosterAtOpen_;
};

// Runs the settings dialog modally over `owner`.
void ShowCast(QWidget* owner);
