#include "about/OpeningScene.h"
#include "about/op.h"
#include "core/Drawing.h"
#include "platform/Fonts.h"
#include "support/TestKit.h"

#include <memory>

TEST(OpeningScene, EffectNumberRoundsHalvesToEvenBeforeTakingItModuloNine) {
    const std::pair<double, int> cases[] = {{0.5, 0},     {1.5, 2},     {2.5, 2},    {8.6, 0},
                                            {43201.5, 2}, {86399.6, 0}, {86399.4, 8}};
    for (const auto& [seconds, effect] : cases)
        EXPECT_EQ(OpeningScene::EffectNumber(seconds), effect) << seconds;
}

TEST(OpeningScene, EveryEffectFromTheLogoToTheEnd) {
    G().AppTitle = QStringLiteral("ZE Zir Uduzedu");
    G().VersionText = QStringLiteral(" Version 4.0 Level 32");
    for (int effect = 0; effect < 9; ++effect) {
        SCOPED_TRACE(effect);
        OpeningScene s;
        s.Prepare(0, 7);
        s.EffectNo = quint8(effect);
        std::vector<int> stageStarts;
        int calls = 0;
        for (;;) {
            const int stage = s.Stage, tick = s.Tick;
            // A stray pixel where no effect draws: effects 0-2 add to the band, the others
            // redraw it from black on every tick.
            if (stage == 1 && tick == 32) s.LogoBand.setPixel(630, 5, qRgb(255, 0, 255));
            if (!s.TT_Timer()) break;
            ASSERT_LT(++calls, 200);
            if (s.Stage != stage) stageStarts.push_back(calls);
            if (stage != 1 || tick != 32) continue;
            const QImage &band = s.LogoBand, &card = s.CardImage;
            EXPECT_EQ(band.pixel(630, 5) == qRgb(0, 0, 0), effect >= 3);
            // The logo (card (0, 0), 260 x 128) whole, but where the version caption joined the
            // band at the hand-over to stage 2 (x >= 184, y >= 130).
            const QPoint at(effect == 2 ? 15 : 16, effect <= 1 ? 23 : 24);
            const int up = 130 - at.y(), left = 184 - at.x();
            EXPECT_EQ(band.copy(at.x(), at.y(), 260, up), card.copy(0, 0, 260, up));
            EXPECT_EQ(band.copy(at.x(), 130, left, 128 - up), card.copy(0, up, left, 128 - up));
            EXPECT_EQ(band.copy(184, 130, 416, 24), card.copy(0, 130, 416, 24));
            EXPECT_EQ(s.screen.copy(0, 0, 640, 154), band);
        }
        EXPECT_EQ(stageStarts, (std::vector<int>{20, 52, 64}));
        EXPECT_EQ(calls, 113); // the 114th tick unloads
        // Stage 2's hand-over put the credit card into the band; stage 3 slid the author strip
        // in and back to its source column 0.
        EXPECT_EQ(s.CardImage.copy(0, 190, 450, 80), s.CardImage.copy(0, 340, 450, 80));
        EXPECT_EQ(s.screen.copy(5, 275, 550, 20), s.CardImage.copy(0, 422, 550, 20));
    }
}

// --- the window -------------------------------------------------------------------------------

TEST(OpeningWindow, HandsOverWhenLeftAloneOnAKeyOrAWindowManagerCloseEvenWhileLoading) {
    FakePlatform fake;
    fake.now = QDateTime(QDate(2026, 12, 6), QTime(0, 0, 1, 500)).toUTC(); // local 00:00:01.5
    std::unique_ptr<QWidget> main;
    std::unique_ptr<op> opening;
    int loads = 0;
    bool handOverClean = false;
    // Stage -1 ends it while loading: the hand-over waits until the load is done. Stage 4
    // leaves it alone. Qt::Key_unknown stands for the window manager's close.
    const std::pair<int, Qt::Key> cases[] = {
        {-1, Qt::Key_A},    {-1, Qt::Key_unknown}, {0, Qt::Key_Space},  {1, Qt::Key_unknown},
        {2, Qt::Key_Shift}, {3, Qt::Key_Space},    {4, Qt::Key_unknown}};
    for (const auto& [stage, key] : cases) {
        SCOPED_TRACE(stage);
        auto end = [&, key] {
            if (key == Qt::Key_unknown)
                opening->close();
            else
                QTest::keyClick(opening.get(), key);
        };
        loads = 0;
        handOverClean = false;
        main = std::make_unique<QWidget>();
        opening = std::make_unique<op>();
        opening->loadMain = [&, stage] {
            ++loads;
            G().ZN = main.get();
            EXPECT_FALSE(main->isVisible()); // loaded hidden
            if (stage < 0) end();
        };
        opening->showMain = [&] {
            // The hand-over comes after the timer stopped and the images were released.
            handOverClean = !opening->timerEnabled() && opening->scene.released();
            main->show();
        };
        opening->Form_Load();
        EXPECT_EQ(opening->scene.EffectNo, 2);
        int ticks = 0;
        while (!opening->unloaded() && opening->scene.Stage < stage && ++ticks < 200)
            opening->TT_Timer();
        if (stage == 4) {
            EXPECT_EQ(ticks, 114);
        } else if (stage >= 0) {
            EXPECT_TRUE(opening->TT.isActive());
            opening->TT_Timer();
            end();
        }
        // Loaded once, shown after a clean hand-over, the opening hidden, stopped and forgotten.
        EXPECT_EQ(std::tuple(loads, handOverClean, main->isVisible(), opening->isVisible(),
                             opening->TT.isActive(), G().op == nullptr),
                  std::tuple(1, true, true, false, false, true));
    }
    G().ZN = nullptr;
}

// The icon pattern is on screen, painted, before the main window and the animation are loaded;
// the main window then comes up centred on the opening's screen.
TEST(OpeningWindow, IconPatternShownFirstAndMainWindowCentredAfter) {
    FakePlatform fake;
    auto main = std::make_unique<QWidget>();
    main->setFixedSize(632, 454);
    op opening;
    opening.useRealTimer = false;
    QImage seenAtLoad;
    opening.loadMain = [&] {
        G().ZN = main.get();
        seenAtLoad = opening.grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    opening.showMain = [&] { main->show(); };
    opening.Form_Load();
    ASSERT_FALSE(seenAtLoad.isNull());
    // The first 30 x 30 cell repeats over the whole window.
    for (const QPoint at : {QPoint(30, 0), QPoint(0, 420), QPoint(600, 420)})
        EXPECT_EQ(seenAtLoad.copy(QRect(at, QSize(30, 30))), seenAtLoad.copy(0, 0, 30, 30))
            << at.x();
    EXPECT_NE(seenAtLoad.pixel(15, 15), seenAtLoad.pixel(0, 0)); // the icon, not a blank window

    main->move(0, 0);
    opening.Form_KeyDown(' ');
    ASSERT_TRUE(main->isVisible());
    const QRect area = opening.screen()->availableGeometry();
    EXPECT_LE((main->frameGeometry().center() - area.center()).manhattanLength(), 2)
        << main->frameGeometry().x() << "," << main->frameGeometry().y() << " "
        << main->frameGeometry().width() << "x" << main->frameGeometry().height() << " in "
        << area.width() << "x" << area.height();
    G().ZN = nullptr;
}

// The thanks list, printed from column 70 (title) and 74 (lines), ends inside the 632-pixel
// client area.
TEST(OpeningScene, ThanksListFitsTheWindow) {
    InstallFontSubstitutions(); // the fonts the program really uses
    OpeningScene s;
    QFont font = s.windowFont;
    font.setPixelSize(AppFont(font.family(), G().FontNormal).pixelSize());
    font.setBold(true);
    const QFontMetrics fm(font);
    const std::pair<int, int> lines[] = {{37, 70},  {100, 74}, {101, 74},
                                         {102, 74}, {103, 74}, {110, 74}};
    for (const auto& [id, column] : lines) {
        const int right =
            (column - 1) * fm.averageCharWidth() + fm.horizontalAdvance(LoadResString(id));
        EXPECT_LE(right, 632) << id << " " << LoadResString(id).toStdString();
    }
}
