#include "Printing.h"

#include "support/TiravonError.h"

#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QtMath>

QRect printedRect(const QSize &capture, int printerDpiX, int printerDpiY, int windowDpi)
{
    return QRect(0, 0, qRound(double(capture.width()) * printerDpiX / windowDpi),
                 qRound(double(capture.height()) * printerDpiY / windowDpi));
}

void printCapture(QPrinter &printer, const QPixmap &capture, const QSize &logicalSize)
{
    const QString refused = QStringLiteral("L'imprimante n'imprime pas actuellement");
    printer.setDocName(QString());
    QPainter painter;
    if (!painter.begin(&printer))
        throw TiravonError(refused);
    // The painter's origin is the top-left corner of the printable area.
    const QRect target = printedRect(logicalSize, printer.logicalDpiX(), printer.logicalDpiY());
    painter.drawPixmap(target, capture);
    if (!painter.end())
        throw TiravonError(refused);
}
