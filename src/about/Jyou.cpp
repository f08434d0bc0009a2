#include "about/Jyou.h"

#include "about/VersionLines.h"
#include "core/AppGlobals.h"
#include "core/Blit.h"
#include "core/Drawing.h"
#include "core/Paths.h"
#include "core/ResText.h"
#include "core/Resources.h"
#include "platform/HelpKey.h"
#include "platform/Keys.h"
#include "platform/Platform.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <cstdlib>

namespace {
constexpr int ClientWidth = 279, ClientHeight = 124, ToolLineHeight = 20;
constexpr int OuterWidth = 287, OuterHeight = 150;
// The disk line starts at x 10 and must end inside the window.
constexpr int DiskLineX = 10, DiskLineWidth = ClientWidth - DiskLineX;
const QColor LinkBlue(0, 0, 255), LinkHover(255, 0, 255);

void SetTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    if (palette.color(QPalette::WindowText) == colour) return;
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}
} // namespace

Jyou::Jyou(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setModal(true);
    AddHelpKey(this, [] { return G().HelpPath; });
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    drawing = QImage(ClientWidth, ClientHeight + ToolLineHeight, QImage::Format_RGB32);
    drawing.fill(QColor(192, 192, 192));
    frame = QImage(65, 13, QImage::Format_RGB32);
    frame.fill(QColor(192, 192, 192));

    Label1 = new QLabel(this);
    Label1->setMouseTracking(true);
    Label1->installEventFilter(this);

    Tim.setTimerType(Qt::PreciseTimer);
    Tim.setInterval(200);
    connect(&Tim, &QTimer::timeout, this, &Jyou::Tim_Timer);
    G().Jyou = this;
}

Jyou::~Jyou() {
    Tim.stop();
    if (G().Jyou == this) G().Jyou = nullptr;
}

void Jyou::Form_Load() {
    const AppGlobals& g = G();
    setFixedSize(ClientWidth, ClientHeight);
    const QFont font = AppFont(LoadResString(FontPGothic), g.FontSmall);
    setFont(font);

    Blit(drawing, 240, 48, g.SkinDC, 48, 70, 32, 32);
    Blit(drawing, 244, 6, g.SkinDC, 188, 70, 27, 20); // the close mark

    Label1->setFont(font);
    Label1->move(10, 74);
    SetTextColour(Label1, LinkBlue);
    Label1->setText(LoadResString(36));
    Label1->adjustSize();
    Label1->setCursor(LoadCursor(9));

    {
        QPainter p(&drawing);
        DrawEdgeBar(p, 7, 272, 36, 1);
        DrawEdgeBar(p, 7, 272, 92, 1);
    }
    writeText(g.VersionText.mid(1), 80, 2);
    writeText(LoadResString(34), 80, 18);
    writeText(ResText(32, LoadResString(30)), 10, 42);
    writeText(LoadResString(33), 10, 60);
    {
        // A line still too wide (a thousand gigabytes free and more) is drawn a little narrower
        // rather than cut at the window's edge.
        const QString disk = DiskText();
        const int width = QFontMetrics(font).horizontalAdvance(disk);
        QPainter p(&drawing);
        p.setFont(font);
        p.setPen(Qt::black);
        if (width > DiskLineWidth) {
            p.translate(DiskLineX, 0);
            // A pixel or two to spare: glyphs drawn scaled are placed without hinting.
            p.scale(qreal(DiskLineWidth - 2) / width, 1.0);
            DrawEmbossedText(p, disk, 0, 98, false);
        } else {
            DrawEmbossedText(p, disk, DiskLineX, 98, false);
        }
    }

    // Only a regular file counts as the tool: a folder or device of that name has no version.
    toolLine_ = !g.ToolPath.isEmpty() && QFileInfo(g.ToolPath).isFile();
    if (toolLine_) {
        setFixedSize(ClientWidth, ClientHeight + ToolLineHeight);
        {
            QPainter p(&drawing);
            DrawEdgeBar(p, 7, 272, 126, 0);
        }
        // The file's own name: "Pomvex.exe" on Windows, "Pomvex" elsewhere. Its version comes
        // from asking the tool, which may take up to its limit: the window opens meanwhile and
        // the number is written when the answer comes.
        const QString head = QFileInfo(g.ToolPath).fileName() + LoadResString(99);
        writeText(head, 10, 132);
        const QFont toolFont = font;
        const int versionX = 10 + QFontMetrics(toolFont).horizontalAdvance(head);
        platform().askFileVersion(g.ToolPath, this, [this, toolFont, versionX](const QString& v) {
            toolVersion_ = v;
            toolAnswered_ = true;
            writeText(v, versionX, 132, toolFont);
            update();
        });
    }

    setFont(AppFont(LoadResString(FontGothic), g.FontSmall));
    writeText(DateLine(platform().utcNow().toLocalTime()), 10, 112);

    if (QWidget* owner = parentWidget()) {
        const QPoint centre = owner->frameGeometry().center();
        const int outerHeight = OuterHeight + (toolLine_ ? ToolLineHeight : 0);
        move(centre.x() - OuterWidth / 2, centre.y() - outerHeight / 2);
    }
    if (useRealTimer) Tim.start();
}

void Jyou::writeText(const QString& text, int x, int y) {
    writeText(text, x, y, font());
}

void Jyou::writeText(const QString& text, int x, int y, const QFont& textFont) {
    QPainter p(&drawing);
    p.setFont(textFont);
    p.setPen(Qt::black);
    DrawEmbossedText(p, text, x, y, false);
}

QString Jyou::ToolVersion() const {
    return platform().fileVersion(G().ToolPath);
}

QString Jyou::DiskText() {
    const QString folder = G().AppFolder;
    const int kind = PathKind(folder);
    if (kind != 1) return DiskLine(kind, QString(), QString(), -1);
    // A network file system is reported as such, without asking it for its free space.
    const VolumeInfo volume = platform().volumeInfo(folder);
    if (IsNetworkFileSystem(volume.fileSystemType)) return LoadResString(124);
    QString drive = DriveName(volume.rootPath);
    if (drive.isEmpty()) drive = DriveName(folder);
    // Written at x 10 in the window's first font; it must end inside the window.
    const QFontMetrics metrics(AppFont(LoadResString(90), G().FontSmall));
    return FittedDiskLine(kind, volume.fileSystemType, drive, platform().freeBytes(folder), metrics,
                          DiskLineWidth);
}

void Jyou::Tim_Timer() {
    AnimFrame = quint8(AnimFrame % 7 + 1);
    const int row = 149 - 13 * std::abs(AnimFrame - 4);
    Blit(frame, 0, 0, G().SkinDC, 288, row, 65, 13);
    update(7, 10, 65, 13);
}

void Jyou::Form_MouseMove(int x, int y) {
    closeMarkPointer_ = 243 < x && x < 271 && 5 < y && y < 26;
    if (closeMarkPointer_)
        setCursor(LoadCursor(8));
    else
        unsetCursor();
    SetTextColour(Label1, LinkBlue);
}

void Jyou::Form_Click() {
    if (closeMarkPointer_) reject();
}

void Jyou::Form_KeyDown(int key) {
    if (EggStep < 5 && key == EggKeys[EggStep]) ++EggStep;
    if (EggStep == 5 && key == EggKeys[5]) {
        Label1->setText(LoadResString(86));
        Label1->adjustSize();
    }
}

void Jyou::Label1_MouseMove() {
    SetTextColour(Label1, LinkHover);
}

void Jyou::Label1_Click() {
    const QString caption = Label1->text();
    const QString target = caption == LoadResString(86) ? ResJoin(36, 114) : caption;
    platform().openUrl(target); // a browser that does not open is not reported
}

void Jyou::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    Tim.stop();
    if (G().Jyou == this) G().Jyou = nullptr;
}

void Jyou::done(int result) {
    // Every way out (close mark, window manager, Esc) unloads the same way.
    Form_Unload();
    QDialog::done(result);
}

void Jyou::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, drawing);
    p.drawImage(7, 10, frame);
}

void Jyou::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove(event->position().toPoint().x(), event->position().toPoint().y());
}

void Jyou::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    Form_MouseMove(event->position().toPoint().x(), event->position().toPoint().y());
    Form_Click();
}

void Jyou::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (IsAutoRepeat(event)) return;
    const int key = VirtualKey(event);
    // Esc leaves the window, so it can be closed without a mouse too.
    if (key == VK::Escape) {
        reject();
        return;
    }
    if (key != 0) Form_KeyDown(key);
}

bool Jyou::eventFilter(QObject* watched, QEvent* event) {
    // The label keeps its mouse events: passed on, a move would reach the window and turn the
    // link blue again at once.
    if (watched == Label1) {
        switch (event->type()) {
        case QEvent::Enter:
            Label1_MouseMove();
            break;
        case QEvent::MouseMove:
            Label1_MouseMove();
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return true;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) Label1_Click();
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ShowJyou(QWidget* owner) {
    Jyou window(owner);
    window.Form_Load();
    window.exec();
}
