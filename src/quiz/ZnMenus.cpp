#include "quiz/ZN.h"

#include "core/AppGlobals.h"
#include "core/FileDialog.h"
#include "core/ResText.h"
#include "core/Resources.h"
#include "history/HistoryTexts.h"
#include "platform/Platform.h"
#include "quiz/WindowFactory.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

template <size_t N>
void AddItems(QMenu* menu, std::array<QAction*, N>& items, const char* const (&captions)[N]) {
    for (size_t i = 0; i < N; ++i) {
        const QString caption = QString::fromUtf8(captions[i]);
        items[i] = caption == QLatin1String("-") ? menu->addSeparator() : menu->addAction(caption);
    }
}

} // namespace

void ZN::buildMenus() {
    static const char* const file[9] = {"開始(&S)",     "-", "問題読込(&L)",
                                        "問題作成(&M)", "-", "印刷(&P)",
                                        "ログ保存(&V)", "-", "ＺＮの終了(&X)"};
    static const char* const edit[3] = {"ｵﾌﾟｼｮﾝ(&O)", "-", "CSVﾌｧｲﾙ変換"};
    static const char* const help[5] = {"ﾍﾙﾌﾟ(&C)", "-", "ﾊﾞｰｼﾞｮﾝ情報(&A)", "-", ""};
    static const char* const judge[2] = {"○正解", "×誤答"};

    menu[FileMenu] = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    menu[EditMenu] = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    menu[HelpMenu] = menuBar()->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    // The judge menu is never on the bar; it is shown on a right click in the judge wait.
    menu[JudgeMenu] = new QMenu(this);
    AddItems(menu[FileMenu], menu1, file);
    AddItems(menu[EditMenu], menu2, edit);
    AddItems(menu[HelpMenu], menu3, help);
    AddItems(menu[JudgeMenu], PopUp, judge);

    for (int i = 0; i < 9; ++i)
        connect(menu1[i], &QAction::triggered, this, [this, i] { menu1_Click(i); });
    for (int i = 0; i < 3; ++i)
        connect(menu2[i], &QAction::triggered, this, [this, i] { menu2_Click(i); });
    for (int i = 0; i < 5; ++i)
        connect(menu3[i], &QAction::triggered, this, [this, i] { menu3_Click(i); });
    // The study history's window. Its shortcut is a press: the key's release goes to the
    // window it opens, so it never buzzes.
    menu3[HelpStats]->setText(ResText(MenuStats));
    menu3[HelpStats]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    for (int i = 0; i < 2; ++i) {
        // F1/F2 are judged on key release by the window; the shortcuts are shown in the menu
        // and act only while the menu itself is open.
        PopUp[i]->setShortcut(QKeySequence(i == JudgeRight ? Qt::Key_F1 : Qt::Key_F2));
        PopUp[i]->setShortcutContext(Qt::WidgetShortcut);
        connect(PopUp[i], &QAction::triggered, this, [this, i] { PopUp_Click(i); });
    }
    menu1[FileStart]->setEnabled(false);
    menu1[FileSaveLog]->setEnabled(false);
    menu2[EditConvert]->setEnabled(false);
}

void ZN::menu1_Click(int index) {
    menu1[FileStart]->setEnabled(false);
    WindowFactory& windows = windowFactory();
    switch (index) {
    case FileStart:
        st.questionNo = 0;
        st.running = true;
        NextQuestion();
        setTimerEnabled(st.running);
        break;
    case FileLoad:
    case FilePrint:
        CloseQuestionFile();
        FileDialog(this, index == FilePrint ? DialogOpenPrintData : DialogOpenQuestions);
        if (G().CurrentFile.isEmpty()) {
            ResMsgBox(this, MsgError, TitleReadError, TextChooseFile, TextReloadFile);
            break;
        }
        if (index == FileLoad) {
            if (OpenQuestionFile())
                menu1[FileStart]->setEnabled(true);
            else
                ResMsgBox(this, MsgError, TitleReadError, TextFileNotRead, TextReloadFile);
        } else if (windows.showPrint) {
            windows.showPrint(this);
        }
        break;
    case FileMake:
        CloseQuestionFile();
        if (windows.showEditor) windows.showEditor(this);
        break;
    case FileSaveLog:
        if (ResMsgBox(this, MsgYesNo, TitleConfirm, 48, 0) == AnswerYes) SaveLog();
        break;
    case FileExit:
        Form_Unload();
        allowClose_ = true;
        close();
        break;
    default:
        break;
    }
}

void ZN::menu2_Click(int index) {
    CloseQuestionFile();
    switch (index) {
    case EditOptions:
        if (!windowFactory().showSettings) break;
        windowFactory().showSettings(this);
        LoadSettings();
        if (G().Roster.matchOn) buzzSound_ = LoadSound(12);
        ShowPadNotice();
        break;
    case EditConvert: {
        hide();
        const bool started = platform().runAndWait(G().ToolPath, {});
        show();
        if (!started) ResMsgBox(this, MsgError, TitleReadError, TextToolNotStarted, 0);
        break;
    }
    default:
        break;
    }
}

void ZN::menu3_Click(int index) {
    switch (index) {
    case HelpContents:
        platform().showHelp(this, G().HelpPath);
        break;
    case HelpVersion:
        if (windowFactory().showVersion) windowFactory().showVersion(this);
        break;
    case HelpStats:
        // Like the help, it leaves the file and the run as they are; a run pauses meanwhile.
        if (windowFactory().showStats) windowFactory().showStats(this);
        break;
    default:
        break;
    }
}
