#pragma once

#include "print/PrintGeometry.h"

#include <QRect>
#include <QSize>

class QPixmap;
class QPrinter;
class QWidget;

// The part of a widget (and its children) inside the rectangle, rendered at
// the screen's pixel ratio, on the widget's background colour.
QPixmap renderArea(QWidget *widget, const QRect &area);

// Prints one page holding the capture stretched to its printed size.
// Raises "L'imprimante n'imprime pas actuellement" when the job cannot start
// or end.
void printCapture(QPrinter &printer, const QPixmap &capture, const QSize &logicalSize);
