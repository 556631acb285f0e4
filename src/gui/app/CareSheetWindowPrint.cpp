// Printing the care sheet: the window's client area is captured at screen
// resolution without the form image and the field frames, and printed at
// true scale in the top-left corner of one page.
#include "CareSheetWindow.h"

#include "acts/ClaimBoxRules.h"
#include "print/PrintGeometry.h"
#include "print/PrinterOffset.h"
#include "widgets/FormImage.h"
#include "widgets/Printing.h"
#include "widgets/ImagePanel.h"
#include "widgets/SheetEdit.h"
#include "widgets/DateEdit.h"
#include "support/Dialogs.h"
#include "widgets/WindowPlacing.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPointer>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>

namespace {
// The window's height during the capture: the whole page.
const int kCaptureHeight = 1110;

void settleLayout(QWidget *window)
{
    if (window->layout())
        window->layout()->activate();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

// Puts the window's height back when the restoring ends, even when the stored
// placement cannot be read.
class HeightBack
{
public:
    HeightBack(QWidget *window, int height) : m_window(window), m_height(height) {}
    ~HeightBack() { m_window->resize(m_window->width(), m_height); }
    HeightBack(const HeightBack &) = delete;
    HeightBack &operator=(const HeightBack &) = delete;

private:
    QWidget *m_window;
    int m_height;
};
} // namespace

void CareSheetWindow::printSheetOnPaper()
{
    // The printer chosen in the print dialog stays with the window for the
    // rest of the run, so that the next print offers the same printer and
    // settings rather than the default printer again (the care sheet printer
    // is often not the default one).
    QPrinter &printer = runPrinter();
    if (!dialogs().print(printer))
        return;
    printSheet(printer, SheetPage::Paper);
}

QPrinter &CareSheetWindow::runPrinter()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void CareSheetWindow::withSheetAsPrinted(const std::function<void(const QRect &area)> &step)
{
    leaveFieldForPrint();
    // The focus leaving a field takes its selection away only in the active
    // window; just after the print dialog the window may not be active yet,
    // and a selection would print as a dark block over the text.
    for (QLineEdit *edit : sheetPage->findChildren<QLineEdit *>())
        edit->deselect();
    imagePanel->setCaption(QString());
    formImage->hide();
    const int heightBefore = height();
    // The page prints from its top however far the sheet is scrolled, and
    // the sheet is left scrolled as it was.
    QScrollBar *scroll = scrollArea->verticalScrollBar();
    const int scrollBefore = scroll->value();
    const auto scrollBack = [this, scroll, scrollBefore] {
        settleLayout(this);
        scroll->setValue(scrollBefore);
    };
    // The window's height here is the one its stored placement holds too:
    // its outer height, title bar and borders included.
    const int frameHeight = frameGeometry().height() - height();
    resize(width(), windowHeightFor(kCaptureHeight, frameHeight));

    try {
        LISTE_VILLES->hide();
        Liste_CPAMS->hide();
        for (SheetEdit *edit : m_plainFields) {
            edit->setBordered(false);
            edit->set3D(false);
        }
        for (DateEdit *date : {DDN, DATE, DATE_ACTE}) {
            date->setFramed(false);
            date->setButtonVisible(false);
        }
        // The pregnancy date prints with the maternity box alone, whatever
        // is shown on screen.
        DDG->setVisible(pregnancyDateShownFor(COCHE_MATERNITE->text()));
        DDG->setFramed(false);
        DDG->setButtonVisible(false);

        settleLayout(this);
        // The client area is the scroll box's viewport, as high as it is in a
        // window 1110 pixels high, from the top of the page. It is rendered at
        // screen resolution, never painted again at the printer's resolution:
        // the paper gets exactly what the screen shows, each pixel 1/96 inch.
        // It is rendered from the page itself, so a window manager or a
        // screen that keeps the window lower than asked cannot cut the bottom
        // of the sheet off, and the scroll position does not move the print.
        QWidget *clientArea = scrollArea->viewport();
        CaptureWindow window;
        window.outerHeight = kCaptureHeight;
        window.frameHeight = frameHeight;
        window.aroundClient = height() - clientArea->height();
        window.clientWidth = clientArea->width();
        step(captureArea(window));
    } catch (...) {
        restoreAfterPrint(false, heightBefore);
        scrollBack();
        throw;
    }
    restoreAfterPrint(true, heightBefore);
    scrollBack();
}

void CareSheetWindow::withSheetAsPreviewed(const std::function<void(const QRect &area)> &step)
{
    // Everything the capture changes is noted and put back exactly as it was,
    // so that the preview can be drawn again while the user works on the
    // sheet: a widget holding the focus is not hidden, the field being typed
    // into keeps its caret and its selection, the window keeps its size,
    // place and scroll position.
    QWidget *focus = QApplication::focusWidget();
    auto holdsFocus = [focus](QWidget *widget) { return focus && (widget == focus || widget->isAncestorOf(focus)); };
    QList<std::function<void()>> putBack;
    auto setShown = [&](QWidget *widget, bool shown) {
        if (widget->isHidden() == !shown || (!shown && holdsFocus(widget)))
            return;
        widget->setVisible(shown);
        putBack << [widget, shown] { widget->setVisible(!shown); };
    };
    const QString caption = imagePanel->caption();
    imagePanel->setCaption(QString());
    putBack << [this, caption] { imagePanel->setCaption(caption); };
    for (QLineEdit *edit : sheetPage->findChildren<QLineEdit *>()) {
        if (!edit->hasSelectedText())
            continue;
        const int start = edit->selectionStart();
        const int length = edit->selectionLength();
        const bool backwards = edit->cursorPosition() == start;
        edit->deselect();
        putBack << [edit, start, length, backwards] {
            if (backwards)
                edit->setSelection(start + length, -length);
            else
                edit->setSelection(start, length);
        };
    }
    for (SheetEdit *edit : m_plainFields) {
        const bool bordered = edit->isBordered(), sunken = edit->is3D();
        edit->setBordered(false);
        edit->set3D(false);
        putBack << [edit, bordered, sunken] {
            edit->setBordered(bordered);
            edit->set3D(sunken);
        };
    }
    for (DateEdit *date : {DDN, DATE, DATE_ACTE, DDG}) {
        const bool framed = date->isFramed(), button = date->isButtonVisible();
        date->setFramed(false);
        date->setButtonVisible(false);
        putBack << [date, framed, button] {
            date->setFramed(framed);
            date->setButtonVisible(button);
        };
    }
    setShown(formImage, false);
    setShown(LISTE_VILLES, false);
    setShown(Liste_CPAMS, false);
    setShown(DDG, pregnancyDateShownFor(COCHE_MATERNITE->text()));

    auto restore = [&putBack] {
        for (auto it = putBack.crbegin(); it != putBack.crend(); ++it)
            (*it)();
    };
    try {
        // The part of the page the paper gets, without making the window
        // as high as the page: the page is there whole, scrolled or not.
        CaptureWindow window;
        window.outerHeight = kCaptureHeight;
        window.frameHeight = frameGeometry().height() - height();
        window.aroundClient = height() - scrollArea->viewport()->height();
        window.clientWidth = scrollArea->viewport()->width();
        step(captureArea(window));
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

void CareSheetWindow::printSheet(QPrinter &printer, SheetPage page)
{
    const bool preview = page != SheetPage::Paper;
    // The chosen printer's offset moves the whole page; a text pushed out of
    // the printable area is asked about first.
    const QPoint shift = printerShift(printer, !preview);
    const auto prepared = preview ? &CareSheetWindow::withSheetAsPreviewed : &CareSheetWindow::withSheetAsPrinted;
    (this->*prepared)([&](const QRect &area) {
        const bool ask = !preview && outOfAreaWarningWanted();
        const QList<PrintedZone> outside =
            ask || preview ? zonesOutsidePrintableArea(printer, area, shift) : QList<PrintedZone>();
        QStringList names;
        PreviewMarks marks;
        for (const PrintedZone &zone : outside) {
            names << zone.name;
            marks.outlined << zone.dots;
        }
        if (ask && !names.isEmpty() && !dialogs().confirm(outOfAreaQuestion(names)))
            return;
        QPixmap capture = renderArea(sheetPage, area);
        if (page == SheetPage::PreviewOverForm) {
            // The form image for the preview alone, hidden again at once.
            formImage->show();
            const QPixmap withForm = renderArea(sheetPage, area);
            formImage->hide();
            capture = withFormBehind(capture, withForm);
        }
        printCapture(printer, capture, area.size(), shift, preview ? &marks : nullptr);
    });
}

void CareSheetWindow::leaveFieldForPrint()
{
    // The field being edited is left before the capture, and its exit handler
    // runs (the total of the tariffs, the town or fund offered to its list) so
    // that the page shows its consequences. The focus change reaches the field
    // only in the active window: just after the print dialog the window is
    // not active yet, and the field is left here in its stead.
    QPointer<SheetEdit> leaving = qobject_cast<SheetEdit *>(focusWidget());
    bool left = false;
    QMetaObject::Connection watch;
    if (leaving)
        watch = connect(leaving, &SheetEdit::exited, this, [&left] { left = true; });
    imagePanel->setFocus(Qt::OtherFocusReason);
    disconnect(watch);
    if (leaving && !left && leaving != focusWidget())
        emit leaving->exited(leaving);
}

void CareSheetWindow::commitFieldBeingEdited()
{
    if (auto *editing = qobject_cast<SheetEdit *>(focusWidget()))
        emit editing->exited(editing);
}

void CareSheetWindow::restoreAfterPrint(bool succeeded, int heightBefore)
{
    formImage->show();
    for (SheetEdit *edit : m_plainFields) {
        edit->setBordered(borderAction->isChecked());
        edit->set3D(threeDAction->isChecked());
    }
    if (succeeded) {
        DDG->show();
        for (DateEdit *date : {DATE, DATE_ACTE, DDN, DDG}) {
            if (borderAction->isChecked())
                date->setFramed(true);
            date->setButtonVisible(true);
        }
    }
    // The stored placement again, then the height the window had.
    HeightBack heightBack(this, heightBefore);
    restoreWindowPlacement(this);
}
