#include "PrintGeometry.h"

#include <QImage>
#include <QtMath>

#include <climits>

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

QRect inkedRect(const QImage &picture, QRgb background)
{
    const QImage pixels = picture.convertToFormat(QImage::Format_ARGB32);
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            if (line[x] == background)
                continue;
            left = qMin(left, x);
            right = qMax(right, x);
            top = qMin(top, y);
            bottom = qMax(bottom, y);
        }
    }
    return left == INT_MAX ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}
