#include "SheetPrinter.h"

#include "PagePrinting.h"
#include "acts/ClaimBoxRules.h"
#include "config/FieldCatalogue.h"
#include "print/PrintGeometry.h"
#include "print/PrinterOffset.h"
#include "support/ActionGuard.h"
#include "support/Dialogs.h"
#include "support/Platform.h"
#include "widgets/DateEdit.h"
#include "widgets/FormImage.h"
#include "widgets/ImagePanel.h"
#include "widgets/SheetEdit.h"
#include "widgets/StampLabel.h"
#include "widgets/WindowPlacing.h"
#include "windows/PrinterOffsetWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPalette>
#include <QPixmap>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <QtMath>

#include <climits>

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

void SheetPrinter::printOnPaper()
{
    // The printer chosen in the print dialog stays with the window for the
    // rest of the run, so that the next print offers the same printer and
    // settings rather than the default printer again (the care sheet printer
    // is often not the default one).
    QPrinter &printer = runPrinter();
    if (!dialogs().print(printer))
        return;
    printSheet(printer, Page::Paper);
}

QPrinter &SheetPrinter::runPrinter()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void SheetPrinter::withSheetAsPrinted(const std::function<void(const QRect &area)> &step)
{
    leaveFieldForPrint();
    // The focus leaving a field takes its selection away only in the active
    // window; just after the print dialog the window may not be active yet,
    // and a selection would print as a dark block over the text.
    for (QLineEdit *edit : m_sheet.page->findChildren<QLineEdit *>())
        edit->deselect();
    m_sheet.imagePanel->setCaption(QString());
    m_sheet.formImage->hide();
    const int heightBefore = m_sheet.window->height();
    // The page prints from its top however far the sheet is scrolled, and
    // the sheet is left scrolled as it was.
    QScrollBar *scroll = m_sheet.scrollArea->verticalScrollBar();
    const int scrollBefore = scroll->value();
    const auto scrollBack = [this, scroll, scrollBefore] {
        settleLayout(m_sheet.window);
        scroll->setValue(scrollBefore);
    };
    // The window's height here is the one its stored placement holds too:
    // its outer height, title bar and borders included.
    const int frameHeight = m_sheet.window->frameGeometry().height() - m_sheet.window->height();
    m_sheet.window->resize(m_sheet.window->width(), windowHeightFor(kCaptureHeight, frameHeight));

    try {
        widget("LISTE_VILLES")->hide();
        widget("Liste_CPAMS")->hide();
        for (SheetEdit *edit : m_sheet.plainFields()) {
            edit->setBordered(false);
            edit->set3D(false);
        }
        for (DateEdit *date : {date("DDN"), date("DATE"), date("DATE_ACTE")}) {
            date->setFramed(false);
            date->setButtonVisible(false);
        }
        // The pregnancy date prints with the maternity box alone, whatever
        // is shown on screen.
        date("DDG")->setVisible(pregnancyDateShownFor(static_cast<SheetEdit *>(widget("COCHE_MATERNITE"))->text()));
        date("DDG")->setFramed(false);
        date("DDG")->setButtonVisible(false);

        settleLayout(m_sheet.window);
        // The client area is the scroll box's viewport, as high as it is in a
        // window 1110 pixels high, from the top of the page. It is rendered at
        // screen resolution, never painted again at the printer's resolution:
        // the paper gets exactly what the screen shows, each pixel 1/96 inch.
        // It is rendered from the page itself, so a window manager or a
        // screen that keeps the window lower than asked cannot cut the bottom
        // of the sheet off, and the scroll position does not move the print.
        QWidget *clientArea = m_sheet.scrollArea->viewport();
        CaptureWindow window;
        window.outerHeight = kCaptureHeight;
        window.frameHeight = frameHeight;
        window.aroundClient = m_sheet.window->height() - clientArea->height();
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

void SheetPrinter::withSheetAsPreviewed(const std::function<void(const QRect &area)> &step)
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
    const QString caption = m_sheet.imagePanel->caption();
    m_sheet.imagePanel->setCaption(QString());
    putBack << [this, caption] { m_sheet.imagePanel->setCaption(caption); };
    for (QLineEdit *edit : m_sheet.page->findChildren<QLineEdit *>()) {
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
    for (SheetEdit *edit : m_sheet.plainFields()) {
        const bool bordered = edit->isBordered(), sunken = edit->is3D();
        edit->setBordered(false);
        edit->set3D(false);
        putBack << [edit, bordered, sunken] {
            edit->setBordered(bordered);
            edit->set3D(sunken);
        };
    }
    for (DateEdit *date : {date("DDN"), date("DATE"), date("DATE_ACTE"), date("DDG")}) {
        const bool framed = date->isFramed(), button = date->isButtonVisible();
        date->setFramed(false);
        date->setButtonVisible(false);
        putBack << [date, framed, button] {
            date->setFramed(framed);
            date->setButtonVisible(button);
        };
    }
    setShown(m_sheet.formImage, false);
    setShown(widget("LISTE_VILLES"), false);
    setShown(widget("Liste_CPAMS"), false);
    setShown(date("DDG"), pregnancyDateShownFor(static_cast<SheetEdit *>(widget("COCHE_MATERNITE"))->text()));

    auto restore = [&putBack] {
        for (auto it = putBack.crbegin(); it != putBack.crend(); ++it)
            (*it)();
    };
    try {
        // The part of the page the paper gets, without making the window
        // as high as the page: the page is there whole, scrolled or not.
        CaptureWindow window;
        window.outerHeight = kCaptureHeight;
        window.frameHeight = m_sheet.window->frameGeometry().height() - m_sheet.window->height();
        window.aroundClient = m_sheet.window->height() - m_sheet.scrollArea->viewport()->height();
        window.clientWidth = m_sheet.scrollArea->viewport()->width();
        step(captureArea(window));
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

void SheetPrinter::printSheet(QPrinter &printer, Page page)
{
    const bool preview = page != Page::Paper;
    // The chosen printer's offset moves the whole page; a text pushed out of
    // the printable area is asked about first.
    const QPoint shift = printerShift(printer, !preview);
    const auto prepared = preview ? &SheetPrinter::withSheetAsPreviewed : &SheetPrinter::withSheetAsPrinted;
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
        QPixmap capture = renderArea(m_sheet.page, area);
        if (page == Page::PreviewOverForm) {
            // The form image for the preview alone, hidden again at once.
            m_sheet.formImage->show();
            const QPixmap withForm = renderArea(m_sheet.page, area);
            m_sheet.formImage->hide();
            capture = withFormBehind(capture, withForm);
        }
        printCapture(printer, capture, area.size(), shift, preview ? &marks : nullptr);
    });
}

void SheetPrinter::leaveFieldForPrint()
{
    // The field being edited is left before the capture, and its exit handler
    // runs (the total of the tariffs, the town or fund offered to its list) so
    // that the page shows its consequences. The focus change reaches the field
    // only in the active window: just after the print dialog the window is
    // not active yet, and the field is left here in its stead.
    QPointer<SheetEdit> leaving = qobject_cast<SheetEdit *>(m_sheet.window->focusWidget());
    bool left = false;
    QMetaObject::Connection watch;
    if (leaving)
        watch = connect(leaving, &SheetEdit::exited, this, [&left] { left = true; });
    m_sheet.imagePanel->setFocus(Qt::OtherFocusReason);
    disconnect(watch);
    if (leaving && !left && leaving != m_sheet.window->focusWidget())
        emit leaving->exited(leaving);
}

void SheetPrinter::restoreAfterPrint(bool succeeded, int heightBefore)
{
    m_sheet.formImage->show();
    for (SheetEdit *edit : m_sheet.plainFields()) {
        edit->setBordered(m_sheet.borderTick->isChecked());
        edit->set3D(m_sheet.threeDTick->isChecked());
    }
    if (succeeded) {
        date("DDG")->show();
        for (DateEdit *date : {date("DATE"), date("DATE_ACTE"), date("DDN"), date("DDG")}) {
            if (m_sheet.borderTick->isChecked())
                date->setFramed(true);
            date->setButtonVisible(true);
        }
    }
    // The stored placement again, then the height the window had.
    HeightBack heightBack(m_sheet.window, heightBefore);
    restoreWindowPlacement(m_sheet.window);
}

namespace {

// The name the offsets are kept under: the printer's own, or "PDF" for the
// toolkit's PDF file output, which has none.
QString printerKey(const QPrinter &printer)
{
    const QString name = printer.printerName();
    if (name.isEmpty() && printer.outputFormat() == QPrinter::PdfFormat)
        return QStringLiteral("PDF");
    return name;
}

// A rectangle of the captured client area in the dots of the printer, from
// the printable area's corner, moved by the shift.
QRect inDots(const QRect &pixels, const QPrinter &printer, const QPoint &shift)
{
    const double x = double(printer.logicalDpiX()) / kWindowDotsPerInch;
    const double y = double(printer.logicalDpiY()) / kWindowDotsPerInch;
    return QRect(QPoint(qRound(pixels.left() * x), qRound(pixels.top() * y)),
                 QPoint(qRound((pixels.right() + 1) * x) - 1, qRound((pixels.bottom() + 1) * y) - 1))
        .translated(shift);
}

// The part of a field its text takes, in the field's own pixels: as wide as
// the text, placed by its alignment, as high as the field. A long field
// holding a short text only prints that text.
QRect textRect(const SheetEdit *field)
{
    // The line edit keeps two pixels between its contents and its text.
    const int inner = 2;
    const QMargins margins = field->textMargins();
    const QRect contents = field->contentsRect().marginsRemoved(margins).adjusted(inner, 0, -inner, 0);
    const int width = qMin(field->fontMetrics().horizontalAdvance(field->text()) + 1, contents.width());
    int left = contents.left();
    const Qt::Alignment horizontal = QStyle::visualAlignment(field->layoutDirection(), field->alignment());
    if (horizontal & Qt::AlignRight)
        left = contents.right() + 1 - width;
    else if (horizontal & Qt::AlignHCenter)
        left = contents.left() + (contents.width() - width) / 2;
    return QRect(left, 0, width, field->height());
}

// What a widget prints, in its own pixels: the inked part of it rendered
// alone as it stands, within what its parents up to the page let show.
QRect printedPart(QWidget *widget, const QWidget *page, const QColor &paper)
{
    QImage picture(widget->size(), QImage::Format_ARGB32);
    picture.fill(paper);
    widget->render(&picture, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    QRect shown = widget->rect();
    for (const QWidget *parent = widget->parentWidget(); parent; parent = parent->parentWidget()) {
        shown &= QRect(widget->mapFrom(parent, QPoint(0, 0)), parent->size());
        if (parent == page)
            break;
    }
    return inkedRect(picture, paper.rgb()).intersected(shown);
}

// The top-left corner of a field's text, in the field's own pixels: its
// first inked pixel's column and row, measured on a plain line edit drawing
// the same text the same way (size, margins, font, alignment), so that the
// field's own handlers never run. An empty field is measured with a capital
// letter, where a text would start.
QPoint textCorner(const SheetEdit *field)
{
    QLineEdit twin;
    twin.setAttribute(Qt::WA_DontShowOnScreen);
    twin.setFrame(field->hasFrame());
    twin.setContentsMargins(field->contentsMargins());
    twin.setTextMargins(field->textMargins());
    twin.setFont(field->font());
    twin.setAlignment(field->alignment());
    twin.setLayoutDirection(field->layoutDirection());
    QPalette palette = twin.palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    twin.setPalette(palette);
    twin.setText(field->text().isEmpty() ? QStringLiteral("H") : field->text());
    twin.setCursorPosition(field->cursorPosition());
    twin.resize(field->size());
    QImage picture(field->size(), QImage::Format_Grayscale8);
    picture.fill(Qt::white);
    twin.render(&picture, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    int left = INT_MAX, top = INT_MAX;
    for (int y = 0; y < picture.height(); ++y) {
        const uchar *line = picture.constScanLine(y);
        for (int x = 0; x < picture.width(); ++x)
            if (line[x] < 128) {
                left = qMin(left, x);
                top = qMin(top, y);
            }
    }
    return left == INT_MAX ? textRect(field).topLeft() : QPoint(left, top);
}

// The preview's window: it draws its page again from the sheet each time it is
// shown, and when it becomes active after the sheet was worked on.
class PreviewWindow : public QWidget
{
public:
    explicit PreviewWindow(QWidget *sheet) : QWidget(sheet, Qt::Window) {}

    QPrintPreviewWidget *preview = nullptr;

    void redraw()
    {
        m_stale = false;
        preview->updatePreview();
    }
    // The menu asks for the preview again: shown if it was closed, brought
    // to the front, and drawn from the sheet as it is now.
    void showAgain()
    {
        if (isHidden()) {
            show();   // draws it
        } else {
            redraw();
        }
        raise();
        activateWindow();
    }
    void sheetUsed() { m_stale = true; }

protected:
    void showEvent(QShowEvent *event) override
    {
        QWidget::showEvent(event);
        // The first showing draws the page by itself.
        if (m_shownBefore)
            redraw();
        m_shownBefore = true;
    }
    void changeEvent(QEvent *event) override
    {
        QWidget::changeEvent(event);
        if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_stale)
            redraw();
    }

private:
    bool m_shownBefore = false;
    bool m_stale = false;
};


} // namespace

QPoint SheetPrinter::printerShift(const QPrinter &printer, bool tellUnreadable)
{
    const QString key = printerKey(printer);
    const StoredPrinterOffset stored = readStoredPrinterOffset(key);
    // The page prints as with no offset at all; the user hears of the value
    // once for each printer, not at every page.
    if (stored.unreadable && tellUnreadable && !m_toldUnreadableOffset.contains(key)) {
        m_toldUnreadableOffset.insert(key);
        dialogs().information(unreadableOffsetNotice(key, stored.text));
    }
    return offsetInDots(stored.offset, printer.logicalDpiX(), printer.logicalDpiY());
}

QList<PrintedZone> SheetPrinter::zonesOutsidePrintableArea(const QPrinter &printer, const QRect &area, const QPoint &shift) const
{
    // Each field is judged by what it prints: the inked part of it as it
    // stands for printing (no frame, no calendar button), so an empty field
    // prints nothing and a long box holding a short text only that text.
    const QColor paper = m_sheet.page->palette().color(QPalette::Window);
    QList<PrintedZone> zones;
    auto add = [&](QWidget *widget) {
        if (!widget->isVisible())
            return;
        const QRect part = printedPart(widget, m_sheet.page, paper);
        if (part.isEmpty())
            return;
        const QRect onSheet = part.translated(widget->mapTo(m_sheet.page, QPoint(0, 0)) - area.topLeft());
        zones.append({fieldLabel(widget->objectName()), inDots(onSheet, printer, shift)});
    };
    for (SheetEdit *field : m_sheet.plainFields())
        add(field);
    for (DateEdit *date : {date("DDN"), date("DATE"), date("DATE_ACTE"), date("DDG")})
        add(date);
    for (QWidget *label : {widget("NOTE"), widget("oriente")})
        add(label);
    const QStringList names = zonesOutside(zones, printableDots(printer.pageLayout(), printer.resolution()));
    QList<PrintedZone> outside;
    for (const PrintedZone &zone : zones)
        if (names.contains(zone.name))
            outside << zone;
    return outside;
}

void SheetPrinter::printCalibration()
{
    QPrinter &printer = runPrinter();
    if (!dialogs().print(printer))
        return;
    // The corner of each field's text where the sheet prints it: from the
    // same capture as the print (the window at its capture height, without
    // frames), moved by the printer's offset.
    const QPoint shift = printerShift(printer, true);
    QList<CalibrationMark> marks;
    withSheetAsPrinted([&](const QRect &area) {
        for (const char *name : {"NOM", "MATRICULE", "ACTE_1", "TARIF_1", "MONTANT_TOTAL", "COCHE_MALADIE"}) {
            QWidget *field = m_sheet.field(QString::fromLatin1(name));
            if (!field)
                continue;
            const SheetEdit *edit = qobject_cast<SheetEdit *>(field);
            const QPoint corner = edit ? textCorner(edit) : QPoint();
            const QRect onSheet(field->mapTo(m_sheet.page, corner) - area.topLeft(), QSize(1, 1));
            marks.append({QString::fromLatin1(name), inDots(onSheet, printer, shift).topLeft()});
        }
    });
    CalibrationNotice notice;
    notice.printer = printerKey(printer);
    notice.date = platform().today().toString(QStringLiteral("dd/MM/yyyy"));
    notice.offset = describePrinterOffset(readStoredPrinterOffset(notice.printer));
    printCalibrationPage(printer, marks, notice);
}

void SheetPrinter::showPrinterOffsets()
{
    if (!m_offsetsWindow) {
        m_offsetsWindow = new PrinterOffsetWindow;
        // The preview's tick shows the same stored choice.
        connect(m_offsetsWindow->warnTick, &QCheckBox::toggled, this, [this](bool on) {
            if (m_previewWarnTick) {
                const QSignalBlocker quiet(m_previewWarnTick);
                m_previewWarnTick->setChecked(on);
            }
        });
        m_offsetsWindow->restorePlacement();
    }
    if (m_printer)
        m_offsetsWindow->choosePrinter(printerKey(*m_printer));
    m_offsetsWindow->show();
    m_offsetsWindow->raise();
}

void SheetPrinter::showPreview()
{
    // One preview window, drawn again from the sheet each time it is shown,
    // when the user comes back to it from the sheet, and while it is open as
    // the sheet's texts change.
    if (m_preview) {
        static_cast<PreviewWindow *>(m_preview.data())->showAgain();
        return;
    }
    auto *window = new PreviewWindow(m_sheet.window);
    m_preview = window;
    window->setObjectName(QStringLiteral("Form_APERCU"));
    window->setWindowTitle(QStringLiteral("Aperçu avant impression"));
    auto *layout = new QVBoxLayout(window);
    auto *preview = new QPrintPreviewWidget(&runPrinter(), window);
    preview->setObjectName(QStringLiteral("preview"));
    window->preview = preview;
    auto *formBehind = new QCheckBox(QStringLiteral("Montrer le formulaire derrière"), window);
    formBehind->setObjectName(QStringLiteral("chk_FORM"));
    formBehind->setChecked(true);
    auto *warn = new QCheckBox(QStringLiteral("Avertir quand une zone sort de la partie imprimable"), window);
    warn->setObjectName(QStringLiteral("chk_WARN"));
    warn->setChecked(outOfAreaWarningWanted());
    m_previewWarnTick = warn;
    auto *legend = new QLabel(QStringLiteral("En gris : les marges que l'imprimante ne peut pas imprimer. "
                                             "Encadrées de rouge : les zones qui en sortent."),
                              window);
    legend->setWordWrap(true);
    auto *unreadable = new QLabel(window);
    unreadable->setObjectName(QStringLiteral("lbl_UNREADABLE"));
    unreadable->setWordWrap(true);
    unreadable->setStyleSheet(QStringLiteral("color: #a00000"));

    // The zoom: the whole page in the window, the page at its true size, and
    // a step larger or smaller (also the keys + and -).
    auto button = [window](const char *name, const QString &caption) {
        auto *made = new QPushButton(caption, window);
        made->setObjectName(QString::fromLatin1(name));
        made->setAutoDefault(false);
        return made;
    };
    QPushButton *fit = button("btn_FIT", QStringLiteral("Page entière"));
    QPushButton *actual = button("btn_100", QStringLiteral("100 %"));
    QPushButton *zoomIn = button("btn_ZOOM_IN", QStringLiteral("Zoom +"));
    QPushButton *zoomOut = button("btn_ZOOM_OUT", QStringLiteral("Zoom −"));
    QPushButton *print = button("btn_PRINT", QStringLiteral("Imprimer"));
    QPushButton *close = button("btn_CLOSE", QStringLiteral("Fermer"));
    connect(fit, &QPushButton::clicked, preview, &QPrintPreviewWidget::fitInView);
    connect(actual, &QPushButton::clicked, preview, [preview] { preview->setZoomFactor(1.0); });
    connect(zoomIn, &QPushButton::clicked, preview, [preview] { preview->zoomIn(); });
    connect(zoomOut, &QPushButton::clicked, preview, [preview] { preview->zoomOut(); });
    for (const auto &keys : {std::make_pair(Qt::Key_Plus, true), std::make_pair(Qt::Key_Minus, false)}) {
        auto *action = new QAction(window);
        action->setShortcuts({QKeySequence(keys.first), QKeySequence(keys.first | Qt::KeypadModifier)});
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
        connect(action, &QAction::triggered, preview, [preview, in = keys.second] {
            if (in)
                preview->zoomIn();
            else
                preview->zoomOut();
        });
    }
    connect(close, &QPushButton::clicked, window, &QWidget::close);

    auto *zoomRow = new QHBoxLayout;
    for (QPushButton *each : {fit, actual, zoomIn, zoomOut})
        zoomRow->addWidget(each);
    zoomRow->addStretch();
    auto *row = new QHBoxLayout;
    row->addWidget(formBehind);
    row->addWidget(warn);
    row->addStretch();
    row->addWidget(print);
    row->addWidget(close);
    layout->addLayout(zoomRow);
    layout->addWidget(preview, 1);
    layout->addWidget(legend);
    layout->addWidget(unreadable);
    layout->addLayout(row);

    connect(preview, &QPrintPreviewWidget::paintRequested, this, [this, formBehind, unreadable](QPrinter *printer) {
        runGuarded([this, printer, formBehind, unreadable] {
            const StoredPrinterOffset stored = readStoredPrinterOffset(printerKey(*printer));
            unreadable->setText(stored.unreadable ? unreadableOffsetNote(stored.text) : QString());
            unreadable->setVisible(stored.unreadable);
            printSheet(*printer, formBehind->isChecked() ? Page::PreviewOverForm : Page::Preview);
        });
    });
    connect(formBehind, &QCheckBox::toggled, window, [window] { window->redraw(); });
    connect(warn, &QCheckBox::toggled, this, [this](bool on) {
        runGuarded([on] { setOutOfAreaWarningWanted(on); });
        if (m_offsetsWindow) {
            const QSignalBlocker quiet(m_offsetsWindow->warnTick);
            m_offsetsWindow->warnTick->setChecked(on);
        }
    });
    connect(print, &QPushButton::clicked, window, [this, window] {
        window->close();
        m_sheet.printCommand->trigger();
    });

    // While it is open, a change of the sheet's texts draws it again once
    // the change is over (a whole import is one change); coming back to it
    // from the sheet draws it again too.
    auto *later = new QTimer(window);
    later->setSingleShot(true);
    later->setInterval(0);
    connect(later, &QTimer::timeout, window, [window] {
        if (window->isVisible())
            window->redraw();
    });
    for (SheetEdit *edit : m_sheet.plainFields())
        connect(edit, &QLineEdit::textChanged, later, qOverload<>(&QTimer::start));
    for (DateEdit *date : {date("DDN"), date("DATE"), date("DATE_ACTE"), date("DDG")})
        connect(date, &DateEdit::textChanged, later, qOverload<>(&QTimer::start));
    connect(qApp, &QGuiApplication::focusWindowChanged, window, [this, window](QWindow *now) {
        if (now && now == m_sheet.window->windowHandle())
            window->sheetUsed();
    });

    window->resize(700, 900);
    // Shown, the preview draws its page once, fitted to the window.
    window->show();
    preview->fitInView();
}

SheetPrinter::SheetPrinter(const PrintableSheet &sheet)
    : QObject(sheet.window), m_sheet(sheet)
{
}

SheetPrinter::~SheetPrinter()
{
    // The offsets window is a window of its own; it goes with the sheet.
    delete m_offsetsWindow;
}

QWidget *SheetPrinter::widget(const char *name) const
{
    return m_sheet.field(QString::fromLatin1(name));
}

DateEdit *SheetPrinter::date(const char *name) const
{
    return static_cast<DateEdit *>(widget(name));
}
