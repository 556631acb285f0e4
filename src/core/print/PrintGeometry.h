#pragma once

#include <QRect>
#include <QSize>

// The resolution of the window as designed: one pixel of the window is
// 1/96 inch on paper. Qt's pixels are device-independent, so a screen with a
// higher resolution gives a sharper capture of the same logical size.
constexpr int kWindowDotsPerInch = 96;

// Where a capture W × H pixels lands on a page of Rx × Ry dots per inch:
// from the top-left corner of the printable area, W × Rx ÷ P by H × Ry ÷ P
// dots, each rounded to the nearest dot.
QRect printedRect(const QSize &capture, int printerDpiX, int printerDpiY,
                  int windowDpi = kWindowDotsPerInch);
