#pragma once

#include <QColor>
#include <QRect>
#include <QSize>

class QImage;

// The resolution of the window as designed: one pixel of the window is
// 1/96 inch on paper. Qt's pixels are device-independent, so a screen with a
// higher resolution gives a sharper capture of the same logical size.
constexpr int kWindowDotsPerInch = 96;

// Where a capture W × H pixels lands on a page of Rx × Ry dots per inch:
// from the top-left corner of the printable area, W × Rx ÷ P by H × Ry ÷ P
// dots, each rounded to the nearest dot.
QRect printedRect(const QSize &capture, int printerDpiX, int printerDpiY,
                  int windowDpi = kWindowDotsPerInch);

// The window as it stands when its client area is captured for printing.
struct CaptureWindow
{
    // The window's outer height: title bar and borders included.
    int outerHeight = 0;
    // The title bar and the borders: the outer height less the window's own.
    int frameHeight = 0;
    // The window's own height less the client area's: the menu bar.
    int aroundClient = 0;
    // The client area's width.
    int clientWidth = 0;
};

// The height to give the window (its own height, without the title bar and
// borders) so that its outer height is the one asked for.
int windowHeightFor(int outerHeight, int frameHeight);

// The part of the page the capture takes, in the page's own pixels: the client
// area of a window of that outer height, from the top of the page however far
// the window is scrolled, as wide as the client area.
QRect captureArea(const CaptureWindow &window);

// What of a picture is inked: the smallest rectangle holding every pixel that
// is not the background colour; an empty rectangle when there is none. A field
// rendered alone, as it prints, gives the part of the page its text takes.
QRect inkedRect(const QImage &picture, QRgb background);
