#include "about/OpeningScene.h"

#include "core/AppGlobals.h"
#include "core/Blit.h"
#include "core/Drawing.h"
#include "core/ResText.h"
#include "core/Resources.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRandomGenerator>

#include <cmath>
#include <cstdlib>

namespace {

constexpr double Pi = 3.14159265;
constexpr QRgb White = 0xFFFFFFFFu;
constexpr int TextDescription = 180;

// Fills a rectangle (clipped to the image) with one colour: a single pixel stretched over it.
void FillRect(QImage& image, int x, int y, int w, int h, QRgb colour) {
    const QRect r = QRect(x, y, w, h).intersected(image.rect());
    if (r.isEmpty()) return;
    colour |= 0xFF000000u;
    for (int row = r.top(); row <= r.bottom(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        std::fill(line + r.left(), line + r.left() + r.width(), colour);
    }
}

// Nearest-neighbour stretch sampling at pixel centres, so that stretching an area up and back
// to its size gives the original pixels again. The source is read before anything is written.
void Stretch(QImage& dst, int dx, int dy, int dw, int dh, const QImage& src, int sx, int sy, int sw,
             int sh) {
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    const QRect from = QRect(sx, sy, sw, sh);
    if (!src.rect().contains(from)) return;
    const QImage source = src.copy(from); // dst may be src
    for (int row = 0; row < dh; ++row) {
        const int y = dy + row;
        if (y < 0 || y >= dst.height()) continue;
        const int srow = int((qint64(2 * row + 1) * sh) / (2 * qint64(dh)));
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(srow));
        auto* out = reinterpret_cast<QRgb*>(dst.scanLine(y));
        for (int col = 0; col < dw; ++col) {
            const int x = dx + col;
            if (x < 0 || x >= dst.width()) continue;
            out[x] = in[int((qint64(2 * col + 1) * sw) / (2 * qint64(dw)))] | 0xFF000000u;
        }
    }
}

// "Print" at a print column: a column is the font's average character width, column 1 at x 0;
// (x, y) is the top left of the text cell. Returns the y of the next line.
int PrintAt(QPainter& p, int column, int y, const QString& text) {
    const QFontMetrics fm(p.font());
    p.drawText((column - 1) * fm.averageCharWidth(), y + fm.ascent(), text);
    return y + fm.height();
}

void DrawTextAt(QPainter& p, int x, int y, const QString& text) {
    p.drawText(x, y + QFontMetrics(p.font()).ascent(), text);
}

// Rows 0..63 of the sprite are the seal, 64..79 the two rail pieces.
constexpr int SpriteX = 500, SpriteY = 340, MaskX = 564;
constexpr int SquareX = 480, SquareY = 200;

} // namespace

OpeningScene::OpeningScene() {
    screen = QImage(640, 480, QImage::Format_RGB32);
    screen.fill(Qt::black);
    windowFont = AppFont(LoadResString(FontPGothic), G().FontNormal);
}

int OpeningScene::Nearest(double x) {
    return int(std::nearbyint(x)); // the default rounding mode sends halves to even
}

int OpeningScene::EffectNumber(double secondsSinceMidnight) {
    return int(std::llround(std::nearbyint(secondsSinceMidnight))) % 9;
}

void OpeningScene::TileIcon(const QImage& icon) {
    screen.fill(Qt::black);
    {
        QPainter p(&screen);
        p.drawImage(0, 0, icon);
    }
    const QImage cell = screen.copy(0, 0, 30, 30);
    for (int y = 0; y <= 450; y += 30)
        for (int x = 0; x <= 630; x += 30)
            Blit(screen, x, y, cell, 0, 0, 30, 30);
}

void OpeningScene::Prepare(double secondsSinceMidnight, quint32 seed) {
    Stage = 0;
    Tick = 0;
    EffectNo = quint8(EffectNumber(secondsSinceMidnight));

    QRandomGenerator random(seed);
    for (int i = 0; i < BlockColumns; ++i)
        for (int j = 0; j < BlockRows; ++j) {
            BlockRadius[i][j] = Nearest(random.generateDouble() * 200);
            BlockAngle[i][j] = Nearest(random.generateDouble() * 640);
        }

    QImage pic(640, 480, QImage::Format_RGB32);
    pic.fill(Qt::black);
    const QImage logo = LoadPicture(QStringLiteral("logo"));
    Blit(pic, 0, 0, logo, 0, 0, logo.width(), logo.height());
    DrawTitleCard(pic);
    CardImage = pic.copy();

    DrawSprite(pic);
    Blit(CardImage, SpriteX, SpriteY, pic, 0, 0, 64, 80);

    // The mask is black exactly under the seal's strokes; the place was white lower card.
    for (int y = SpriteY; y < SpriteY + 64; ++y)
        for (int x = SpriteX; x < SpriteX + 64; ++x)
            if (CardImage.pixel(x, y) != White) CardImage.setPixel(x + 64, y, qRgb(0, 0, 0));

    for (int s = 0; s < 32; ++s)
        CardImage.setPixel(s + 1, 160, qRgb(255 - 8 * s, 0, 0));

    LogoBand = QImage(640, 154, QImage::Format_RGB32);
    LogoBand.fill(Qt::black);

    screen.fill(QColor(255, 0, 0));
    CreditText = LoadResString(35) + QStringLiteral("    ");
    BandWidth = SourceX = 0;
}

void OpeningScene::DrawTitleCard(QImage& pic) {
    const int size = 18 * G().TwipsX / 15;
    const QString gothic = LoadResString(FontPGothic), times = LoadResString(93);
    QPainter p(&pic);
    p.setFont(AppFont(gothic, size));

    p.fillRect(0, 340, 640, 140, Qt::white);

    p.setPen(QColor(0, 153, 255));
    PrintAt(p, 3, 322, LoadResString(TextDescription));

    p.setPen(QColor(128, 128, 255));
    PrintAt(p, 28, 382, LoadResString(30));

    p.setFont(AppFont(times, size));
    PrintAt(p, 3, 382, ResText(32, QString(16, QLatin1Char(' '))));

    p.setPen(QColor(0, 102, 51));
    DrawTextAt(p, 285, 420, LoadResString(33));

    // The version caption, four light copies stepping up-left under the dark one.
    const QString caption = G().AppTitle.mid(3) + G().VersionText;
    for (int s = 4; s >= 0; --s) {
        p.setPen(WinColor(LoadResString(s != 0 ? 136 : 135).toUInt()));
        DrawTextAt(p, s, 128 + s, caption);
    }
}

void OpeningScene::DrawSprite(QImage& pic) {
    pic.fill(Qt::white);
    const QImage seal = LoadPicture(QStringLiteral("seal"));
    Blit(pic, 0, 0, seal, 0, 0, 64, 64);
    // The rails: a black bar with a menu-coloured groove and a shadow line along one edge.
    // Boxes include both corners; lines stop before their end point.
    FillRect(pic, 0, 71, 41, 6, qRgb(0, 0, 0));
    FillRect(pic, 0, 73, 41, 2, WinColor(0x80000004u).rgb());
    FillRect(pic, 0, 77, 20, 1, WinColor(0x80000010u).rgb());
    FillRect(pic, 20, 70, 20, 1, WinColor(0x80000010u).rgb());
}

void OpeningScene::Release() {
    CardImage = QImage();
    LogoBand = QImage();
}

bool OpeningScene::TT_Timer() {
    if (released()) return false;
    switch (Stage) {
    case 0:
        Stage0();
        break;
    case 1:
        Stage1();
        break;
    case 2:
        Stage2();
        break;
    default:
        if (!Stage3()) return false;
        break;
    }
    ++Tick;
    return true;
}

void OpeningScene::ShowCardBand() {
    Blit(CardImage, SquareX, SquareY, CardImage, MaskX, SpriteY, 64, 64, BlitOp::SourceAndNotDest);
    Blit(CardImage, SquareX, SquareY, CardImage, SpriteX, SpriteY, 64, 64, BlitOp::SourceXorDest);
    Blit(screen, 0, 165, CardImage, 0, 165, 640, 147);
}

void OpeningScene::NextStage() {
    if (Stage == 1) Blit(LogoBand, 184, 130, CardImage, 0, 130, 416, 25);
    if (Stage == 2) Blit(CardImage, 0, 190, CardImage, 0, 340, 450, 80);
    ++Stage;
    Tick = 0;
}

// The red curtain closes onto the seal square.
void OpeningScene::Stage0() {
    screen.fill(Qt::black);
    const int l = 20 - Tick;
    FillRect(screen, 24 * Tick, 10 * Tick, 29 * l + 64, 21 * l + 64, CardImage.pixel(1, 160));
    {
        QPainter p(&screen);
        p.setFont(windowFont);
        p.setPen(foreColor);
        DrawEmbossedText(p, CreditText, 0, 430, false);
    }
    if (l == 1) NextStage();
}

// The logo effect, the rails and the darkening seal square.
void OpeningScene::Stage1() {
    const int t = Tick;
    if (EffectNo >= 3) LogoBand.fill(CardImage.pixel(0, 0));
    DrawEffect(t);
    FillRect(CardImage, SquareX, SquareY, 64, 64, CardImage.pixel(t, 160));
    FillRect(CardImage, 0, 237, 20 * t, 3, CardImage.pixel(0, 340));
    const int x = 640 - 20 * t;
    Blit(CardImage, x, 165, CardImage, 520, 410, 20, 10);
    Blit(CardImage, x, 302, CardImage, 500, 408, 20, 10);
    if (t == 32) NextStage();
    ShowCardBand();
    Blit(screen, 0, 0, LogoBand, 0, 0, 640, 154);
}

void OpeningScene::DrawEffect(int t) {
    const QImage& logo = CardImage; // the logo is its (0, 0), 260 x 128
    const int p = ((t - 1) / 4 + 8 * t) % 32;
    switch (EffectNo) {
    case 0: // blinds
        for (int y = 0; y < 128; y += 32)
            Blit(LogoBand, 16, y + 23, logo, 0, y, 260, t);
        break;
    case 1: // interleaved rows
        for (int y = p; y <= 127; y += 32)
            Blit(LogoBand, 16, y + 23, logo, 0, y, 260, 1);
        break;
    case 2: // interleaved columns
        for (int x = p; x <= 259; x += 32)
            Blit(LogoBand, x + 15, 24, logo, x, 0, 1, 128);
        break;
    case 3: { // rise
        const int h = 4 * t;
        Blit(LogoBand, 16, 152 - h, logo, 0, 128 - h, 260, h);
        if (t < 32) Stretch(LogoBand, 16, 0, 260, 152 - h, logo, 0, 128 - h, 260, 1);
        break;
    }
    case 4: { // wave
        const int a = 16 - t / 2;
        for (int y = 0; y <= 126; y += 2) {
            const int d = 20 * t + 10 * y;
            Blit(LogoBand, Nearest(std::sin(d * Pi / 180) * a + 16), y + 24, logo, 0, y, 260, 1);
            Blit(LogoBand, Nearest(std::sin(-(d + 10) * Pi / 180) * a + 16), y + 25, logo, 0, y + 1,
                 260, 1);
        }
        break;
    }
    case 5: // slide
        for (int y = 0; y <= 126; y += 2) {
            Blit(LogoBand, Nearest(t * 0.5), y + 24, logo, 0, y, 260, 1);
            Blit(LogoBand, 656 - 20 * t, y + 25, logo, 0, y + 1, 260, 1);
        }
        break;
    case 6: // spiral blocks
        DrawBlocks(t, false);
        break;
    case 7: // coarse spiral blocks
        DrawBlocks(t, true);
        break;
    default: { // mosaic, via the spare area right of the logo
        const int w = 260 * t / 32, h = w / 2;
        Stretch(CardImage, 260, 0, w, h, logo, 0, 0, 260, 128);
        Stretch(LogoBand, 16, 24, 260, 128, CardImage, 260, 0, w, h);
        break;
    }
    }
}

void OpeningScene::DrawBlocks(int t, bool wholeRadians) {
    for (int i = 0; i < BlockColumns; ++i)
        for (int j = 0; j < BlockRows; ++j) {
            qint32& angle = BlockAngle[i][j];
            angle = (angle + 10) % 360;
            const int r = (32 - t) * BlockRadius[i][j] / 32;
            const double theta =
                wholeRadians ? double(Nearest(angle * Pi) / 180) : angle * Pi / 180;
            const int x = Nearest(std::cos(theta) * r + 5 * i + 16);
            const int y = Nearest(std::sin(theta) * r + 5 * j + 24);
            if (y < 165) Blit(LogoBand, x, y, CardImage, 5 * i, 5 * j, 5, 5);
        }
}

// The white band opens from the middle line.
void OpeningScene::Stage2() {
    Stretch(CardImage, 0, 237 - 5 * Tick, 640, 10 * Tick + 3, CardImage, 0, 340, 1, 10);
    if (Tick == 12) NextStage();
    ShowCardBand();
}

// The author credit strip and the thanks list.
bool OpeningScene::Stage3() {
    const int t = Tick;
    if (t >= 50) return false;
    if (t <= 22) {
        BandWidth = 25 * t;
        SourceX = 550 - BandWidth;
    } else if (t == 23) {
        QFont font = windowFont;
        font.setPixelSize(AppFont(font.family(), G().FontNormal).pixelSize());
        font.setBold(true);
        QPainter p(&screen);
        p.setFont(font);
        p.setPen(QColor(255, 255, 0));
        int y = PrintAt(p, 70, 320, LoadResString(37));
        p.setPen(Qt::white);
        for (int id = 100; id <= 103; ++id)
            y = PrintAt(p, 74, y, LoadResString(id));
        p.setPen(QColor(255, 0, 0));
        PrintAt(p, 74, y, LoadResString(110));
        foreColor = QColor(255, 0, 0);
    } else if (t <= 28) {
        SourceX = 10 * t - 230;
    } else if (t <= 34) {
        SourceX = 10 * (34 - t);
    }
    Blit(screen, 5, 275, CardImage, SourceX, 422, BandWidth, 20);
    return true;
}
