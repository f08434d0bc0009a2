#include "core/Resources.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

bool IsBlack(const QImage& image, QPoint p) {
    return (image.pixel(p) & 0xFFFFFF) == 0;
}

// Bounding box of the non-black pixels inside area.
QRect InkBox(const QImage& image, const QRect& area) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (!IsBlack(image, {x, y})) box |= QRect(x, y, 1, 1);
    return box;
}

// Draws a piece over target as the windows do (its mask with "source AND NOT destination", then
// the picture XORed): exactly the mask's black pixels must show the picture, the rest the target.
// Returns how many of the pixels shown are red.
int ExpectMaskedDraw(const QImage& source, const QRect& picture, QPoint mask,
                     const QImage& target) {
    QImage out = target, want = target;
    int red = 0;
    QPainter p(&out);
    p.setCompositionMode(QPainter::RasterOp_SourceAndNotDestination);
    p.drawImage(QPoint(), source, QRect(mask, picture.size()));
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.drawImage(QPoint(), source, picture);
    p.end();
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (IsBlack(source, mask + QPoint(x, y))) {
                want.setPixel(x, y, source.pixel(picture.topLeft() + QPoint(x, y)));
                red += qRed(want.pixel(x, y)) > qGreen(want.pixel(x, y)) + 60;
            }
    EXPECT_EQ(out, want) << "piece at " << picture.x() << "," << picture.y();
    return red;
}

} // namespace

TEST(Pictures, CursorsAndIconsAreCarriedAndPicturesHaveTheirSizes) {
    const char* names[] = {"background", "sprites", "mark", "logo", "seal"};
    const QSize sizes[] = {{632, 434}, {353, 193}, {220, 220}, {260, 128}, {64, 64}};
    for (int i = 0; i < 5; ++i) {
        const QImage image = LoadPicture(QString::fromLatin1(names[i]));
        EXPECT_EQ(image.size(), sizes[i]) << names[i];
        EXPECT_EQ(image.format(), QImage::Format_RGB32) << names[i];
        EXPECT_FALSE(InkBox(image, image.rect()).isNull()) << names[i];
    }
    EXPECT_TRUE(LoadPicture(QStringLiteral("no-such-picture")).isNull());
    EXPECT_EQ(LoadCursor(8).shape(), Qt::BitmapCursor);
    EXPECT_EQ(LoadCursor(9).shape(), Qt::BitmapCursor);
    EXPECT_FALSE(LoadIcon(1).isNull());
    EXPECT_FALSE(LoadIcon(5).isNull());
    EXPECT_TRUE(LoadIcon(2).isNull());
    // The program's icon offers the desktop every size from 16 to 256, each a real picture.
    const QIcon icon = LoadIcon(1);
    QList<int> iconSizes;
    for (const QSize& size : icon.availableSizes())
        if (icon.pixmap(size).size() == size) iconSizes << size.width();
    EXPECT_EQ(iconSizes, (QList<int>{16, 32, 48, 64, 128, 256}));
}

TEST(Pictures, SheetPiecesAreWhereTheWindowsTakeThemAndComposedAreasAreFree) {
    const QImage sheet = LoadPicture(QStringLiteral("sprites"));
    // Orange (row 0) and red (35) digits 0-9 with separator; green (70) 0 and 1 with separator.
    for (int row : {0, 35, 70})
        for (int d = 0; d < (row == 70 ? 2 : 10); ++d) {
            long r = 0, g = 0, n = 0;
            for (int y = row; y < row + 35; ++y)
                for (int x = 24 * d; x < 24 * d + 24; ++x) {
                    const QRgb c = sheet.pixel(x, y);
                    if (qRed(c) + qGreen(c) > 250) r += qRed(c), g += qGreen(c), ++n;
                }
            EXPECT_GT(n, 20) << "row " << row << " digit " << d;
            EXPECT_TRUE(row == 70 ? g > r + 60 * n : r > g + 40 * n && (row == 0 || g < 120 * n))
                << "row " << row << " digit " << d;
            for (int e = 0; e < d; ++e)
                EXPECT_NE(sheet.copy(24 * d, row, 24, 35), sheet.copy(24 * e, row, 24, 35));
        }
    // Digit separators, seal, End picture, the pressed exit frame's rims, four shades of lettering.
    for (const QRect& piece :
         {QRect(240, 0, 7, 35), QRect(240, 35, 7, 35), QRect(240, 70, 7, 35), QRect(48, 70, 32, 32),
          QRect(188, 70, 27, 20), QRect(134, 70, 54, 3), QRect(134, 70, 3, 32),
          QRect(187, 71, 1, 31), QRect(135, 101, 53, 1), QRect(288, 110, 65, 13),
          QRect(288, 123, 65, 13), QRect(288, 136, 65, 13), QRect(288, 149, 65, 13)})
        EXPECT_FALSE(InkBox(sheet, piece).isNull()) << piece.x() << "," << piece.y();
    EXPECT_NE(sheet.copy(288, 110, 65, 13), sheet.copy(288, 149, 65, 13));
    // The exit face composed at (80, 70), the pressed face's interior, gaps between pieces.
    for (const QRect& free : {QRect(80, 70, 54, 32), QRect(137, 73, 50, 28), QRect(233, 70, 7, 35),
                              QRect(152, 166, 201, 27), QRect(284, 106, 4, 60)})
        EXPECT_TRUE(InkBox(sheet, free).isNull()) << free.x() << "," << free.y();

    // Arrow frames (rows 106 and 137, x 2-283 copied) and count digits (x 8-151) stay inside
    // what the windows copy; each arrow frame is unlike the next, each count digit centred in its
    // 32-pixel cell.
    const QRect countBand(8, 166, 144, 27);
    EXPECT_TRUE(QRect(2, 106, 282, 60).contains(InkBox(sheet, QRect(0, 106, 288, 60))));
    EXPECT_TRUE(countBand.contains(InkBox(sheet, QRect(0, 166, 160, 27))));
    for (int k = 0; k < 18; ++k) {
        const QRect cell(32 * (k % 9), k < 9 ? 106 : 137, 32, 29);
        EXPECT_NE(sheet.copy(cell), sheet.copy(cell.translated(k % 9 < 8 ? 32 : -256, 0))) << k;
    }
    for (int d = 0; d < 5; ++d) {
        const QRect cell(32 * d, 166, 32, 27);
        const QRect ink = InkBox(sheet, cell.adjusted(-1, 0, 1, 0) & countBand);
        EXPECT_TRUE(cell.contains(ink)) << d;
        EXPECT_LE(std::abs(ink.center().x() - cell.center().x()), 2) << d;
    }
}

TEST(Pictures, KnobAndMarksDrawThroughTheirMasks) {
    const QImage sheet = LoadPicture(QStringLiteral("sprites"));
    for (QRgb background : {0xFF000000u, 0xFFFFFFFFu, 0xFFD4D0C8u, 0xFF123456u}) {
        QImage target(9, 17, QImage::Format_RGB32);
        target.fill(background);
        ExpectMaskedDraw(sheet, QRect(215, 70, 9, 17), {224, 70}, target);
    }
    // A red circle and a red cross over the answer board.
    const QImage mark = LoadPicture(QStringLiteral("mark"));
    const QImage board = LoadPicture(QStringLiteral("background")).copy(62, 270, 110, 110);
    for (int left : {0, 110})
        EXPECT_GT(ExpectMaskedDraw(mark, QRect(left, 0, 110, 110), {left, 110}, board), 1500);
    EXPECT_NE(mark.copy(0, 110, 110, 110), mark.copy(110, 110, 110, 110));
}

// Decoded ahead on another thread, a picture is the one decoded on the spot, handed out once;
// asked for again it is decoded again, and a name asked for twice ahead is decoded once.
TEST(Pictures, PrefetchedPicturesAreTheSameAsDecodedOnes) {
    const QImage direct = LoadPicture(QStringLiteral("background"));
    PrefetchPictures({QStringLiteral("background"), QStringLiteral("background"),
                      QStringLiteral("nosuch")});
    EXPECT_EQ(LoadPicture(QStringLiteral("background")), direct);
    EXPECT_EQ(LoadPicture(QStringLiteral("background")), direct);
    EXPECT_TRUE(LoadPicture(QStringLiteral("nosuch")).isNull());
}
