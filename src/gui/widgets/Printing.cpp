#include "Printing.h"

#include "support/TiravonError.h"

#include <QPageLayout>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QWidget>

QPixmap renderArea(QWidget *widget, const QRect &area)
{
    const qreal ratio = widget->devicePixelRatioF();
    QPixmap capture(area.size() * ratio);
    capture.setDevicePixelRatio(ratio);
    capture.fill(widget->palette().color(QPalette::Window));
    widget->render(&capture, QPoint(), QRegion(area), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return capture;
}

void printCapture(QPrinter &printer, const QPixmap &capture, const QSize &logicalSize)
{
    const QString refused = QStringLiteral("L'imprimante n'imprime pas actuellement");
    printer.setDocName(QString());
    // The painter's origin is the top-left corner of the printable area: the
    // page margins are the printer's own minimum margins, not the toolkit's
    // default margins (10 points), whatever the print dialog left.
    printer.setFullPage(false);
    const QPageLayout layout = printer.pageLayout();
    printer.setPageMargins(layout.minimumMargins(), layout.units());
    QPainter painter;
    if (!painter.begin(&printer))
        throw TiravonError(refused);
    // The pixels as they are: no smoothing when stretched, and no lossy
    // compression on the way (a PDF job would otherwise store the capture as
    // JPEG and blur the letters' edges).
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::LosslessImageRendering, true);
    // The capture's size in the window's own pixels: a high-resolution screen
    // gives more pixels of the same logical size, printed at the same size.
    const QRect target = printedRect(logicalSize, printer.logicalDpiX(), printer.logicalDpiY());
    painter.drawPixmap(target, capture);
    if (!painter.end())
        throw TiravonError(refused);
}
