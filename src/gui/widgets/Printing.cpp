#include "Printing.h"

#include "support/TiravonError.h"

#include <QPageLayout>
#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QRegion>
#include <QPrinter>
#include <QWidget>

#include <functional>

QPixmap renderArea(QWidget *widget, const QRect &area)
{
    const qreal ratio = widget->devicePixelRatioF();
    QPixmap capture(area.size() * ratio);
    capture.setDevicePixelRatio(ratio);
    capture.fill(widget->palette().color(QPalette::Window));
    widget->render(&capture, QPoint(), QRegion(area), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return capture;
}

namespace {
const char *const kRefused = "L'imprimante n'imprime pas actuellement";
} // namespace

void setMinimumMargins(QPrinter &printer)
{
    // The page margins are the printer's own minimum margins, not the
    // toolkit's default margins (10 points), whatever the print dialog left.
    printer.setFullPage(false);
    const QPageLayout layout = printer.pageLayout();
    printer.setPageMargins(layout.minimumMargins(), layout.units());
}

namespace {
// One page on the printer, drawn from the top-left corner of its printable
// area; "L'imprimante n'imprime pas actuellement" when the job cannot start
// or end.
void printOnePage(QPrinter &printer, const std::function<void(QPainter &)> &draw)
{
    const QString refused = QString::fromUtf8(kRefused);
    printer.setDocName(QString());
    setMinimumMargins(printer);
    QPainter painter;
    if (!painter.begin(&printer))
        throw TiravonError(refused);
    draw(painter);
    if (!painter.end())
        throw TiravonError(refused);
}
} // namespace

void printCapture(QPrinter &printer, const QPixmap &capture, const QSize &logicalSize, const QPoint &shift,
                  const PreviewMarks *preview)
{
    printOnePage(printer, [&](QPainter &painter) {
        // The pixels as they are: no smoothing when stretched, and no lossy
        // compression on the way (a PDF job would otherwise store the capture as
        // JPEG and blur the letters' edges).
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.setRenderHint(QPainter::LosslessImageRendering, true);
        // The capture's size in the window's own pixels: a high-resolution screen
        // gives more pixels of the same logical size, printed at the same size.
        const QRect target = printedRect(logicalSize, printer.logicalDpiX(), printer.logicalDpiY()).translated(shift);
        painter.drawPixmap(target, capture);
        if (!preview)
            return;
        // The margins the printer cannot print on, around the painter's
        // origin at the printable area's corner.
        const QRect paper = printer.paperRect(QPrinter::DevicePixel).toAlignedRect();
        const QRect printable = printer.pageRect(QPrinter::DevicePixel).toAlignedRect();
        const QRegion margins = QRegion(paper.translated(-printable.topLeft()))
                                - QRegion(QRect(QPoint(0, 0), printable.size()));
        for (const QRect &part : margins)
            painter.fillRect(part, QColor(0, 0, 0, 48));
        QPen red(Qt::red);
        red.setWidthF(0.3 * printer.logicalDpiX() / 25.4);
        painter.setPen(red);
        painter.setBrush(Qt::NoBrush);
        for (const QRect &zone : preview->outlined)
            painter.drawRect(zone);
    });
}

QPixmap withFormBehind(const QPixmap &page, const QPixmap &withForm)
{
    // Multiplied over the page at a quarter of its strength, the form greys
    // the white paper a little and leaves the black letters black.
    QPixmap result = page;
    QPainter painter(&result);
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    painter.setOpacity(0.25);
    painter.drawPixmap(QPoint(0, 0), withForm);
    return result;
}

void printCalibrationPage(QPrinter &printer, const QList<CalibrationMark> &marks)
{
    printOnePage(printer, [&](QPainter &painter) {
        const double dotsPerMmX = printer.logicalDpiX() / 25.4;
        const double dotsPerMmY = printer.logicalDpiY() / 25.4;
        const QRect printable(QPoint(0, 0), QSize(printer.width(), printer.height()));
        // Hair lines a tenth of a millimetre wide.
        QPen pen(Qt::black);
        pen.setWidthF(0.1 * dotsPerMmX);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(printable).adjusted(pen.widthF() / 2, pen.widthF() / 2, -pen.widthF() / 2,
                                                    -pen.widthF() / 2));

        QFont font = painter.font();
        font.setPointSizeF(7);
        painter.setFont(font);
        // Each millimetre a short mark, each 5 mm a longer one, each 10 mm the
        // longest, with its number beside it.
        auto markLength = [](int mm) { return mm % 10 == 0 ? 4.0 : mm % 5 == 0 ? 2.5 : 1.5; };
        for (int mm = 1; mm * dotsPerMmX < printable.width(); ++mm) {
            const double x = mm * dotsPerMmX;
            painter.drawLine(QPointF(x, 0), QPointF(x, markLength(mm) * dotsPerMmY));
            if (mm % 10 == 0)
                painter.drawText(QPointF(x + 0.5 * dotsPerMmX, 6.5 * dotsPerMmY), QString::number(mm));
        }
        for (int mm = 1; mm * dotsPerMmY < printable.height(); ++mm) {
            const double y = mm * dotsPerMmY;
            painter.drawLine(QPointF(0, y), QPointF(markLength(mm) * dotsPerMmX, y));
            if (mm % 10 == 0)
                painter.drawText(QPointF(4.5 * dotsPerMmX, y + 2.5 * dotsPerMmY), QString::number(mm));
        }

        // A cross 3 mm wide centred on each mark, its name below right of it.
        for (const CalibrationMark &mark : marks) {
            const QPointF centre(mark.dots);
            painter.drawLine(centre - QPointF(1.5 * dotsPerMmX, 0), centre + QPointF(1.5 * dotsPerMmX, 0));
            painter.drawLine(centre - QPointF(0, 1.5 * dotsPerMmY), centre + QPointF(0, 1.5 * dotsPerMmY));
            painter.drawText(centre + QPointF(1 * dotsPerMmX, 3.5 * dotsPerMmY), mark.name);
        }
    });
}
