#include "print/PriPri.h"

#include "core/AppGlobals.h"
#include "core/Drawing.h"
#include "core/ResText.h"
#include "platform/HelpKey.h"
#include "platform/Platform.h"
#include "print/PrintData.h"
#include "print/PrintLayout.h"
#include "print/PrintRender.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QTimer>

namespace {

int px(int twips) {
    return twips / qMax(1, G().TwipsX);
}

template <typename W> W* place(W* widget, int x, int y, int w, int h) {
    widget->setGeometry(px(x), px(y), px(w), px(h));
    return widget;
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

PriPri::PriPri(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("印刷設定"));
    // A fixed tool window without control box, minimise or maximise buttons.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(px(6060), px(1815));
    buildControls();
    G().PriPri = this;
    AddHelpKey(this, [] { return G().HelpPath; });
    qApp->installEventFilter(this);
    Form_Load();
}

PriPri::~PriPri() {
    qApp->removeEventFilter(this);
    if (G().PriPri == this) G().PriPri = nullptr;
}

void PriPri::buildControls() {
    Label2 = place(new QLabel(QStringLiteral("A4縦で印刷されます。"), this), 120, 60, 1755, 195);

    Frame1[0] = place(new QGroupBox(QStringLiteral(" Font "), this), 60, 360, 1665, 975);
    Option1[0] = place(new QRadioButton(Frame1[0]), 120, 300, 1455, 180);
    Option1[1] = place(new QRadioButton(Frame1[0]), 120, 660, 1455, 180);

    Frame1[1] = place(new QGroupBox(QStringLiteral(" 印刷範囲 "), this), 1800, 360, 3195, 975);
    Check1[1] =
        place(new QCheckBox(QStringLiteral("範囲を指定する"), Frame1[1]), 180, 240, 1575, 195);
    Frame1[2] = place(new QWidget(Frame1[1]), 60, 450, 3105, 495);

    const std::array<int, 2> fieldX{120, 1500}, spinX{600, 1980}, labelX{900, 2280},
        labelW{615, 765};
    for (int i = 0; i < 2; ++i) {
        L_StoE[i] = place(new QLineEdit(Frame1[2]), fieldX[i], 90, 495, 315);
        VScroll1[i] = place(new QScrollBar(Qt::Vertical, Frame1[2]), spinX[i], 90, 255, 315);
        VScroll1[i]->setFocusPolicy(Qt::StrongFocus);
        VScroll1[i]->setSingleStep(1);
        VScroll1[i]->setPageStep(1);
        connect(VScroll1[i], &QScrollBar::valueChanged, this, [this, i] { VScroll1_Change(i); });
        Label1[i] = place(new QLabel(Frame1[2]), labelX[i], 150, labelW[i], 195);
    }

    Check1[0] = place(new QCheckBox(this), 60, 1500, 4275, 195);
    Check1[0]->setChecked(true);
    Option1[1]->setChecked(true);
    for (int i = 0; i < 2; ++i)
        connect(Check1[i], &QCheckBox::clicked, this, [this, i] { Check1_Click(i); });

    const std::array<const char16_t*, 2> captions{u"印刷", u"ｷｬﾝｾﾙ"};
    for (int i = 0; i < 2; ++i) {
        Command1[i] = place(new QPushButton(QString::fromUtf16(captions[i]), this), 5130,
                            i == 0 ? 780 : 1320, 855, 375);
        // Enter presses the button that has the focus, else "印刷".
        Command1[i]->setAutoDefault(true);
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }

    Command1[0]->setDefault(true);

    const QFont font = AppFont(LoadResString(FontPGothic), G().FontSmall);
    for (QWidget* w : findChildren<QWidget*>())
        w->setFont(font);
}

void PriPri::Form_Load() {
    const int n = G().RecordCount;
    // Four digits, or as many as the record count has: a field cut to four would print a
    // list of 10,000 or more questions only up to question 1000.
    const int digits = qMax(4, int(QString::number(n).size()));
    for (QLineEdit* box : L_StoE) {
        box->setMaxLength(digits);
        // Pasted, dropped or input-method text must be digits as well.
        box->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(digits)), box));
    }
    L_StoE[0]->setText(QStringLiteral("1"));
    for (int i = 0; i < 2; ++i) {
        setSpinLimits(i, n, 1);
        Label1[i]->setText(LoadResString(125 + i));
        Option1[i]->setText(LoadResString(91 + i));
    }
    setSpinValue(0, 1);
    setSpinValue(1, n);
    VScroll1_Change(1);
    Check1[0]->setText(LoadResString(49));
    Check1_Click(1);
}

void PriPri::Check1_Click(int index) {
    if (index != 1) return;
    const bool on = Check1[1]->isChecked();
    const QColor colour = on ? QColor(Qt::white) : QApplication::palette().color(QPalette::Button);
    for (QLineEdit* box : L_StoE) {
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, colour);
        box->setPalette(palette);
    }
    Frame1[2]->setEnabled(on);
}

int PriPri::spinValue(int index) const {
    return -VScroll1[index]->value();
}

// The scroll bar holds the negated number, so that its top (minimum) is the upper end and
// the up arrow, which lowers a scroll bar's value, raises the number.
void PriPri::setSpinLimits(int index, int upper, int lower) {
    spinUpper_[index] = upper;
    spinLower_[index] = lower;
    const QSignalBlocker block(VScroll1[index]);
    VScroll1[index]->setRange(-qMax(upper, lower), -qMin(upper, lower));
}

void PriPri::setSpinValue(int index, int value) {
    const QSignalBlocker block(VScroll1[index]);
    VScroll1[index]->setValue(-value);
}

void PriPri::VScroll1_Change(int index) {
    L_StoE[index]->setText(QString::number(spinValue(index)));
    // From can be spun up to to, and to down to from.
    setSpinLimits(0, fieldNumber(1), spinLower_[0]);
    setSpinLimits(1, spinUpper_[1], fieldNumber(0));
}

bool PriPri::L_StoE_KeyPress(int, const QString& typed) {
    for (QChar c : typed) {
        // Control characters (Backspace, Enter, Esc) are not text; they keep their usual jobs.
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) continue;
        if (!isDigit(c)) return false;
    }
    return true;
}

bool PriPri::L_StoE_Validate(int index) {
    if (L_StoE[index]->text().isEmpty()) L_StoE[index]->setText(QStringLiteral("0"));
    return fieldNumber(index) <= G().RecordCount;
}

int PriPri::fieldNumber(int index) const {
    return L_StoE[index]->text().toInt();
}

int PriPri::focusedField() const {
    const QWidget* focused = QApplication::focusWidget();
    for (int i = 0; i < 2; ++i)
        if (focused == L_StoE[i]) return i;
    return -1;
}

void PriPri::Command1_Click(int index) {
    if (index == 1) {
        reject();
        return;
    }
    if (refusedField_ >= 0) return;
    if (const int f = focusedField(); f >= 0 && !L_StoE_Validate(f)) return;
    if (printNow()) accept();
}

bool PriPri::printNow() {
    // An emptied from field reads 0; there is no entry 0, so the list starts at the first.
    const int from = qMax(1, fieldNumber(0));
    const int to = fieldNumber(1);
    const int first = Check1[1]->isChecked() ? from : 1;
    const int last = qMin(to, G().RecordCount);
    // The spin button of an empty file still reaches 1, a range with nothing in it.
    if (from > to || first > last) {
        ResMsgBox(this, MsgWarning, TitleWarning, TextPrintRange, 0);
        return false;
    }

    QList<PrintEntry> entries;
    PrintDataError error;
    if (!ReadPrintEntries(G().CurrentFile, G().LogFileFlag, first, last, &entries, &error)) {
        if (error.record > 0)
            platform().messageBox(this, MsgError, LoadResString(82),
                                  ResText(error.textId, QString::number(error.record)));
        else
            ResMsgBox(this, MsgError, TitleReadError, error.textId, TextReloadFile);
        return false;
    }

    PrintLayout layout(Check1[0]->isChecked(), G().LogFileFlag);
    layout.PrintRecords(first, entries);
    const QList<PageOp> pages = layout.finish();

    // Cancelling the choice of a PDF file prints nothing and keeps the dialog open.
    std::unique_ptr<QPrinter> printer = platform().createPrinter(this);
    if (!printer) return false;
    const bool pdf = printer->outputFormat() == QPrinter::PdfFormat;
    if (!RenderPages(*printer, pages, LoadResString(Option1[0]->isChecked() ? 91 : 92))) {
        ResMsgBox(this, MsgError, TextPrintErrorTitle, pdf ? TextPdfNotWritten : TextPrintFailed,
                  0);
        return false;
    }
    return true;
}

void PriPri::reject() {
    closing_ = true;
    QDialog::reject();
}

bool PriPri::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType() || closing_) return false;
    auto* w = static_cast<QWidget*>(watched);
    if (w->window() != this) return false;
    const int field = focusedField();

    switch (event->type()) {
    case QEvent::KeyPress: {
        if (field < 0 || w != L_StoE[field]) break;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            return !L_StoE_Validate(field);
        if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) break;
        return !L_StoE_KeyPress(field, key->text());
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        // The press has already moved the focus out of a field whose number was refused:
        // the focus goes back and the click does nothing; cancelling stays possible.
        if (refusedField_ < 0 || w == L_StoE[refusedField_] || w == Command1[1]) break;
        L_StoE[refusedField_]->setFocus(Qt::OtherFocusReason);
        return true;
    case QEvent::FocusIn:
        if (refusedField_ >= 0 && w == L_StoE[refusedField_]) refusedField_ = -1;
        break;
    case QEvent::FocusOut: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) break;
        // Cancelling needs no valid number; taking the focus back would cancel the click.
        if (QApplication::focusWidget() == Command1[1]) break;
        for (int i = 0; i < 2; ++i) {
            if (w != L_StoE[i] || L_StoE_Validate(i)) continue;
            refusedField_ = i;
            QTimer::singleShot(0, L_StoE[i], [this, i] {
                if (!closing_ && refusedField_ == i) L_StoE[i]->setFocus(Qt::OtherFocusReason);
            });
        }
        break;
    }
    default:
        break;
    }
    return false;
}

void ShowPriPri(QWidget* owner) {
    PriPri dialog(owner);
    dialog.exec();
}
