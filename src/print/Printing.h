#pragma once

#include <QRect>
#include <QSize>

class QPixmap;
class QPrinter;
class QWidget;

// The resolution of the window as designed: one pixel of the window is
// 1/96 inch on paper. Qt's pixels are device-independent, so a screen with a
// higher resolution gives a sharper capture of the same logical size.
constexpr int kWindowDotsPerInch = 96;

// Where a capture W × H pixels lands on a page of Rx × Ry dots per inch:
// from the top-left corner of the printable area, W × Rx ÷ P by H × Ry ÷ P
// dots, each rounded to the nearest dot.
QRect printedRect(const QSize &capture, int printerDpiX, int printerDpiY,
                  int windowDpi = kWindowDotsPerInch);

// The part of a widget (and its children) inside the rectangle, rendered at
// the screen's pixel ratio, on the widget's background colour.
QPixmap renderArea(QWidget *widget, const QRect &area);

// Prints one page holding the capture stretched to its printed size.
// Raises "L'imprimante n'imprime pas actuellement" when the job cannot start
// or end.
void printCapture(QPrinter &printer, const QPixmap &capture, const QSize &logicalSize);
