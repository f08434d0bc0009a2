#include "quiz/ZN.h"

#include "core/AppGlobals.h"
#include "core/FileDialog.h"
#include "core/ResText.h"
#include "core/Resources.h"
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
    static const char* const help[3] = {"ﾍﾙﾌﾟ(&C)", "-", "ﾊﾞｰｼﾞｮﾝ情報(&A)"};
    static const char* const judge[2] = {"○正解", "×誤答"};

    menu[0] = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    menu[1] = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    menu[2] = menuBar()->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    // The judge menu is never on the bar; it is shown on a right click in the judge wait.
    menu[3] = new QMenu(this);
    AddItems(menu[0], menu1, file);
    AddItems(menu[1], menu2, edit);
    AddItems(menu[2], menu3, help);
    AddItems(menu[3], PopUp, judge);

    for (int i = 0; i < 9; ++i)
        connect(menu1[i], &QAction::triggered, this, [this, i] { menu1_Click(i); });
    for (int i = 0; i < 3; ++i) {
        connect(menu2[i], &QAction::triggered, this, [this, i] { menu2_Click(i); });
        connect(menu3[i], &QAction::triggered, this, [this, i] { menu3_Click(i); });
    }
    for (int i = 0; i < 2; ++i) {
        // F1/F2 are judged on key release by the window; the shortcuts are shown in the menu
        // and act only while the menu itself is open.
        PopUp[i]->setShortcut(QKeySequence(i == 0 ? Qt::Key_F1 : Qt::Key_F2));
        PopUp[i]->setShortcutContext(Qt::WidgetShortcut);
        connect(PopUp[i], &QAction::triggered, this, [this, i] { PopUp_Click(i); });
    }
    menu1[0]->setEnabled(false);
    menu1[6]->setEnabled(false);
    menu2[2]->setEnabled(false);
    // Keys held when a menu opens are released into the menu, or later into this window as
    // strays; either way they are no longer the window's own.
    for (QMenu* m : menu)
        connect(m, &QMenu::aboutToShow, this, [this] { pressedKeys_.clear(); });
}

void ZN::menu1_Click(int index) {
    menu1[0]->setEnabled(false);
    WindowFactory& windows = windowFactory();
    switch (index) {
    case 0:
        st.questionNo = 0;
        st.running = true;
        NextQuestion();
        setTimerEnabled(st.running);
        break;
    case 2:
    case 5:
        CloseQuestionFile();
        FileDialog(this, index & 1);
        if (G().CurrentFile.isEmpty()) {
            ResMsgBox(this, 1, 82, 42, 40);
            break;
        }
        if (index == 2) {
            if (OpenQuestionFile())
                menu1[0]->setEnabled(true);
            else
                ResMsgBox(this, 1, 82, TextFileNotRead, 40);
        } else if (windows.showPrint) {
            windows.showPrint(this);
        }
        break;
    case 3:
        CloseQuestionFile();
        if (windows.showEditor) windows.showEditor(this);
        break;
    case 6:
        if (ResMsgBox(this, 2, 83, 48, 0) == 6) SaveLog();
        break;
    case 8:
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
    case 0:
        if (!windowFactory().showSettings) break;
        windowFactory().showSettings(this);
        LoadSettings();
        if (G().Roster.matchOn) buzzSound_ = LoadSound(12);
        ShowPadNotice();
        break;
    case 2: {
        hide();
        const bool started = platform().runAndWait(G().ToolPath, {});
        show();
        if (!started) ResMsgBox(this, 1, 82, TextToolNotStarted, 0);
        break;
    }
    default:
        break;
    }
}

void ZN::menu3_Click(int index) {
    switch (index) {
    case 0:
        platform().showHelp(this, G().HelpPath);
        break;
    case 2:
        if (windowFactory().showVersion) windowFactory().showVersion(this);
        break;
    default:
        break;
    }
}
