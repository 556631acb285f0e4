#pragma once

// Printing the care sheet: the page on paper, the calibration page, each
// printer's offset and the preview. The sheet's client area is captured at
// screen resolution without the form image and the field frames, and printed
// at true scale from the printable area's corner, moved by the printer's
// offset; texts falling outside the printable area are asked about first.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>

class DateEdit;
class FormImage;
class ImagePanel;
class PrinterOffsetWindow;
class QAction;
class QCheckBox;
class QMainWindow;
class QPrinter;
class QScrollArea;
class SheetEdit;
struct PrintedZone;

// The parts of the care-sheet window a print works on.
struct PrintableSheet
{
    QMainWindow *window = nullptr;
    QScrollArea *scrollArea = nullptr;
    QWidget *page = nullptr;              // the page the window scrolls over
    ImagePanel *imagePanel = nullptr;
    FormImage *formImage = nullptr;
    // A sheet field by name, and the plain text fields in window order.
    std::function<QWidget *(const QString &name)> field;
    std::function<QList<SheetEdit *>()> plainFields;
    QAction *borderTick = nullptr;        // "&Encadrer"
    QAction *threeDTick = nullptr;        // "3D"
    QAction *printCommand = nullptr;      // "&Imprimer", for the preview's button
};

class SheetPrinter : public QObject
{
    Q_OBJECT
public:
    explicit SheetPrinter(const PrintableSheet &sheet);
    ~SheetPrinter() override;

    // "&Imprimer": the print dialog, then the page. The printer chosen stays
    // for the rest of the run, so that the next print offers the same
    // printer and settings rather than the default printer again.
    void printOnPaper();
    // "Imprimer une page de calibrage".
    void printCalibration();
    // "Décalage de l'imprimante", at the printer of the run.
    void showPrinterOffsets();
    // "Aperçu avant impression": one window, drawn again from the sheet each
    // time it is shown and while it is open.
    void showPreview();

private:
    enum class Page { Paper, Preview, PreviewOverForm };
    void printSheet(QPrinter &printer, Page page);
    // Puts the sheet as it prints (the window at its capture height, no
    // frames, lists or form image), runs the step with the part of the page
    // captured, and puts the window back, even when the step raises.
    void withSheetAsPrinted(const std::function<void(const QRect &area)> &step);
    // The same for the preview, which is drawn again while the user works
    // on the sheet: everything changed for the capture is put back exactly
    // as it was, and the focus, the window's size and place stay.
    void withSheetAsPreviewed(const std::function<void(const QRect &area)> &step);
    void leaveFieldForPrint();
    void restoreAfterPrint(bool succeeded, int heightBefore);
    // The chosen printer's offset in its dots; a stored offset that cannot be
    // read gives none, and says so once per printer when told to.
    QPoint printerShift(const QPrinter &printer, bool tellUnreadable = false);
    QList<PrintedZone> zonesOutsidePrintableArea(const QPrinter &printer, const QRect &area, const QPoint &shift) const;
    // The printer of the run, made at the first asking: the one the print
    // dialog chose last, or the default printer.
    QPrinter &runPrinter();
    QWidget *widget(const char *name) const;
    DateEdit *date(const char *name) const;

    PrintableSheet m_sheet;
    std::unique_ptr<QPrinter> m_printer;
    // The printers whose unreadable stored offset the user has been told of.
    QSet<QString> m_toldUnreadableOffset;
    // The preview's window, the offsets window and the preview's warning
    // tick, while they live.
    QPointer<QWidget> m_preview;
    QPointer<PrinterOffsetWindow> m_offsetsWindow;
    QPointer<QCheckBox> m_previewWarnTick;
};
