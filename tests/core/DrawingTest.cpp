#include "core/Drawing.h"
#include "core/AppGlobals.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

const QRgb Fill = qRgb(0, 0, 255);

QImage Blank(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Fill);
    return img;
}

// The area holding pixels other than the fill.
QRect Ink(const QImage& img) {
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != Fill) r |= QRect(x, y, 1, 1);
    return r;
}

int Count(const QImage& img, QRgb c) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixel(x, y) == c;
    return n;
}

} // namespace

TEST(Drawing, ColoursAndFonts) {
    EXPECT_EQ(WinColor(0x000000FF), QColor(255, 0, 0));
    EXPECT_EQ(WinColor(8978431), QColor(255, 255, 136));
    EXPECT_EQ(WinColor(0x80000010u), QColor(128, 128, 128)); // button shadow
    EXPECT_EQ(AppFont(QStringLiteral("ＭＳ ゴシック"), 12).pixelSize(), 16);
    EXPECT_EQ(AppFont(QStringLiteral("ＭＳ 明朝"), 10, true).pixelSize(), 13);
}

TEST(DrawEmbossedText, DrawsBelowThePointAndNotTrailingBlanks) {
    auto draw = [](const QString& text) {
        QImage img = Blank(200, 40);
        QPainter p(&img);
        p.setFont(AppFont(QStringLiteral("ＭＳ ゴシック"), 12));
        // With an opaque background a drawn blank would paint its cell.
        p.setBackgroundMode(Qt::OpaqueMode);
        p.setBackground(QColor(255, 255, 0));
        p.setPen(QColor(255, 0, 0));
        DrawEmbossedText(p, text, 10, 12, false);
        return img;
    };
    const QImage plain = draw(QStringLiteral("AB"));
    EXPECT_EQ(draw(QStringLiteral("AB     ")), plain);
    EXPECT_GT(Ink(draw(QStringLiteral("AB  CD"))).right(), Ink(plain).right());
    EXPECT_TRUE(Ink(draw(QStringLiteral("   "))).isNull());
    // (x, y) is the top-left of the text cell.
    const QRect ink = Ink(plain);
    EXPECT_GE(ink.top(), 12);
    EXPECT_LE(ink.top(), 16);
    EXPECT_GE(ink.left(), 10);
    EXPECT_LE(ink.bottom(), 12 + 20);
}

TEST(DrawEmbossedText, EmbossLeavesThePenBlackPlainLeavesItAlone) {
    QImage img = Blank(120, 30);
    QPainter p(&img);
    p.setFont(AppFont(QStringLiteral("ＭＳ ゴシック"), 12, true));
    p.setPen(QColor(255, 0, 0));
    DrawEmbossedText(p, QStringLiteral("ZN"), 10, 5, false);
    EXPECT_EQ(p.pen().color(), QColor(255, 0, 0));
    DrawEmbossedText(p, QStringLiteral("ZN"), 60, 5, true);
    EXPECT_EQ(p.pen().color(), QColor(0, 0, 0));
    p.end();
    const QImage plain = img.copy(0, 0, 58, 30), embossed = img.copy(58, 0, 62, 30);
    EXPECT_EQ(Count(plain, qRgb(0, 0, 0)), 0);
    EXPECT_EQ(Count(embossed, qRgb(255, 0, 0)), 0);
    for (QRgb c : {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(128, 128, 128)})
        EXPECT_GT(Count(embossed, c), 0);
}

TEST(DrawEdgeBar, RectangleHeightAndLighting) {
    QImage img = Blank(130, 20);
    QPainter p(&img);
    DrawEdgeBar(p, 2, 119, 7, 2); // sunken: shadow above, highlight below
    EXPECT_EQ(G().EdgeRect, QRect(QPoint(2, 7), QPoint(118, 9)));
    EXPECT_EQ(Ink(img), G().EdgeRect);
    EXPECT_EQ(img.pixel(50, 7), qRgb(128, 128, 128));
    EXPECT_EQ(img.pixel(50, 9), qRgb(255, 255, 255));

    // style, height, top colour, bottom colour
    const std::tuple<int, int, QRgb, QRgb> cases[] = {
        {0, 2, qRgb(128, 128, 128), qRgb(255, 255, 255)},
        {1, 2, qRgb(255, 255, 255), qRgb(128, 128, 128)},
        {6, 5, qRgb(192, 192, 192), qRgb(64, 64, 64)},
    };
    for (const auto& [style, height, top, bottom] : cases) {
        p.fillRect(img.rect(), QColor(Fill));
        DrawEdgeBar(p, 5, 35, 4, style);
        EXPECT_EQ(Ink(img), QRect(5, 4, 30, height)) << style;
        EXPECT_EQ(img.pixel(20, 4), top) << style;
        EXPECT_EQ(img.pixel(20, 3 + height), bottom) << style;
    }
}
