#include "PrintGeometry.h"

#include <QtMath>

QRect printedRect(const QSize &capture, int printerDpiX, int printerDpiY, int windowDpi)
{
    return QRect(0, 0, qRound(double(capture.width()) * printerDpiX / windowDpi),
                 qRound(double(capture.height()) * printerDpiY / windowDpi));
}
