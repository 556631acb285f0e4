#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

class QPageLayout;

// How far one printer's print is moved on the page, in tenths of a
// millimetre: positive values move it right and down.
struct PrinterOffset
{
    int right = 0;
    int down = 0;
    bool isNull() const { return right == 0 && down == 0; }
};

// The largest offset either way: 30 mm.
constexpr int kMaxOffsetTenths = 300;

// The stored form "100;-50" (10.0 mm right, 5.0 mm up). False, and the
// offset left as it was, when the text is not two whole numbers within
// ±30 mm separated by ";".
bool parsePrinterOffset(const QString &text, PrinterOffset *offset);
QString formatPrinterOffset(const PrinterOffset &offset);

// The offset in the dots of a printer of that resolution, each rounded to
// the nearest dot.
QPoint offsetInDots(const PrinterOffset &offset, int dpiX, int dpiY);

// The printable part of the page in its own dots, from its top-left corner,
// with the page margins at the printer's minimum.
QRect printableDots(const QPageLayout &layout, int dpi);

// A part of the page that prints, in dots from the printable area's corner.
struct PrintedZone
{
    QString name;
    QRect dots;
};

// The names of the zones that lie partly (or wholly) outside the printable
// area, in their order.
QStringList zonesOutside(const QList<PrintedZone> &zones, const QRect &printable);

// The question asked before printing such zones, named as the user knows
// them; the question itself on a line of its own.
QString outOfAreaQuestion(const QStringList &names);

// A printer's entry in the program settings file, keyed by the printer's
// name (SettingGroup::PrinterOffsets): the offset it gives and the text as
// stored. A printer with no offset stored, or with a value that cannot be
// read, gets none; the unreadable text is kept as it is, for the user to see.
struct StoredPrinterOffset
{
    PrinterOffset offset;
    QString text;
    bool unreadable = false;
};
StoredPrinterOffset readStoredPrinterOffset(const QString &printerName);
PrinterOffset storedPrinterOffset(const QString &printerName);
void storePrinterOffset(const QString &printerName, const PrinterOffset &offset);

// The offset in force as the calibration page tells it: "aucun", or the
// millimetres each way ("1,0 mm vers la droite, 0,5 mm vers le haut"); a stored
// value that cannot be read is none, and the page says so.
QString describePrinterOffset(const StoredPrinterOffset &stored);

// What the user is told of a stored offset that cannot be read: in the
// offsets window, and once when printing on that printer.
QString unreadableOffsetNote(const QString &text);
QString unreadableOffsetNotice(const QString &printerName, const QString &text);

// Whether printing asks about zones outside the printable area
// (Setting::OutOfAreaWarning, on unless turned off).
bool outOfAreaWarningWanted();
void setOutOfAreaWarningWanted(bool wanted);
