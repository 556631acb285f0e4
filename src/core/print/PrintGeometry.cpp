#include "PrintGeometry.h"

#include <QtMath>

QRect printedRect(const QSize &capture, int printerDpiX, int printerDpiY, int windowDpi)
{
    return QRect(0, 0, qRound(double(capture.width()) * printerDpiX / windowDpi),
                 qRound(double(capture.height()) * printerDpiY / windowDpi));
}

int windowHeightFor(int outerHeight, int frameHeight)
{
    return qMax(0, outerHeight - frameHeight);
}

QRect captureArea(const CaptureWindow &window)
{
    const int clientHeight = windowHeightFor(window.outerHeight, window.frameHeight) - window.aroundClient;
    return QRect(0, 0, qMax(0, window.clientWidth), qMax(0, clientHeight));
}
