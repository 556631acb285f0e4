// Aligning the print with the paper form without spoiling forms: the
// calibration page, each printer's own offset, the question about texts
// falling outside the printable area, and the preview of the page.
#include "Unit1.h"

#include "print/PrintGeometry.h"
#include "print/PrinterOffset.h"
#include "support/ActionGuard.h"
#include "support/Dialogs.h"
#include "widgets/DateEdit.h"
#include "widgets/Printing.h"
#include "widgets/SheetEdit.h"
#include "widgets/StampLabel.h"
#include "windows/frm_DECALAGE.h"

#include <QLabel>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <QtMath>

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

QPointer<TForm_DECALAGE> g_offsetsWindow;

} // namespace

QPoint TForm1::printerShift(const QPrinter &printer) const
{
    return offsetInDots(storedPrinterOffset(printerKey(printer)), printer.logicalDpiX(), printer.logicalDpiY());
}

QList<PrintedZone> TForm1::zonesOutsidePrintableArea(const QPrinter &printer, const QRect &area, const QPoint &shift) const
{
    QList<PrintedZone> zones;
    auto add = [&](QWidget *widget, const QRect &part) {
        const QRect onSheet = part.translated(widget->mapTo(Client, QPoint(0, 0)) - area.topLeft());
        zones.append({widget->objectName(), inDots(onSheet, printer, shift)});
    };
    for (SheetEdit *field : m_plainFields)
        if (field->isVisible() && !field->text().isEmpty())
            add(field, textRect(field));
    for (DateEdit *date : {DDN, DATE, DATE_ACTE, DDG})
        if (date->isVisible() && !date->text().isEmpty())
            add(date, date->rect());
    for (QWidget *label : {static_cast<QWidget *>(NOTE), static_cast<QWidget *>(oriente)})
        if (label->isVisible())
            add(label, label->rect());
    const QStringList names = zonesOutside(zones, printableDots(printer.pageLayout(), printer.resolution()));
    QList<PrintedZone> outside;
    for (const PrintedZone &zone : zones)
        if (names.contains(zone.name))
            outside << zone;
    return outside;
}

void TForm1::mnu_CalibrageClick()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrinter &printer = *m_printer;
    if (!dialogs().print(printer))
        return;
    // The corner of each field as the sheet would print now: in the scroll
    // position of the moment, moved by the printer's offset.
    const QPoint scrolled(0, ScrollBox->verticalScrollBar()->value());
    const QPoint shift = printerShift(printer);
    QList<CalibrationMark> marks;
    for (const char *name : {"NOM", "MATRICULE", "ACTE_1", "TARIF_1", "MONTANT_TOTAL", "COCHE_MALADIE"}) {
        QWidget *field = m_fields.value(QString::fromLatin1(name));
        if (!field)
            continue;
        const SheetEdit *edit = qobject_cast<SheetEdit *>(field);
        const QPoint corner = edit ? textRect(edit).topLeft() + QPoint(0, (edit->height() - edit->fontMetrics().height()) / 2)
                                   : QPoint();
        const QRect onSheet(field->mapTo(Client, corner) - scrolled, QSize(1, 1));
        marks.append({QString::fromLatin1(name), inDots(onSheet, printer, shift).topLeft()});
    }
    printCalibrationPage(printer, marks);
}

void TForm1::mnu_DecalageClick()
{
    if (!g_offsetsWindow) {
        g_offsetsWindow = new TForm_DECALAGE;
        connect(this, &QObject::destroyed, g_offsetsWindow, [] { delete g_offsetsWindow; });
        g_offsetsWindow->restorePlacement();
    }
    if (m_printer)
        g_offsetsWindow->choosePrinter(printerKey(*m_printer));
    g_offsetsWindow->show();
    g_offsetsWindow->raise();
}

void TForm1::mnu_ApercuClick()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The page exactly as it would print on the printer chosen last: the
    // same capture, scale and offset. "Imprimer" prints it as the menu does.
    auto *window = new QWidget(this, Qt::Window);
    window->setObjectName(QStringLiteral("Form_APERCU"));
    window->setWindowTitle(QStringLiteral("Aperçu avant impression"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(window);
    auto *preview = new QPrintPreviewWidget(m_printer.get(), window);
    preview->setObjectName(QStringLiteral("preview"));
    auto *print = new QPushButton(QStringLiteral("Imprimer"), window);
    print->setObjectName(QStringLiteral("btn_PRINT"));
    layout->addWidget(preview);
    layout->addWidget(print);
    connect(preview, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter *printer) { runGuarded([this, printer] { printSheet(*printer, false, true); }); });
    connect(print, &QPushButton::clicked, window, [this, window] {
        window->close();
        btn_IMPRIMER->trigger();
    });
    window->resize(700, 900);
    // Shown, the preview draws its page once.
    window->show();
    preview->fitToWidth();
}
