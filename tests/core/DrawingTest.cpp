#include "core/Drawing.h"
#include "core/AppGlobals.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

QImage Blank(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(0, 0, 255));
    return img;
}

// Right-most column holding a pixel that differs from the fill; -1 when none.
int RightmostInk(const QImage& img) {
    const QRgb fill = qRgb(0, 0, 255);
    for (int x = img.width() - 1; x >= 0; --x)
        for (int y = 0; y < img.height(); ++y)
            if (img.pixel(x, y) != fill) return x;
    return -1;
}

bool HasColor(const QImage& img, QRgb c) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == c) return true;
    return false;
}

} // namespace

TEST(WinColor, BgrValuesAndSystemColors) {
    EXPECT_EQ(WinColor(0x000000FF), QColor(255, 0, 0));
    EXPECT_EQ(WinColor(0x00FF0000), QColor(0, 0, 255));
    EXPECT_EQ(WinColor(8978431), QColor(255, 255, 136)); // light yellow
    EXPECT_EQ(WinColor(32896), QColor(128, 128, 0));     // olive
    EXPECT_EQ(WinColor(0x80000010u), QColor(128, 128, 128));
    EXPECT_EQ(WinColor(0x80000014u), QColor(255, 255, 255));
}

TEST(AppFont, PixelSizeLikeWindowsAt96Dpi) {
    EXPECT_EQ(AppFont(QStringLiteral("ＭＳ ゴシック"), 12).pixelSize(), 16);
    EXPECT_EQ(AppFont(QStringLiteral("ＭＳ ゴシック"), 9).pixelSize(), 12);
    EXPECT_EQ(AppFont(QStringLiteral("ＭＳ 明朝"), 10).pixelSize(), 13);
    const QFont bold = AppFont(QStringLiteral("Times New Roman"), 10, true);
    EXPECT_TRUE(bold.bold());
    EXPECT_EQ(bold.family(), QStringLiteral("Times New Roman"));
}

TEST(DrawEmbossedText, TrailingBlanksAreNotDrawn) {
    QImage plain = Blank(200, 30), padded = Blank(200, 30), block = Blank(200, 30);
    auto draw = [](QImage& img, const QString& text) {
        QPainter p(&img);
        p.setFont(AppFont(QStringLiteral("ＭＳ ゴシック"), 12));
        p.setBackgroundMode(Qt::OpaqueMode);
        p.setBackground(QColor(255, 255, 0));
        p.setPen(QColor(255, 0, 0));
        DrawEmbossedText(p, text, 10, 5, false);
    };
    draw(plain, QStringLiteral("AB"));
    draw(padded, QStringLiteral("AB     "));
    draw(block, QStringLiteral("AB  CD"));
    // With an opaque background the blanks would paint their cells if they were drawn.
    EXPECT_EQ(padded, plain);
    EXPECT_GT(RightmostInk(block), RightmostInk(plain));
    EXPECT_GE(RightmostInk(plain), 10);

    QImage empty = Blank(50, 20);
    draw(empty, QStringLiteral("   "));
    EXPECT_EQ(RightmostInk(empty), -1);
}

TEST(DrawEmbossedText, TextCellStartsAtTheGivenPoint) {
    QImage img = Blank(100, 40);
    QPainter p(&img);
    p.setFont(AppFont(QStringLiteral("ＭＳ ゴシック"), 12));
    p.setPen(QColor(255, 255, 255));
    DrawEmbossedText(p, QStringLiteral("■"), 20, 10, false);
    p.end();
    int top = -1, bottom = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != qRgb(0, 0, 255)) {
                if (top < 0) top = y;
                bottom = y;
            }
    // The glyph lies inside the 16-pixel cell below y = 10, not above it.
    EXPECT_GE(top, 10);
    EXPECT_LE(bottom, 10 + 20);
}

TEST(DrawEmbossedText, EmbossSetsTheTextColourToBlack) {
    QImage img = Blank(120, 30);
    QPainter p(&img);
    p.setFont(AppFont(QStringLiteral("ＭＳ ゴシック"), 12, true));
    p.setPen(QColor(255, 0, 0));
    DrawEmbossedText(p, QStringLiteral("ZN"), 10, 5, false);
    EXPECT_EQ(p.pen().color(), QColor(255, 0, 0));
    DrawEmbossedText(p, QStringLiteral("ZN"), 60, 5, true);
    EXPECT_EQ(p.pen().color(), QColor(0, 0, 0));
    p.end();
    // The embossed copy shows its shadow, highlight and black face; the plain one only red.
    const QImage left = img.copy(0, 0, 58, 30), right = img.copy(58, 0, 62, 30);
    EXPECT_TRUE(HasColor(left, qRgb(255, 0, 0)));
    EXPECT_FALSE(HasColor(left, qRgb(0, 0, 0)));
    EXPECT_TRUE(HasColor(right, qRgb(0, 0, 0)));
    EXPECT_TRUE(HasColor(right, qRgb(255, 255, 255)));
    EXPECT_TRUE(HasColor(right, qRgb(128, 128, 128)));
    EXPECT_FALSE(HasColor(right, qRgb(255, 0, 0)));
}

TEST(DrawEdgeBar, SunkenBarCoversItsRectangle) {
    QImage img = Blank(130, 20);
    {
        QPainter p(&img);
        DrawEdgeBar(p, 2, 119, 7, 2);
    }
    EXPECT_EQ(G().EdgeRect, QRect(QPoint(2, 7), QPoint(118, 9)));
    const QRgb fill = qRgb(0, 0, 255);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const bool inside = x >= 2 && x < 119 && y >= 7 && y < 10;
            EXPECT_EQ(img.pixel(x, y) != fill, inside) << x << "," << y;
        }
    // Sunken: shadow along the top, highlight along the bottom.
    EXPECT_EQ(img.pixel(50, 7), qRgb(128, 128, 128));
    EXPECT_EQ(img.pixel(50, 9), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(2, 8), qRgb(128, 128, 128));
    EXPECT_EQ(img.pixel(118, 8), qRgb(255, 255, 255));
}

TEST(DrawEdgeBar, HeightAndLightingPerStyle) {
    struct Case {
        int style, height;
        QRgb top, bottom;
    };
    const Case cases[] = {
        {0, 2, qRgb(128, 128, 128), qRgb(255, 255, 255)}, // groove
        {1, 2, qRgb(255, 255, 255), qRgb(128, 128, 128)}, // ridge
        {3, 3, qRgb(192, 192, 192), qRgb(64, 64, 64)},    // raised
        {6, 5, qRgb(192, 192, 192), qRgb(64, 64, 64)},
    };
    for (const Case& c : cases) {
        QImage img = Blank(40, 20);
        {
            QPainter p(&img);
            DrawEdgeBar(p, 5, 35, 4, c.style);
        }
        EXPECT_EQ(G().EdgeRect.height(), c.height) << c.style;
        EXPECT_EQ(img.pixel(20, 4), c.top) << c.style;
        EXPECT_EQ(img.pixel(20, 4 + c.height - 1), c.bottom) << c.style;
        EXPECT_EQ(img.pixel(20, 4 + c.height), qRgb(0, 0, 255)) << c.style;
    }
}
