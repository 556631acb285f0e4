#pragma once

#include "print/PrintGeometry.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QSize>

class QPixmap;
class QPrinter;
class QWidget;

// The part of a widget (and its children) inside the rectangle, rendered at
// the screen's pixel ratio, on the widget's background colour.
QPixmap renderArea(QWidget *widget, const QRect &area);

// The page margins at the printer's own minimum, so that the painter's origin
// is the top-left corner of the printable area.
void setMinimumMargins(QPrinter &printer);

// What the preview adds to the page, which the paper never gets: the
// unprintable margins of the page shaded, and the rectangles given (in dots
// from the printable area's corner) outlined in red.
struct PreviewMarks
{
    QList<QRect> outlined;
};

// Prints one page holding the capture stretched to its printed size, moved by
// the shift in the printer's dots (the printer's offset), with the preview's
// marks when there are any.
// Raises "L'imprimante n'imprime pas actuellement" when the job cannot start
// or end.
void printCapture(QPrinter &printer, const QPixmap &capture, const QSize &logicalSize,
                  const QPoint &shift = QPoint(), const PreviewMarks *preview = nullptr);

// The page with the form faintly behind its texts, for the preview: both
// captures of the same part of the sheet, the second with the form image
// shown. The texts stay as dark as they are.
QPixmap withFormBehind(const QPixmap &page, const QPixmap &withForm);

// A mark of the calibration page: a cross and a name at a point of the page,
// in dots from the printable area's corner.
struct CalibrationMark
{
    QString name;
    QPoint dots;
};

// What the calibration page says of itself: the printer, the date and the
// offset in force on that printer.
struct CalibrationNotice
{
    QString printer;
    QString date;
    QString offset;
};

// Prints the calibration page: a millimetre ruler along the top and left
// edges of the printable area, numbered every 10 mm beside its marks, the
// boundary of that area, at each mark a cross whose arms are millimetre
// scales (a mark each half millimetre, numbered every millimetre, 5 mm
// either way) with the mark's name, and a notice: the title, the printer, the
// date, the offset in force and how to read the page. Every text reaches the
// printer as filled outlines, never as printer text. Raises as printCapture
// does.
void printCalibrationPage(QPrinter &printer, const QList<CalibrationMark> &marks, const CalibrationNotice &notice);
