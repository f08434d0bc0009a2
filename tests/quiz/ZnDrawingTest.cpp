#include "ZnFixture.h"

// Pictures are drawn in different formats; their blocks are compared in one.
static QImage Block(const QImage& image, const QRect& r) {
    return image.copy(r).convertToFormat(QImage::Format_RGB32);
}

// Line placement, the time display's digits changing colour as time runs out and the verdict
// mark drawn through its mask, over a background picture of the user's.
TEST_F(ZnTest, BoardDrawingThroughATimedRun) {
    settings.speedLevel = QStringLiteral("5");
    settings.revealOn = QStringLiteral("OFF");
    settings.timeOverMark = QStringLiteral("O");
    QImage blue(632, 380, QImage::Format_RGB32);
    blue.fill(qRgb(0, 0, 200));
    ASSERT_TRUE(blue.save(path("bg.png")));
    load(path("bg.png"));
    EXPECT_EQ(zn->drawing.pixel(0, 0), qRgb(0, 0, 200));
    const QImage sprites = LoadPicture(QStringLiteral("sprites"));
    auto expectTime = [&](const char* text, int row) { // orange, red, green rows
        const int x[] = {432, 466, 499, 515};
        for (int i = 0; i < 4; ++i) {
            const int digit = text[i] == '.' ? 10 : text[i] - '0';
            const QRect from(digit * 24, row * 35, i == 2 ? 7 : 24, 35);
            EXPECT_EQ(Block(zn->drawing, {QPoint(x[i], 346), from.size()}), Block(sprites, from))
                << text;
        }
    };
    start({{QStringLiteral("い").repeated(37), QStringLiteral("あ").repeated(30)},
           {QStringLiteral("う").repeated(10), QStringLiteral("え")}});
    // Without the reveal the question shows at once, after sound 11 has played to its end.
    EXPECT_EQ(fake.sounds.size(), 1);
    EXPECT_TRUE(fake.sounds[0].synchronous);
    const QImage& back = zn->background();
    const auto changed = [&](const QRect& r) { return Block(zn->drawing, r) != Block(back, r); };
    EXPECT_TRUE(changed({24, 94, 300, 16})); // two lines from 94
    ticks(47);
    expectTime("04.7", 0);
    ticks(46);
    expectTime("09.3", 1);
    ticks(7);
    expectTime("10.0", 2);
    EXPECT_TRUE(zn->st.verdicts[1]) << "a time over judged correct";
    EXPECT_EQ(fake.sounds.last().resourceId, 13) << "still the cross sound";
    keys('A');
    EXPECT_FALSE(changed({24, 94, 300, 14}));
    EXPECT_TRUE(changed({24, 110, 150, 16})); // one line at 110

    keys('A', 2);
    const QImage mark = LoadPicture(QStringLiteral("mark"));
    for (int column : {0, 110}) { // circle, then the cross on a clean board
        if (column) keys(VK::F2);
        for (int y = 0; y < 110; ++y)
            for (int x = 0; x < 110; ++x) {
                const bool in = (mark.pixel(column + x, 110 + y) & 0xffffff) == 0;
                const QRgb want = in ? mark.pixel(column + x, y) : back.pixel(62 + x, 270 + y);
                ASSERT_EQ(zn->drawing.pixel(62 + x, 270 + y) & 0xffffff, want & 0xffffff);
            }
    }
}
