#include "ZnFixture.h"

#include <QTest>

namespace {

bool SameBlock(const QImage& a, int ax, int ay, const QImage& b, int bx, int by, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((a.pixel(ax + x, ay + y) & 0xffffff) != (b.pixel(bx + x, by + y) & 0xffffff))
                return false;
    return true;
}

// True when some pixel of the block differs between the two images.
bool Changed(const QImage& a, const QImage& b, const QRect& r) {
    return !SameBlock(a, r.x(), r.y(), b, r.x(), r.y(), r.width(), r.height());
}

} // namespace

TEST_F(ZnTest, TimeDisplayShowsOrangeRedAndGreenDigits) {
    settings.revealOn = QStringLiteral("OFF");
    load();
    const QImage sprites = LoadPicture(QStringLiteral("sprites"));
    // 00.0 in orange after clearing.
    EXPECT_TRUE(SameBlock(zn->drawing, 432, 346, sprites, 0, 0, 24, 35));
    EXPECT_TRUE(SameBlock(zn->drawing, 466, 346, sprites, 0, 0, 24, 35));
    EXPECT_TRUE(SameBlock(zn->drawing, 499, 346, sprites, 240, 0, 7, 35));
    EXPECT_TRUE(SameBlock(zn->drawing, 515, 346, sprites, 0, 0, 24, 35));

    open(writeQuestions({{QStringLiteral("問題"), QStringLiteral("答")}}));
    zn->menu1_Click(0);
    ticks(47); // 04.7
    EXPECT_TRUE(SameBlock(zn->drawing, 466, 346, sprites, 4 * 24, 0, 24, 35));
    EXPECT_TRUE(SameBlock(zn->drawing, 515, 346, sprites, 7 * 24, 0, 24, 35));
    ticks(46); // 09.3 in red
    EXPECT_TRUE(SameBlock(zn->drawing, 432, 346, sprites, 0, 35, 24, 35));
    EXPECT_TRUE(SameBlock(zn->drawing, 466, 346, sprites, 9 * 24, 35, 24, 35));
    EXPECT_TRUE(SameBlock(zn->drawing, 499, 346, sprites, 240, 35, 7, 35));
    EXPECT_TRUE(SameBlock(zn->drawing, 515, 346, sprites, 3 * 24, 35, 24, 35));
    ticks(7); // 10.0 in green, and the time over
    EXPECT_TRUE(SameBlock(zn->drawing, 432, 346, sprites, 24, 70, 24, 35));
    EXPECT_TRUE(SameBlock(zn->drawing, 466, 346, sprites, 0, 70, 24, 35));
    EXPECT_TRUE(SameBlock(zn->drawing, 515, 346, sprites, 0, 70, 24, 35));
    EXPECT_EQ(zn->st.timerMode, 3);
}

TEST_F(ZnTest, IndicatorFramesAreComposedOnTheBackground) {
    load();
    const QImage sprites = LoadPicture(QStringLiteral("sprites"));
    const QImage& skin = G().SkinDC;
    const QImage& back = zn->background();
    // Count digits: figure pixels from the sprite sheet, the rest from the indicator plate.
    int figure = 0, plate = 0;
    for (int y = 166; y <= 192; ++y)
        for (int x = 8; x <= 151; ++x) {
            const QRgb s = sprites.pixel(x, y);
            if (s & 0xffffff) {
                ++figure;
                ASSERT_EQ(skin.pixel(x, y + 76), s);
            } else {
                ++plate;
                ASSERT_EQ(skin.pixel(x, y + 76), back.pixel(307 + x % 32, 295 + y + 76 - 240));
            }
        }
    EXPECT_GT(figure, 0);
    EXPECT_GT(plate, 0);

    open(writeQuestions({{QStringLiteral("問題です"), QStringLiteral("")}}));
    zn->menu1_Click(0);
    ticks(1);
    zn->Form_KeyUp('A');
    ticks(1);
    for (int t = 1; t <= 5; ++t) {
        ticks(1);
        EXPECT_TRUE(SameBlock(zn->drawing, 307, 295, skin, 32 * (t - 1), 240, 32, 32)) << t;
    }
    zn->Form_KeyUp('A');
    // The waiting arrow: frames 0-17, then round again.
    for (int t = 1; t <= 20; ++t) {
        ticks(1);
        EXPECT_TRUE(SameBlock(zn->drawing, 307, 295, skin, 32 * ((t - 1) % 18), 200, 32, 32)) << t;
    }
}

TEST_F(ZnTest, MarkIsDrawnTransparentlyOverTheAnswerBoard) {
    load();
    open(writeQuestions({{QStringLiteral("問題です"), QStringLiteral("")},
                         {QStringLiteral("問題です"), QStringLiteral("")}}));
    zn->menu1_Click(0);
    ticks(1);
    zn->Form_KeyUp('A');
    zn->Form_KeyUp('A');
    const QImage mark = LoadPicture(QStringLiteral("mark"));
    const QImage& back = zn->background();
    auto checkMark = [&](int column) {
        int inside = 0, outside = 0;
        for (int y = 0; y < 110; ++y)
            for (int x = 0; x < 110; ++x) {
                const QRgb shown = zn->drawing.pixel(62 + x, 270 + y) & 0xffffff;
                if ((mark.pixel(column + x, 110 + y) & 0xffffff) == 0) {
                    ++inside;
                    ASSERT_EQ(shown, mark.pixel(column + x, y) & 0xffffff);
                } else {
                    ++outside;
                    ASSERT_EQ(shown, back.pixel(62 + x, 270 + y) & 0xffffff);
                }
            }
        EXPECT_GT(inside, 100);
        EXPECT_GT(outside, 100);
    };
    checkMark(0); // circle
    zn->Form_KeyUp(VK::F2);
    checkMark(110); // cross, on a clean answer board
    // A time over shows the cross too.
    zn->Form_KeyUp('A');
    revealToEnd();
    ticks(100);
    checkMark(110);
}

TEST_F(ZnTest, BuzzPanelListsPlayersOverTheAnswerArea) {
    G().Roster.matchOn = true;
    G().Roster.lastPlayer = 1;
    G().Roster.players[0] = {QStringLiteral("Ａ"), 'Z'};
    G().Roster.players[1] = {QStringLiteral("Ｂ"), 'M'};
    load();
    open(writeQuestions({{QStringLiteral("問題です"), QStringLiteral("")}}));
    G().Roster.matchOn = true;
    zn->menu1_Click(0);
    const QImage before = zn->drawing.copy();
    ticks(1);
    zn->Form_KeyUp('Z');
    EXPECT_TRUE(SameBlock(zn->drawing, 20, 270, zn->Kazu, 0, 0, 200, 110));
    EXPECT_TRUE(Changed(zn->drawing, before, QRect(20, 300, 200, 16)));  // line 1
    EXPECT_FALSE(Changed(zn->drawing, before, QRect(20, 330, 200, 16))); // no line 2 yet
    EXPECT_FALSE(Changed(zn->drawing, before, QRect(20, 270, 200, 28))); // above line 1
    zn->Form_KeyUp('M');
    EXPECT_TRUE(Changed(zn->drawing, before, QRect(20, 330, 200, 16)));
    // The next question starts with an empty panel.
    ticks(1);
    zn->Form_KeyUp('Z');
    zn->Form_KeyUp('Q');
    EXPECT_TRUE(SameBlock(zn->Kazu, 0, 0, G().SkinDC, 0, 300, 200, 110));
}

TEST_F(ZnTest, ExitButtonShowsPressedAndNormalFaces) {
    load();
    const QImage& skin = G().SkinDC;
    EXPECT_TRUE(SameBlock(skin, 80, 70, zn->background(), 296, 378, 54, 32));
    EXPECT_TRUE(SameBlock(skin, 137, 73, skin, 82, 72, 50, 28));
    QTest::mousePress(zn->exitButton(), Qt::LeftButton);
    EXPECT_TRUE(SameBlock(zn->drawing, 296, 378, skin, 134, 70, 54, 32));
    EXPECT_EQ(endCalls, 0);
    QTest::mouseRelease(zn->exitButton(), Qt::LeftButton);
    EXPECT_TRUE(SameBlock(zn->drawing, 296, 378, skin, 80, 70, 54, 32));
    EXPECT_EQ(endCalls, 1);
}

TEST_F(ZnTest, UserBackgroundShowsAroundEveryComposedPiece) {
    QImage blue(632, 434, QImage::Format_RGB32);
    blue.fill(qRgb(0, 0, 200));
    const QString path = dir.filePath(QStringLiteral("blue.bmp"));
    ASSERT_TRUE(blue.save(path));
    writeSettings(path.toLocal8Bit() + "\r\n");
    zn = std::make_unique<ZN>();
    zn->useRealTimer = false;
    zn->Form_Load();
    const QImage& skin = G().SkinDC;
    const QRgb b = qRgb(0, 0, 200);
    EXPECT_EQ(skin.pixel(0, 200), b);  // arrow frame 0, outside the figure
    EXPECT_EQ(skin.pixel(0, 240), b);  // count frame 0
    EXPECT_EQ(skin.pixel(80, 70), b);  // normal exit face
    EXPECT_EQ(skin.pixel(10, 300), b); // saved answer area
    EXPECT_EQ(zn->drawing.pixel(300, 10), b);
}

TEST_F(ZnTest, QuestionAndAnswerLinesArePlacedByTheirCount) {
    settings.revealOn = QStringLiteral("OFF");
    load();
    const QString thirty = QStringLiteral("あ").repeated(30);
    open(writeQuestions({{QStringLiteral("い").repeated(37), thirty},
                         {QStringLiteral("う").repeated(10), QStringLiteral("え")}}));
    zn->menu1_Click(0);
    EXPECT_EQ(zn->st.questionTop, 94);
    EXPECT_EQ(zn->st.lineSpacing, 40);
    const QImage& back = zn->background();
    EXPECT_TRUE(Changed(zn->drawing, back, QRect(24, 94, 300, 16)));
    EXPECT_TRUE(Changed(zn->drawing, back, QRect(24, 134, 15, 16)));
    EXPECT_FALSE(Changed(zn->drawing, back, QRect(60, 134, 300, 16))); // one character only
    zn->Form_KeyUp('A');
    zn->Form_KeyUp('A');
    EXPECT_EQ(zn->st.lineBreaks[5], 10);
    EXPECT_EQ(zn->st.lineBreaks[6], 20);
    EXPECT_EQ(zn->st.lineBreaks[7], 30);
    for (int y : {285, 315, 345})
        EXPECT_TRUE(Changed(zn->drawing, back, QRect(175, y, 14, 16))) << y;
    zn->Form_KeyUp('A');
    EXPECT_EQ(zn->st.questionTop, 110);
    EXPECT_FALSE(Changed(zn->drawing, back, QRect(24, 94, 300, 14)));
    EXPECT_TRUE(Changed(zn->drawing, back, QRect(24, 110, 150, 16)));
}
