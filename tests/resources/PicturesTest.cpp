#include "core/Resources.h"

#include <QPainter>
#include <QRect>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kBlack = 0xFF000000;

bool IsBlack(const QImage& image, int x, int y) {
    return (image.pixel(x, y) & 0xFFFFFF) == 0;
}

// Bounding box of the non-black pixels inside area.
QRect InkBox(const QImage& image, const QRect& wanted) {
    const QRect area = wanted & image.rect();
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (!IsBlack(image, x, y)) box |= QRect(x, y, 1, 1);
    return box;
}

bool AllBlack(const QImage& image, const QRect& area) {
    return InkBox(image, area).isNull();
}

// The window's knob/mark drawing: mask with "source AND NOT destination", then the picture XORed.
QImage MaskedDraw(QRgb background, const QImage& source, const QRect& picture, const QRect& mask) {
    QImage target(picture.size(), QImage::Format_RGB32);
    target.fill(background);
    QPainter p(&target);
    p.setCompositionMode(QPainter::RasterOp_SourceAndNotDestination);
    p.drawImage(QPoint(0, 0), source, mask);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.drawImage(QPoint(0, 0), source, picture);
    return target;
}

class Sheet : public ::testing::Test {
protected:
    const QImage sheet = LoadPicture("sprites");
};

} // namespace

TEST(Pictures, HaveTheirDocumentedSizesAndFallBackToBlack) {
    const struct {
        const char* name;
        QSize size;
    } pictures[] = {{"background", {632, 434}},
                    {"sprites", {353, 193}},
                    {"mark", {220, 220}},
                    {"logo", {260, 128}},
                    {"seal", {64, 64}}};
    for (const auto& p : pictures) {
        const QImage image = LoadPicture(p.name);
        EXPECT_EQ(image.size(), p.size) << p.name;
        EXPECT_EQ(image.format(), QImage::Format_RGB32) << p.name;
        EXPECT_FALSE(AllBlack(image, image.rect())) << p.name << " is missing from the resources";
    }
    EXPECT_TRUE(LoadPicture("no-such-picture").isNull());
}

TEST_F(Sheet, SevenSegmentDigitsAreDistinctAndColouredByRow) {
    // Row 0 orange, 35 red, 70 green (only 0 and 1): the time display changes colour by row.
    auto lit = [&](int left, int top) {
        long r = 0, g = 0, n = 0;
        for (int y = top; y < top + 35; ++y)
            for (int x = left; x < left + 24; ++x) {
                const QRgb c = sheet.pixel(x, y);
                if (qRed(c) + qGreen(c) > 250) {
                    r += qRed(c), g += qGreen(c), ++n;
                }
            }
        return std::tuple{n, n ? r / n : 0, n ? g / n : 0};
    };
    for (int row : {0, 35}) {
        QList<QImage> cells;
        for (int d = 0; d < 10; ++d) {
            const auto [n, r, g] = lit(24 * d, row);
            EXPECT_GT(n, 20) << "digit " << d << " row " << row;
            EXPECT_GT(r, g + 40) << "digit " << d << " row " << row;
            if (row == 35) {
                EXPECT_LT(g, 120) << "red digit " << d;
            }
            cells << sheet.copy(24 * d, row, 24, 35);
        }
        for (int a = 0; a < 10; ++a)
            for (int b = a + 1; b < 10; ++b)
                EXPECT_NE(cells[a], cells[b]) << "digits " << a << " and " << b << " look alike";
        EXPECT_FALSE(AllBlack(sheet, QRect(240, row, 7, 35)));
    }
    for (int left : {0, 24}) {
        const auto [n, r, g] = lit(left, 70);
        EXPECT_GT(n, 20);
        EXPECT_GT(g, r + 60);
    }
    EXPECT_NE(sheet.copy(0, 70, 24, 35), sheet.copy(24, 70, 24, 35));
    EXPECT_FALSE(AllBlack(sheet, QRect(240, 70, 7, 35)));
}

TEST_F(Sheet, PiecesLieInTheirRectanglesAndLeaveTheComposedAreasFree) {
    EXPECT_FALSE(AllBlack(sheet, QRect(48, 70, 32, 32)));  // seal
    EXPECT_FALSE(AllBlack(sheet, QRect(188, 70, 27, 20))); // End picture
    for (int k = 0; k < 4; ++k)
        EXPECT_FALSE(AllBlack(sheet, QRect(288, 110 + 13 * k, 65, 13))) << "lettering " << k;
    // Four different shades of the lettering, so the corner animation moves.
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b)
            EXPECT_NE(sheet.copy(288, 110 + 13 * a, 65, 13), sheet.copy(288, 110 + 13 * b, 65, 13));
    // The normal exit face is composed at (80, 70); the pressed face's interior at (137, 73).
    EXPECT_TRUE(AllBlack(sheet, QRect(80, 70, 54, 32)));
    EXPECT_TRUE(AllBlack(sheet, QRect(137, 73, 50, 28)));
    // The pressed frame's rim exists on all four sides.
    EXPECT_FALSE(AllBlack(sheet, QRect(134, 70, 54, 3)));
    EXPECT_FALSE(AllBlack(sheet, QRect(134, 70, 3, 32)));
    EXPECT_FALSE(AllBlack(sheet, QRect(187, 71, 1, 31)));
    EXPECT_FALSE(AllBlack(sheet, QRect(135, 101, 53, 1)));
    // Unused corners between the pieces stay black.
    EXPECT_TRUE(AllBlack(sheet, QRect(233, 70, 7, 35)));
    EXPECT_TRUE(AllBlack(sheet, QRect(152, 166, 201, 27)));
    EXPECT_TRUE(AllBlack(sheet, QRect(284, 106, 4, 60)));
}

TEST_F(Sheet, IndicatorFramesComposeInsideTheirCellsAtOnePlace) {
    // Compose the way the window does: arrow rows to row 200, count digits to row 240.
    QImage skin(640, 480, QImage::Format_RGB32);
    skin.fill(kBlack);
    QPainter(&skin).drawImage(0, 0, sheet);
    QImage composed(640, 480, QImage::Format_RGB32);
    composed.fill(kBlack);
    for (int x = 2; x <= 283; ++x)
        for (int y = 106; y <= 134; ++y) {
            if (!IsBlack(skin, x, y)) composed.setPixel(x, y + 94, skin.pixel(x, y));
            if (!IsBlack(skin, x, y + 31))
                composed.setPixel(x + 288, y + 97, skin.pixel(x, y + 31));
        }
    for (int x = 8; x <= 151; ++x)
        for (int y = 166; y <= 192; ++y)
            if (!IsBlack(skin, x, y)) composed.setPixel(x, y + 76, skin.pixel(x, y));

    // Every source pixel outside the copied ranges would be lost; none may exist.
    const QRect arrowBand = InkBox(sheet, QRect(0, 106, 288, 60));
    EXPECT_TRUE(QRect(2, 106, 282, 60).contains(arrowBand)) << "arrow art outside x 2-283";
    const QRect digitBand = InkBox(sheet, QRect(0, 166, 160, 27));
    EXPECT_TRUE(QRect(8, 166, 144, 27).contains(digitBand)) << "count digits outside x 8-151";

    QRect first, second;
    for (int k = 0; k < 18; ++k) {
        const QRect cell(32 * k, 200, 32, 32);
        const QRect ink = InkBox(composed, cell.adjusted(-1, -1, 1, 1));
        ASSERT_FALSE(ink.isNull()) << "frame " << k << " is empty";
        EXPECT_TRUE(cell.contains(ink)) << "frame " << k << " spills out of its cell";
        (k < 9 ? first : second) |= ink.translated(-32 * k, 0);
    }
    // Both halves of the animation sit at the same height on the lamp, near its middle (the
    // copied columns 2-283 leave frame 8 only 26 pixels, hence the slight shift left).
    EXPECT_LE(std::abs(first.center().y() - second.center().y()), 1);
    EXPECT_LE(std::abs(first.center().x() - 16), 3);
    EXPECT_LE(std::abs(first.center().y() - 216), 2);
    for (int k = 0; k < 5; ++k) {
        const QRect cell(32 * k, 240, 32, 32);
        const QRect ink = InkBox(composed, cell.adjusted(-1, -1, 1, 1));
        ASSERT_FALSE(ink.isNull()) << "count frame " << k;
        EXPECT_TRUE(cell.contains(ink));
        EXPECT_LE(std::abs(ink.center().x() - cell.center().x()), 2) << "count frame " << k;
    }
    // Consecutive arrow frames differ, or the indicator would stand still.
    for (int k = 0; k < 18; ++k)
        EXPECT_NE(composed.copy(32 * k, 200, 32, 32),
                  composed.copy(32 * ((k + 1) % 18), 200, 32, 32));
}

TEST_F(Sheet, KnobDrawsOverAnyBackground) {
    const QRect picture(215, 70, 9, 17), mask(224, 70, 9, 17);
    int knobPixels = 0;
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 9; ++x) {
            const QRgb m = sheet.pixel(mask.x() + x, mask.y() + y) & 0xFFFFFF;
            const QRgb p = sheet.pixel(picture.x() + x, picture.y() + y) & 0xFFFFFF;
            ASSERT_TRUE(m == 0 || m == 0xFFFFFF) << "mask pixel neither black nor white";
            if (m == 0xFFFFFF) {
                EXPECT_EQ(p, 0xFFFFFFu) << "picture not white around the knob at " << x << "," << y;
            }
            knobPixels += m == 0;
        }
    EXPECT_GT(knobPixels, 9 * 17 / 2);
    for (QRgb d : {0xFF000000u, 0xFFFFFFFFu, 0xFFC0C0C0u, 0xFF123456u, 0xFFD4D0C8u}) {
        const QImage out = MaskedDraw(d, sheet, picture, mask);
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 9; ++x) {
                const bool onKnob = (sheet.pixel(mask.x() + x, mask.y() + y) & 0xFFFFFF) == 0;
                const QRgb want = onKnob ? sheet.pixel(picture.x() + x, picture.y() + y) : d;
                ASSERT_EQ(out.pixel(x, y) & 0xFFFFFF, want & 0xFFFFFF)
                    << "background " << std::hex << d << " at " << std::dec << x << "," << y;
            }
    }
}

TEST(MarkPicture, CircleAndCrossDrawRedOverTheAnswerBoard) {
    const QImage mark = LoadPicture("mark");
    const QImage board = LoadPicture("background").copy(62, 270, 110, 110);
    for (int column : {0, 110}) {
        int shape = 0;
        for (int y = 0; y < 110; ++y)
            for (int x = column; x < column + 110; ++x) {
                const QRgb m = mark.pixel(x, y + 110) & 0xFFFFFF;
                ASSERT_TRUE(m == 0 || m == 0xFFFFFF);
                if (m == 0) {
                    ++shape;
                    const QRgb c = mark.pixel(x, y);
                    EXPECT_GT(qRed(c), qGreen(c) + 60) << "not red at " << x << "," << y;
                } else {
                    ASSERT_EQ(mark.pixel(x, y) & 0xFFFFFF, 0xFFFFFFu);
                }
            }
        EXPECT_GT(shape, 1500) << "column " << column;
        // Drawn on the real answer board, only the shape's pixels change.
        QImage target = board;
        {
            QPainter p(&target);
            p.setCompositionMode(QPainter::RasterOp_SourceAndNotDestination);
            p.drawImage(QPoint(0, 0), mark, QRect(column, 110, 110, 110));
            p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            p.drawImage(QPoint(0, 0), mark, QRect(column, 0, 110, 110));
        }
        for (int y = 0; y < 110; ++y)
            for (int x = 0; x < 110; ++x) {
                const bool inShape = (mark.pixel(column + x, y + 110) & 0xFFFFFF) == 0;
                const QRgb want = inShape ? mark.pixel(column + x, y) : board.pixel(x, y);
                ASSERT_EQ(target.pixel(x, y) & 0xFFFFFF, want & 0xFFFFFF);
            }
    }
    // The circle and the cross are different shapes.
    EXPECT_NE(mark.copy(0, 110, 110, 110), mark.copy(110, 110, 110, 110));
}

TEST(Seal, IsRedOnWhiteInTwoColoursSoItsMaskIsExact) {
    const QImage seal = LoadPicture("seal");
    int red = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const QRgb c = seal.pixel(x, y) & 0xFFFFFF;
            if (c == 0xFFFFFF) continue;
            ++red;
            EXPECT_GT(qRed(c), 150);
            EXPECT_LT(qGreen(c), 40);
            EXPECT_EQ(c, seal.pixel(32, 5) & 0xFFFFFF) << "more than one stroke colour";
        }
    EXPECT_GT(red, 400);
    EXPECT_LT(red, 64 * 64 / 2);
}

TEST(Background, PlatesAreWhereTheWindowDrawsOnThem) {
    const QImage bg = LoadPicture("background");
    auto luminance = [&](const QRect& r) {
        long sum = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                sum += qGray(bg.pixel(x, y));
        return sum / (r.width() * r.height());
    };
    // White text: the question board, the answer board and the time display are dark.
    EXPECT_LT(luminance(QRect(24, 82, 576, 90)), 90);
    EXPECT_LT(luminance(QRect(135, 58, 80, 14)), 90);
    EXPECT_LT(luminance(QRect(20, 270, 200, 110)), 60);
    EXPECT_LT(luminance(QRect(432, 346, 107, 35)), 20);
    // Embossed black text: the number plate and the genre plate are light.
    EXPECT_GT(luminance(QRect(551, 17, 30, 18)), 150);
    EXPECT_GT(luminance(QRect(430, 254, 150, 18)), 150);
    // The lamp is dark so the yellow arrow and the count digits stand out; the exit face is red.
    EXPECT_LT(luminance(QRect(312, 300, 22, 22)), 70);
    const QRgb face = bg.pixel(300, 382);
    EXPECT_GT(qRed(face), qGreen(face) + 80);
    EXPECT_NE(bg.copy(298, 380, 50, 28), QImage(50, 28, QImage::Format_RGB32)) << "END lettering";
}

TEST(CursorsAndIcons, AreCarriedAndHotSpotIsOnTheHand) {
    for (int id : {8, 9}) {
        const QCursor cursor = LoadCursor(id);
        ASSERT_EQ(cursor.shape(), Qt::BitmapCursor) << "cursor " << id << " missing";
        const QImage image = cursor.pixmap().toImage();
        EXPECT_EQ(image.size(), QSize(32, 32));
        const QPoint hot = cursor.hotSpot();
        EXPECT_GT(qAlpha(image.pixel(hot + QPoint(0, 1))), 128) << "hot spot off the fingertip";
    }
    EXPECT_NE(LoadCursor(8).pixmap().toImage(), LoadCursor(9).pixmap().toImage());
    EXPECT_EQ(LoadCursor(3).shape(), Qt::PointingHandCursor);
    EXPECT_FALSE(LoadIcon(1).isNull());
    EXPECT_FALSE(LoadIcon(5).isNull());
    EXPECT_TRUE(LoadIcon(2).isNull());
}
