#include "about/OpeningScene.h"
#include "about/op.h"
#include "core/AppGlobals.h"
#include "core/Resources.h"
#include "support/FakePlatform.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr QRgb Black = 0xFF000000u, White = 0xFFFFFFFFu;

void SetUpGlobals() {
    AppGlobals& g = G();
    g.AppTitle = QStringLiteral("ZE Zir Uduzedu");
    g.VersionText = QStringLiteral(" Version 4.0 Level 32");
    g.TwipsX = g.TwipsY = 15;
    g.FontSmall = 9;
    g.FontNormal = 10;
}

// A prepared scene with `effect`, run up to (and including) tick `tick` of stage `stage`.
std::unique_ptr<OpeningScene> SceneAt(int effect, int stage, int tick) {
    SetUpGlobals();
    auto scene = std::make_unique<OpeningScene>();
    scene->Prepare(0, 7);
    scene->EffectNo = quint8(effect);
    while (scene->Stage < stage || (scene->Stage == stage && scene->Tick <= tick))
        EXPECT_TRUE(scene->TT_Timer());
    return scene;
}

// Number of pixels of the logo (CardImage (0, 0), 260 x 128) not found at `at` in `band`,
// leaving out the part the version caption covers from stage 2 on (x >= 184, y >= 130).
int LogoMismatches(const OpeningScene& s, QPoint at) {
    int wrong = 0;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 260; ++x) {
            const int bx = at.x() + x, by = at.y() + y;
            if (bx >= 184 && by >= 130) continue;
            if (s.LogoBand.pixel(bx, by) != s.CardImage.pixel(x, y)) ++wrong;
        }
    return wrong;
}

} // namespace

TEST(OpeningScene, EffectNumberRoundsHalvesToEvenBeforeTakingItModuloNine) {
    const std::pair<double, int> cases[] = {
        {0.5, 0},     {1.5, 2},     {2.5, 2},     {8.4, 8},     {8.6, 0},
        {43200.5, 0}, {43201.5, 2}, {43202.5, 2}, {86399.6, 0}, {86399.4, 8},
    };
    for (const auto& [seconds, effect] : cases)
        EXPECT_EQ(OpeningScene::EffectNumber(seconds), effect) << seconds;
}

TEST(OpeningScene, EveryEffectEndsWithTheWholeLogoInTheBand) {
    for (int effect = 0; effect < 9; ++effect) {
        const auto scene = SceneAt(effect, 1, 32);
        const QPoint at = effect <= 1   ? QPoint(16, 23)
                          : effect == 2 ? QPoint(15, 24)
                                        : QPoint(16, 24);
        EXPECT_EQ(LogoMismatches(*scene, at), 0) << "effect " << effect;
        // The window's top band shows the band.
        EXPECT_EQ(scene->screen.copy(0, 0, 640, 154), scene->LogoBand) << "effect " << effect;
        // The version caption joined the band at the hand-over to stage 2.
        EXPECT_EQ(scene->LogoBand.copy(184, 130, 416, 24), scene->CardImage.copy(0, 130, 416, 24));
    }
}

TEST(OpeningScene, EffectsZeroToTwoAccumulateTheOthersRedrawFromBlack) {
    for (int effect = 0; effect < 9; ++effect) {
        auto scene = SceneAt(effect, 1, 31);
        // A stray pixel left in the band from an earlier tick, where no effect draws.
        scene->LogoBand.setPixel(630, 5, qRgb(255, 0, 255));
        scene->TT_Timer();
        EXPECT_EQ(scene->LogoBand.pixel(630, 5) == Black, effect >= 3) << "effect " << effect;
    }
    // Effect 1 keeps the row of its first tick (P(1) = 8) while drawing others.
    const auto rows = SceneAt(1, 1, 2);
    EXPECT_EQ(rows->LogoBand.copy(16, 8 + 23, 260, 1), rows->CardImage.copy(0, 8, 260, 1));
}

TEST(OpeningScene, RedCurtainShrinksOntoTheSealSquare) {
    struct Case {
        int tick;
        QPoint inside, outside;
    };
    // Tick T fills x 24T, y 10T, 29(20 - T) + 64 wide, 21(20 - T) + 64 high.
    const Case cases[] = {
        {0, {639, 0}, {-1, -1}},      {10, {240, 100}, {239, 100}}, {10, {593, 373}, {594, 373}},
        {10, {593, 373}, {593, 374}}, {19, {456, 190}, {455, 190}}, {19, {548, 274}, {549, 274}},
    };
    for (const Case& c : cases) {
        const auto scene = SceneAt(0, 0, c.tick);
        EXPECT_EQ(scene->screen.pixel(c.inside), qRgb(255, 0, 0)) << c.tick;
        if (c.outside.x() >= 0) {
            EXPECT_EQ(scene->screen.pixel(c.outside), Black) << c.tick;
        }
    }
}

TEST(OpeningScene, SealSquareDarkensUnderRedStrokes) {
    const QImage seal = LoadPicture(QStringLiteral("seal"));
    QPoint paper(-1, -1), stroke(-1, -1);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            if (seal.pixel(x, y) == White && paper.x() < 0 && (y < 37 || y > 39)) paper = {x, y};
            if (seal.pixel(x, y) != White && stroke.x() < 0) stroke = {x, y};
        }
    ASSERT_GE(paper.x(), 0);
    ASSERT_GE(stroke.x(), 0);
    const std::pair<int, QRgb> cases[] = {{1, qRgb(255, 0, 0)}, {32, qRgb(7, 0, 0)}};
    for (const auto& [tick, square] : cases) {
        const auto scene = SceneAt(0, 1, tick);
        EXPECT_EQ(scene->screen.pixel(QPoint(480, 200) + paper), square) << tick;
        EXPECT_EQ(scene->screen.pixel(QPoint(480, 200) + stroke), seal.pixel(stroke)) << tick;
    }
}

TEST(OpeningScene, RailsGrowFromTheRightOneCellPerTick) {
    // Rail rows from the top: the upper rail has a shadow line above its bar, the lower one
    // below; each bar is black with a menu-grey groove in its middle.
    const QRgb shadow = qRgb(128, 128, 128), groove = qRgb(192, 192, 192);
    const QRgb upper[10] = {shadow, Black, Black, groove, groove,
                            Black,  Black, White, White,  White};
    const QRgb lower[10] = {White,  White,  White, Black, Black,
                            groove, groove, Black, Black, shadow};
    const auto early = SceneAt(0, 1, 3);
    EXPECT_EQ(early->screen.pixel(580, 165), shadow); // cell of tick 3
    EXPECT_NE(early->screen.pixel(579, 165), shadow); // tick 4's not yet
    const auto done = SceneAt(0, 1, 32);
    for (int x : {0, 19, 20, 333, 639})
        for (int row = 0; row < 10; ++row) {
            EXPECT_EQ(done->screen.pixel(x, 165 + row), upper[row]) << x << "," << row;
            EXPECT_EQ(done->screen.pixel(x, 302 + row), lower[row]) << x << "," << row;
        }
}

TEST(OpeningScene, StagesHandOverAtTheirLastTicksAndTheOpeningEndsAtTick114) {
    SetUpGlobals();
    OpeningScene scene;
    scene.Prepare(100, 1);
    std::vector<int> stageStarts;
    int calls = 0;
    quint8 stage = 0;
    while (scene.TT_Timer()) {
        ++calls;
        if (scene.Stage != stage) {
            stage = scene.Stage;
            stageStarts.push_back(calls);
            EXPECT_EQ(scene.Tick, 1);
        }
        ASSERT_LT(calls, 200);
    }
    EXPECT_EQ(stageStarts, (std::vector<int>{20, 52, 64}));
    EXPECT_EQ(calls, 113); // the 114th tick unloads
    EXPECT_EQ(scene.Tick, 50);
    // Stage 2's hand-over put the credit card into the band; stage 3 slid the author strip in
    // and back to its source column 0.
    EXPECT_EQ(scene.CardImage.copy(0, 190, 450, 80), scene.CardImage.copy(0, 340, 450, 80));
    EXPECT_EQ(scene.screen.copy(5, 275, 550, 20), scene.CardImage.copy(0, 422, 550, 20));
}

// --- the window -------------------------------------------------------------------------------

class OpeningWindow : public ::testing::Test {
protected:
    void SetUp() override {
        SetUpGlobals();
        loads = 0;
        handOverClean = false;
        main = std::make_unique<QWidget>();
        opening = std::make_unique<op>();
        opening->useRealTimer = false;
        opening->loadMain = [this] {
            ++loads;
            G().ZN = main.get();
            if (duringLoad) duringLoad();
        };
        opening->showMain = [this] {
            // The hand-over comes after the timer stopped and the images were released.
            handOverClean = !opening->timerEnabled() && opening->scene.released();
            main->show();
        };
    }
    void TearDown() override { G().ZN = nullptr; }

    void expectHandedOver() {
        EXPECT_TRUE(opening->unloaded());
        EXPECT_TRUE(handOverClean);
        EXPECT_TRUE(main->isVisible());
        EXPECT_FALSE(opening->isVisible());
        EXPECT_FALSE(opening->TT.isActive());
        EXPECT_EQ(G().op, nullptr);
        EXPECT_EQ(loads, 1);
    }

    FakePlatform fake;
    std::unique_ptr<QWidget> main;
    std::unique_ptr<op> opening;
    std::function<void()> duringLoad;
    int loads = 0;
    bool handOverClean = false;
};

TEST_F(OpeningWindow, LeftAloneItShowsTheMainWindowAtStageThreeTickFifty) {
    fake.now = QDateTime(QDate(2026, 12, 6), QTime(0, 0, 1, 500)).toUTC(); // local 00:00:01.5
    opening->Form_Load();
    EXPECT_EQ(opening->scene.EffectNo, 2);
    EXPECT_EQ(opening->size(), QSize(632, 454));
    EXPECT_TRUE(opening->timerEnabled());
    EXPECT_FALSE(main->isVisible()); // loaded hidden
    int ticks = 0;
    while (!opening->unloaded() && ticks < 200) {
        opening->TT_Timer();
        ++ticks;
    }
    EXPECT_EQ(ticks, 114);
    EXPECT_EQ(opening->scene.Stage, 3);
    expectHandedOver();
}

TEST_F(OpeningWindow, AKeyOrAWindowManagerCloseInAnyStageEndsItAtOnce) {
    for (int stage = 0; stage < 4; ++stage) {
        SetUp();
        opening->useRealTimer = true;
        opening->Form_Load();
        EXPECT_TRUE(opening->TT.isActive());
        while (opening->scene.Stage < stage)
            opening->TT_Timer();
        opening->TT_Timer();
        if (stage == 1)
            opening->close();
        else
            QTest::keyClick(opening.get(), stage == 2 ? Qt::Key_Shift : Qt::Key_Space);
        expectHandedOver();
        EXPECT_FALSE(opening->scene.TT_Timer()); // no tick can draw any more
    }
}

TEST_F(OpeningWindow, AKeyWhileLoadingEndsItAsSoonAsTheLoadIsDone) {
    duringLoad = [this] { QTest::keyClick(opening.get(), Qt::Key_A); };
    opening->Form_Load();
    expectHandedOver();
    EXPECT_FALSE(opening->timerEnabled());
}
