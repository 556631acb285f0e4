// Aligning the print with the paper form without spoiling forms: the
// calibration page, each printer's own offset, the question about texts
// falling outside the printable area, and the preview of the page.
#include "CareSheetWindow.h"

#include "config/FieldCatalogue.h"
#include "print/PrintGeometry.h"
#include "print/PrinterOffset.h"
#include "support/ActionGuard.h"
#include "support/Dialogs.h"
#include "support/Platform.h"
#include "widgets/DateEdit.h"
#include "widgets/Printing.h"
#include "widgets/SheetEdit.h"
#include "widgets/StampLabel.h"
#include "windows/PrinterOffsetWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QSignalBlocker>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QWindow>
#include <QVBoxLayout>
#include <QtMath>

#include <climits>

namespace {

// The name the offsets are kept under: the printer's own, or "PDF" for the
// toolkit's PDF file output, which has none.
QString printerKey(const QPrinter &printer)
{
    const QString name = printer.printerName();
    if (name.isEmpty() && printer.outputFormat() == QPrinter::PdfFormat)
        return QStringLiteral("PDF");
    return name;
}

// A rectangle of the captured client area in the dots of the printer, from
// the printable area's corner, moved by the shift.
QRect inDots(const QRect &pixels, const QPrinter &printer, const QPoint &shift)
{
    const double x = double(printer.logicalDpiX()) / kWindowDotsPerInch;
    const double y = double(printer.logicalDpiY()) / kWindowDotsPerInch;
    return QRect(QPoint(qRound(pixels.left() * x), qRound(pixels.top() * y)),
                 QPoint(qRound((pixels.right() + 1) * x) - 1, qRound((pixels.bottom() + 1) * y) - 1))
        .translated(shift);
}

// The part of a field its text takes, in the field's own pixels: as wide as
// the text, placed by its alignment, as high as the field. A long field
// holding a short text only prints that text.
QRect textRect(const SheetEdit *field)
{
    // The line edit keeps two pixels between its contents and its text.
    const int inner = 2;
    const QMargins margins = field->textMargins();
    const QRect contents = field->contentsRect().marginsRemoved(margins).adjusted(inner, 0, -inner, 0);
    const int width = qMin(field->fontMetrics().horizontalAdvance(field->text()) + 1, contents.width());
    int left = contents.left();
    const Qt::Alignment horizontal = QStyle::visualAlignment(field->layoutDirection(), field->alignment());
    if (horizontal & Qt::AlignRight)
        left = contents.right() + 1 - width;
    else if (horizontal & Qt::AlignHCenter)
        left = contents.left() + (contents.width() - width) / 2;
    return QRect(left, 0, width, field->height());
}

// What a widget prints, in its own pixels: the inked part of it rendered
// alone as it stands, within what its parents up to the page let show.
QRect printedPart(QWidget *widget, const QWidget *page, const QColor &paper)
{
    QImage picture(widget->size(), QImage::Format_ARGB32);
    picture.fill(paper);
    widget->render(&picture, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    QRect shown = widget->rect();
    for (const QWidget *parent = widget->parentWidget(); parent; parent = parent->parentWidget()) {
        shown &= QRect(widget->mapFrom(parent, QPoint(0, 0)), parent->size());
        if (parent == page)
            break;
    }
    return inkedRect(picture, paper.rgb()).intersected(shown);
}

// The top-left corner of a field's text, in the field's own pixels: its
// first inked pixel's column and row, measured on a plain line edit drawing
// the same text the same way (size, margins, font, alignment), so that the
// field's own handlers never run. An empty field is measured with a capital
// letter, where a text would start.
QPoint textCorner(const SheetEdit *field)
{
    QLineEdit twin;
    twin.setAttribute(Qt::WA_DontShowOnScreen);
    twin.setFrame(field->hasFrame());
    twin.setContentsMargins(field->contentsMargins());
    twin.setTextMargins(field->textMargins());
    twin.setFont(field->font());
    twin.setAlignment(field->alignment());
    twin.setLayoutDirection(field->layoutDirection());
    QPalette palette = twin.palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    twin.setPalette(palette);
    twin.setText(field->text().isEmpty() ? QStringLiteral("H") : field->text());
    twin.setCursorPosition(field->cursorPosition());
    twin.resize(field->size());
    QImage picture(field->size(), QImage::Format_Grayscale8);
    picture.fill(Qt::white);
    twin.render(&picture, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    int left = INT_MAX, top = INT_MAX;
    for (int y = 0; y < picture.height(); ++y) {
        const uchar *line = picture.constScanLine(y);
        for (int x = 0; x < picture.width(); ++x)
            if (line[x] < 128) {
                left = qMin(left, x);
                top = qMin(top, y);
            }
    }
    return left == INT_MAX ? textRect(field).topLeft() : QPoint(left, top);
}

// The preview's window: it draws its page again from the sheet each time it is
// shown, and when it becomes active after the sheet was worked on.
class PreviewWindow : public QWidget
{
public:
    explicit PreviewWindow(QWidget *sheet) : QWidget(sheet, Qt::Window) {}

    QPrintPreviewWidget *preview = nullptr;

    void redraw()
    {
        m_stale = false;
        preview->updatePreview();
    }
    // The menu asks for the preview again: shown if it was closed, brought
    // to the front, and drawn from the sheet as it is now.
    void showAgain()
    {
        if (isHidden()) {
            show();   // draws it
        } else {
            redraw();
        }
        raise();
        activateWindow();
    }
    void sheetUsed() { m_stale = true; }

protected:
    void showEvent(QShowEvent *event) override
    {
        QWidget::showEvent(event);
        // The first showing draws the page by itself.
        if (m_shownBefore)
            redraw();
        m_shownBefore = true;
    }
    void changeEvent(QEvent *event) override
    {
        QWidget::changeEvent(event);
        if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_stale)
            redraw();
    }

private:
    bool m_shownBefore = false;
    bool m_stale = false;
};

QPointer<PrinterOffsetWindow> g_offsetsWindow;
QPointer<QCheckBox> g_previewWarnTick;

} // namespace

QPoint CareSheetWindow::printerShift(const QPrinter &printer, bool tellUnreadable)
{
    const QString key = printerKey(printer);
    const StoredPrinterOffset stored = readStoredPrinterOffset(key);
    // The page prints as with no offset at all; the user hears of the value
    // once for each printer, not at every page.
    if (stored.unreadable && tellUnreadable && !m_toldUnreadableOffset.contains(key)) {
        m_toldUnreadableOffset.insert(key);
        dialogs().information(unreadableOffsetNotice(key, stored.text));
    }
    return offsetInDots(stored.offset, printer.logicalDpiX(), printer.logicalDpiY());
}

QList<PrintedZone> CareSheetWindow::zonesOutsidePrintableArea(const QPrinter &printer, const QRect &area, const QPoint &shift) const
{
    // Each field is judged by what it prints: the inked part of it as it
    // stands for printing (no frame, no calendar button), so an empty field
    // prints nothing and a long box holding a short text only that text.
    const QColor paper = sheetPage->palette().color(QPalette::Window);
    QList<PrintedZone> zones;
    auto add = [&](QWidget *widget) {
        if (!widget->isVisible())
            return;
        const QRect part = printedPart(widget, sheetPage, paper);
        if (part.isEmpty())
            return;
        const QRect onSheet = part.translated(widget->mapTo(sheetPage, QPoint(0, 0)) - area.topLeft());
        zones.append({fieldLabel(widget->objectName()), inDots(onSheet, printer, shift)});
    };
    for (SheetEdit *field : m_plainFields)
        add(field);
    for (DateEdit *date : {DDN, DATE, DATE_ACTE, DDG})
        add(date);
    for (QWidget *label : {static_cast<QWidget *>(NOTE), static_cast<QWidget *>(oriente)})
        add(label);
    const QStringList names = zonesOutside(zones, printableDots(printer.pageLayout(), printer.resolution()));
    QList<PrintedZone> outside;
    for (const PrintedZone &zone : zones)
        if (names.contains(zone.name))
            outside << zone;
    return outside;
}

void CareSheetWindow::printCalibration()
{
    QPrinter &printer = runPrinter();
    if (!dialogs().print(printer))
        return;
    // The corner of each field's text where the sheet prints it: from the
    // same capture as the print (the window at its capture height, without
    // frames), moved by the printer's offset.
    const QPoint shift = printerShift(printer, true);
    QList<CalibrationMark> marks;
    withSheetAsPrinted([&](const QRect &area) {
        for (const char *name : {"NOM", "MATRICULE", "ACTE_1", "TARIF_1", "MONTANT_TOTAL", "COCHE_MALADIE"}) {
            QWidget *field = m_fields.value(QString::fromLatin1(name));
            if (!field)
                continue;
            const SheetEdit *edit = qobject_cast<SheetEdit *>(field);
            const QPoint corner = edit ? textCorner(edit) : QPoint();
            const QRect onSheet(field->mapTo(sheetPage, corner) - area.topLeft(), QSize(1, 1));
            marks.append({QString::fromLatin1(name), inDots(onSheet, printer, shift).topLeft()});
        }
    });
    CalibrationNotice notice;
    notice.printer = printerKey(printer);
    notice.date = platform().today().toString(QStringLiteral("dd/MM/yyyy"));
    notice.offset = describePrinterOffset(readStoredPrinterOffset(notice.printer));
    printCalibrationPage(printer, marks, notice);
}

void CareSheetWindow::showPrinterOffsets()
{
    if (!g_offsetsWindow) {
        g_offsetsWindow = new PrinterOffsetWindow;
        connect(this, &QObject::destroyed, g_offsetsWindow, [] { delete g_offsetsWindow; });
        // The preview's tick shows the same stored choice.
        connect(g_offsetsWindow->warnTick, &QCheckBox::toggled, this, [](bool on) {
            if (g_previewWarnTick) {
                const QSignalBlocker quiet(g_previewWarnTick);
                g_previewWarnTick->setChecked(on);
            }
        });
        g_offsetsWindow->restorePlacement();
    }
    if (m_printer)
        g_offsetsWindow->choosePrinter(printerKey(*m_printer));
    g_offsetsWindow->show();
    g_offsetsWindow->raise();
}

void CareSheetWindow::showPreview()
{
    // One preview window, drawn again from the sheet each time it is shown,
    // when the user comes back to it from the sheet, and while it is open as
    // the sheet's texts change.
    if (m_preview) {
        static_cast<PreviewWindow *>(m_preview.data())->showAgain();
        return;
    }
    auto *window = new PreviewWindow(this);
    m_preview = window;
    window->setObjectName(QStringLiteral("Form_APERCU"));
    window->setWindowTitle(QStringLiteral("Aperçu avant impression"));
    auto *layout = new QVBoxLayout(window);
    auto *preview = new QPrintPreviewWidget(&runPrinter(), window);
    preview->setObjectName(QStringLiteral("preview"));
    window->preview = preview;
    auto *formBehind = new QCheckBox(QStringLiteral("Montrer le formulaire derrière"), window);
    formBehind->setObjectName(QStringLiteral("chk_FORM"));
    formBehind->setChecked(true);
    auto *warn = new QCheckBox(QStringLiteral("Avertir quand une zone sort de la partie imprimable"), window);
    warn->setObjectName(QStringLiteral("chk_WARN"));
    warn->setChecked(outOfAreaWarningWanted());
    g_previewWarnTick = warn;
    auto *legend = new QLabel(QStringLiteral("En gris : les marges que l'imprimante ne peut pas imprimer. "
                                             "Encadrées de rouge : les zones qui en sortent."),
                              window);
    legend->setWordWrap(true);
    auto *unreadable = new QLabel(window);
    unreadable->setObjectName(QStringLiteral("lbl_UNREADABLE"));
    unreadable->setWordWrap(true);
    unreadable->setStyleSheet(QStringLiteral("color: #a00000"));

    // The zoom: the whole page in the window, the page at its true size, and
    // a step larger or smaller (also the keys + and -).
    auto button = [window](const char *name, const QString &caption) {
        auto *made = new QPushButton(caption, window);
        made->setObjectName(QString::fromLatin1(name));
        made->setAutoDefault(false);
        return made;
    };
    QPushButton *fit = button("btn_FIT", QStringLiteral("Page entière"));
    QPushButton *actual = button("btn_100", QStringLiteral("100 %"));
    QPushButton *zoomIn = button("btn_ZOOM_IN", QStringLiteral("Zoom +"));
    QPushButton *zoomOut = button("btn_ZOOM_OUT", QStringLiteral("Zoom −"));
    QPushButton *print = button("btn_PRINT", QStringLiteral("Imprimer"));
    QPushButton *close = button("btn_CLOSE", QStringLiteral("Fermer"));
    connect(fit, &QPushButton::clicked, preview, &QPrintPreviewWidget::fitInView);
    connect(actual, &QPushButton::clicked, preview, [preview] { preview->setZoomFactor(1.0); });
    connect(zoomIn, &QPushButton::clicked, preview, [preview] { preview->zoomIn(); });
    connect(zoomOut, &QPushButton::clicked, preview, [preview] { preview->zoomOut(); });
    for (const auto &keys : {std::make_pair(Qt::Key_Plus, true), std::make_pair(Qt::Key_Minus, false)}) {
        auto *action = new QAction(window);
        action->setShortcuts({QKeySequence(keys.first), QKeySequence(keys.first | Qt::KeypadModifier)});
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
        connect(action, &QAction::triggered, preview, [preview, in = keys.second] {
            if (in)
                preview->zoomIn();
            else
                preview->zoomOut();
        });
    }
    connect(close, &QPushButton::clicked, window, &QWidget::close);

    auto *zoomRow = new QHBoxLayout;
    for (QPushButton *each : {fit, actual, zoomIn, zoomOut})
        zoomRow->addWidget(each);
    zoomRow->addStretch();
    auto *row = new QHBoxLayout;
    row->addWidget(formBehind);
    row->addWidget(warn);
    row->addStretch();
    row->addWidget(print);
    row->addWidget(close);
    layout->addLayout(zoomRow);
    layout->addWidget(preview, 1);
    layout->addWidget(legend);
    layout->addWidget(unreadable);
    layout->addLayout(row);

    connect(preview, &QPrintPreviewWidget::paintRequested, this, [this, formBehind, unreadable](QPrinter *printer) {
        runGuarded([this, printer, formBehind, unreadable] {
            const StoredPrinterOffset stored = readStoredPrinterOffset(printerKey(*printer));
            unreadable->setText(stored.unreadable ? unreadableOffsetNote(stored.text) : QString());
            unreadable->setVisible(stored.unreadable);
            printSheet(*printer, formBehind->isChecked() ? SheetPage::PreviewOverForm : SheetPage::Preview);
        });
    });
    connect(formBehind, &QCheckBox::toggled, window, [window] { window->redraw(); });
    connect(warn, &QCheckBox::toggled, this, [](bool on) {
        runGuarded([on] { setOutOfAreaWarningWanted(on); });
        if (g_offsetsWindow) {
            const QSignalBlocker quiet(g_offsetsWindow->warnTick);
            g_offsetsWindow->warnTick->setChecked(on);
        }
    });
    connect(print, &QPushButton::clicked, window, [this, window] {
        window->close();
        printAction->trigger();
    });

    // While it is open, a change of the sheet's texts draws it again once
    // the change is over (a whole import is one change); coming back to it
    // from the sheet draws it again too.
    auto *later = new QTimer(window);
    later->setSingleShot(true);
    later->setInterval(0);
    connect(later, &QTimer::timeout, window, [window] {
        if (window->isVisible())
            window->redraw();
    });
    for (SheetEdit *edit : m_plainFields)
        connect(edit, &QLineEdit::textChanged, later, qOverload<>(&QTimer::start));
    for (DateEdit *date : {DDN, DATE, DATE_ACTE, DDG})
        connect(date, &DateEdit::textChanged, later, qOverload<>(&QTimer::start));
    connect(qApp, &QGuiApplication::focusWindowChanged, window, [this, window](QWindow *now) {
        if (now && now == windowHandle())
            window->sheetUsed();
    });

    window->resize(700, 900);
    // Shown, the preview draws its page once, fitted to the window.
    window->show();
    preview->fitInView();
}
