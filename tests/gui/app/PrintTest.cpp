// Printing the care sheet as the user starts it. The window's state at the
// moment its page is rendered for the printer is recorded (the part of the
// page captured, what is shown, framed, selected); a few pages come out of the
// print dialog as PDF files, are rendered back to pictures with pdftoppm at
// 600 dots per inch, and the dark dots on them are compared with the texts on
// the screen. The geometry itself is tested as numbers with the print rules.
#include "HostTools.h"
#include "ScriptedDialogs.h"
#include "SheetTest.h"
#include "TiravonSession.h"

#include "widgets/ImagePanel.h"
#include "widgets/SheetEdit.h"
#include "app/CareSheetWindow.h"
#include "app/ProgramWindows.h"
#include "windows/PresentationWindow.h"
#include "widgets/DateEdit.h"
#include "widgets/FormImage.h"
#include "widgets/StampLabel.h"
#include "support/SettingsStore.h"
#include "widgets/WindowPlacing.h"
#include "windows/PrinterOffsetWindow.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QDir>
#include <QPageLayout>
#include <QThread>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QCheckBox>
#include <QSpinBox>
#include <QApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPaintEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr int kPrinterDpi = 600;
// One pixel of the window is 1/96 inch on paper: 6.25 dots at 600 dpi.
constexpr double kDotsPerPixel = kPrinterDpi / 96.0;
// A dot darker than this is ink of a text.
constexpr int kDark = 128;
// A dot darker than this is any mark at all (a grey frame, a shade).
constexpr int kAnyMark = 245;

// The smallest rectangle holding every dot of the picture darker than the
// threshold, within the area; empty when there is none.
QRect inkBox(const QImage &picture, int threshold = kDark, QRect area = QRect())
{
    area = area.isNull() ? picture.rect() : area.intersected(picture.rect());
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar *line = picture.constScanLine(y);
        for (int x = area.left(); x <= area.right(); ++x) {
            if (line[x] < threshold) {
                left = qMin(left, x);
                right = qMax(right, x);
                top = qMin(top, y);
                bottom = qMax(bottom, y);
            }
        }
    }
    return left == INT_MAX ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Letters without smoothing, so that a dot is either ink or paper.
void crisp(QWidget *field)
{
    QFont font = field->font();
    font.setStyleStrategy(QFont::NoAntialias);
    field->setFont(font);
}

bool canReadPagesBack()
{
    return !hostProgram(QStringLiteral("pdftoppm")).isEmpty();
}

#define REQUIRE_PDFTOPPM()                                                                        \
    if (!canReadPagesBack())                                                                      \
    GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed: the printed page cannot be read back"

// What the window holds at the moment its client area is rendered for the
// printer: the page's paint event of the capture carries the part of the page
// captured.
struct AtCapture
{
    int renders = 0;
    QRect area;
    int outerHeight = 0;
    int clientHeight = 0;
    bool imageShown = true;
    bool pregnancyDateShown = false;
    bool anyFrame = false;
    bool anySelection = false;
    QString total;
    QString name;
    QList<QPoint> fieldPlaces;
};

// How the printer comes out of the print dialog.
enum class PrinterSetup {
    // As the print path leaves it for a printer whose printable area is the
    // whole page (cups-pdf): the program's own high-resolution printer with
    // the toolkit's default margins, sent to a PDF file.
    PrintPath,
    // A printer that cannot print within 36 points of the left edge and 27 of
    // the top, with page margins of an inch left by the dialog, at 600 dpi.
    HardwareMargins,
};

class PrintTest : public SheetTest
{
protected:
    void SetUp() override
    {
        SheetTest::SetUp();
        QApplication::setActiveWindow(form);
        viewport = scrollAreaOf(form)->viewport();
        // A see-through widget over the whole page: the region it is asked
        // to paint when the page is rendered is the part of the page captured.
        sentinel = new QWidget(sheetPageOf(form));
        sentinel->setAttribute(Qt::WA_TransparentForMouseEvents);
        sentinel->setFocusPolicy(Qt::NoFocus);
        sentinel->installEventFilter(&probe);
        sentinel->show();
        probe.test = this;
    }

    void TearDown() override { sentinel->removeEventFilter(&probe); }

    // Asks for a print whose dialog sends it to a PDF file; the origin is
    // where the printable area's corner lies at 600 dpi.
    QString print(const QString &name, PrinterSetup setup = PrinterSetup::PrintPath)
    {
        const QString pdf = preparePrint(name, setup);
        actionOf(form, "printAction")->trigger();
        capturing = false;
        return pdf;
    }

    // The answer of the next print dialog.
    QString preparePrint(const QString &name, PrinterSetup setup = PrinterSetup::PrintPath)
    {
        const QString pdf = session.path(name + QStringLiteral(".pdf"));
        testDialogs().printAnswer = [this, pdf, setup](QPrinter &printer) {
            setUpPdf(printer, pdf, setup);
            if (beforeReturning)
                beforeReturning();
            capturing = true;
            return true;
        };
        capture = AtCapture();
        sentinel->setGeometry(QRect(QPoint(0, 0), sheetPageOf(form)->size().expandedTo(QSize(2000, 2000))));
        sentinel->raise();
        return pdf;
    }

    // A printer as the print dialog leaves it, sending its page to that PDF
    // file; the origin is where the printable area's corner lies at 600 dpi.
    void setUpPdf(QPrinter &printer, const QString &pdf, PrinterSetup setup)
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        if (setup == PrinterSetup::HardwareMargins) {
            printer.setResolution(kPrinterDpi);
            printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                              QMarginsF(72, 72, 72, 72), QPageLayout::Point,
                                              QMarginsF(36, 27, 36, 36)));
            origin = QPointF(300, 225);
        } else {
            origin = QPointF(0, 0);
        }
    }

    // The first page of a PDF file rendered at 600 dpi, in grey unless asked
    // in colour; only the part given when there is one, its corner then at the
    // picture's (0, 0).
    QImage render(const QString &pdf, const QRect &part = QRect(), bool colour = false)
    {
        const QString prefix = pdf.chopped(4);
        QStringList arguments = {QStringLiteral("-r"), QString::number(kPrinterDpi),
                                 colour ? QStringLiteral("-png") : QStringLiteral("-gray"),
                                 QStringLiteral("-png"), QStringLiteral("-singlefile")};
        if (!part.isNull())
            arguments << QStringLiteral("-x") << QString::number(part.x()) << QStringLiteral("-y")
                      << QString::number(part.y()) << QStringLiteral("-W") << QString::number(part.width())
                      << QStringLiteral("-H") << QString::number(part.height());
        QString errors;
        if (runHostProgram(hostProgram(QStringLiteral("pdftoppm")), arguments << hostPath(pdf) << hostPath(prefix),
                           &errors) != 0) {
            ADD_FAILURE() << "pdftoppm failed: " << errors.toStdString();
            return QImage();
        }
        // An A4 page at 600 dpi is larger than Qt's default limit for a picture.
        QImageReader::setAllocationLimit(512);
        return QImage(prefix + QStringLiteral(".png"))
            .convertToFormat(colour ? QImage::Format_RGB32 : QImage::Format_Grayscale8);
    }

    QImage printAndRender(const QString &name, PrinterSetup setup = PrinterSetup::PrintPath)
    {
        const QString pdf = print(name, setup);
        EXPECT_TRUE(testDialogs().texts(QStringLiteral("error")).isEmpty())
            << testDialogs().texts(QStringLiteral("error")).join(QLatin1Char('|')).toStdString();
        return render(pdf);
    }

    // A widget's place in the captured client area.
    QRect inClientArea(QWidget *widget) const
    {
        return QRect(widget->mapTo(viewport, QPoint(0, 0)), widget->size());
    }

    // A widget's place on the page the window scrolls over.
    QPoint onTheSheet(QWidget *widget) const { return widget->mapTo(sheetPageOf(form), QPoint(0, 0)); }

    // Where a rectangle of the client area lands on the page, one dot wider on
    // each side for the rounding.
    QRect onPage(const QRect &pixels) const
    {
        return QRect(QPoint(int(std::floor(origin.x() + pixels.left() * kDotsPerPixel)) - 1,
                            int(std::floor(origin.y() + pixels.top() * kDotsPerPixel)) - 1),
                     QPoint(int(std::ceil(origin.x() + (pixels.right() + 1) * kDotsPerPixel)) + 1,
                            int(std::ceil(origin.y() + (pixels.bottom() + 1) * kDotsPerPixel)) + 1));
    }

    // A field as the window shows it now, the form image taken away.
    QImage onScreen(QWidget *field) const
    {
        formImageOf(form)->hide();
        const QImage shot = viewport->grab(inClientArea(field)).toImage().convertToFormat(QImage::Format_Grayscale8);
        formImageOf(form)->show();
        EXPECT_EQ(shot.size(), field->size());
        return shot;
    }

    // The ink of a field as the window shows it now, in client-area pixels.
    QRect inkOnScreen(QWidget *field) const
    {
        return inkBox(onScreen(field)).translated(inClientArea(field).topLeft());
    }

    // The pixels of a field on screen against the dots at their centres on
    // the page: the number of pixels whose grey differs by more than a
    // rounding between colour and grey.
    int differingDots(const QImage &page, QWidget *field) const
    {
        const QImage shot = onScreen(field);
        const QPoint corner = inClientArea(field).topLeft();
        int differing = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                const QPoint dot(int(origin.x() + (corner.x() + x + 0.5) * kDotsPerPixel),
                                 int(origin.y() + (corner.y() + y + 0.5) * kDotsPerPixel));
                if (!page.rect().contains(dot))
                    continue;
                differing += qAbs(qGray(page.pixel(dot)) - qGray(shot.pixel(x, y))) > 3;
            }
        }
        return differing;
    }

    // Every pixel p of the capture becomes the dots from p × 6.25 to
    // (p + 1) × 6.25 from the printable area's corner: each edge of the ink
    // within one dot of rounding.
    void expectScaled(const QRect &printed, const QRect &screen) const
    {
        ASSERT_FALSE(printed.isNull());
        ASSERT_FALSE(screen.isNull());
        EXPECT_NEAR(printed.left(), origin.x() + screen.left() * kDotsPerPixel, 1.0);
        EXPECT_NEAR(printed.top(), origin.y() + screen.top() * kDotsPerPixel, 1.0);
        EXPECT_NEAR(printed.right() + 1, origin.x() + (screen.right() + 1) * kDotsPerPixel, 1.0);
        EXPECT_NEAR(printed.bottom() + 1, origin.y() + (screen.bottom() + 1) * kDotsPerPixel, 1.0);
    }

    // Every text emptied and the stamp and the "orienté" label hidden; the
    // claim box rules leave one box of each pair ticked.
    void blankSheet()
    {
        form->clearAll();
        for (DateEdit *date : {dateField(form, "DATE"), dateField(form, "DATE_ACTE"), dateField(form, "DDN"), dateField(form, "DDG")})
            date->setText(QString());
        stampOf(form)->hide();
        orienteOf(form)->hide();
        imagePanelOf(form)->setFocus();
    }

    void setTick(QAction *item, bool ticked)
    {
        if (item->isChecked() != ticked)
            item->trigger();
        ASSERT_EQ(item->isChecked(), ticked);
    }

    // Records the window's state when the page is rendered for the printer.
    class Probe : public QObject
    {
    public:
        PrintTest *test = nullptr;

    protected:
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint && test->capturing)
                test->recordCapture(static_cast<QPaintEvent *>(event)->rect());
            return false;
        }
    };

    void recordCapture(const QRect &area)
    {
        capture.renders += 1;
        capture.area = area;
        capture.outerHeight = form->frameGeometry().height();
        capture.clientHeight = viewport->height();
        capture.imageShown = formImageOf(form)->isVisible();
        capture.pregnancyDateShown = dateField(form, "DDG")->isVisible();
        capture.total = textField(form, "MONTANT_TOTAL")->text();
        capture.name = textField(form, "NOM")->text();
        capture.anyFrame = false;
        for (SheetEdit *field : form->plainTextFields())
            capture.anyFrame |= field->isBordered() || field->is3D();
        for (DateEdit *date : {dateField(form, "DATE"), dateField(form, "DATE_ACTE"), dateField(form, "DDN"), dateField(form, "DDG")})
            capture.anyFrame |= date->isFramed() || date->isButtonVisible();
        capture.anySelection = false;
        for (QLineEdit *edit : sheetPageOf(form)->findChildren<QLineEdit *>())
            capture.anySelection |= edit->hasSelectedText();
        capture.fieldPlaces.clear();
        for (SheetEdit *field : form->plainTextFields())
            capture.fieldPlaces << onTheSheet(field);
    }

    QWidget *viewport = nullptr;
    QPointF origin;
    Probe probe;
    QWidget *sentinel = nullptr;
    bool capturing = false;
    AtCapture capture;
    // Run by the print dialog just before it is confirmed.
    std::function<void()> beforeReturning;
};

// Read back from the page: the texts at true scale from the printable
// area's corner, whatever margins the print dialog left.
TEST_F(PrintTest, TextPrintsAtTrueScaleFromThePrintableAreasCorner)
{
    REQUIRE_PDFTOPPM();
    setTick(actionOf(form, "borderAction"), false);
    setTick(actionOf(form, "threeDAction"), false);
    blankSheet();
    crisp(textField(form, "NOM"));
    textField(form, "NOM")->setText(QStringLiteral("HHHH"));
    textField(form, "ADRESSE")->setText(QStringLiteral("12 RUE DES ÉCOLES"));

    // The first dark column of the text brought to 192 pixels from the left
    // of the client area.
    const QRect before = inkOnScreen(textField(form, "NOM"));
    ASSERT_FALSE(before.isNull());
    textField(form, "NOM")->move(textField(form, "NOM")->x() + 192 - before.left(), textField(form, "NOM")->y());
    const QRect screen = inkOnScreen(textField(form, "NOM"));
    ASSERT_EQ(screen.left(), 192);

    const QImage page = printAndRender(QStringLiteral("page"), PrinterSetup::HardwareMargins);
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(origin, QPointF(300, 225));
    const QRect printed = inkBox(page, kDark, onPage(inClientArea(textField(form, "NOM"))));
    // Two inches from the left of the printable area.
    EXPECT_NEAR(printed.left(), origin.x() + 1200, 1.0);
    expectScaled(printed, screen);

    // The pixels as they are, smoothed letters included: no shade added or
    // lost by a lossy compression on the way.
    EXPECT_EQ(differingDots(page, textField(form, "NOM")), 0);
    EXPECT_EQ(differingDots(page, textField(form, "ADRESSE")), 0);
}

// The printer as the print path sets it up keeps the toolkit's default
// margins of 10 points; the printable area of the page is the whole sheet, and
// the capture starts at its corner, not 3.5 mm right and down.
TEST_F(PrintTest, ThePrintPathsPrinterPrintsFromTheCornerOfThePrintableArea)
{
    REQUIRE_PDFTOPPM();
    setTick(actionOf(form, "borderAction"), false);
    setTick(actionOf(form, "threeDAction"), false);
    blankSheet();
    crisp(textField(form, "NOM"));
    textField(form, "NOM")->setText(QStringLiteral("HHHH"));
    textField(form, "NOM")->move(textField(form, "NOM")->x(), 40);
    scrollAreaOf(form)->verticalScrollBar()->setValue(0);
    const QRect screen = inkOnScreen(textField(form, "NOM"));
    ASSERT_FALSE(screen.isNull());

    const QString pdf = print(QStringLiteral("corner"));
    ASSERT_TRUE(testDialogs().texts(QStringLiteral("error")).isEmpty());
    // The text and the 10 points (83 dots) a margin would add, nothing more.
    const QRect part = onPage(screen).adjusted(-100, -100, 100, 100).intersected(QRect(0, 0, 4960, 7016));
    const QImage page = render(pdf, part);
    ASSERT_FALSE(page.isNull());
    expectScaled(inkBox(page).translated(part.topLeft()), screen);
}

// Read back from the page: only the texts, without the form image nor any
// frame, down to the bottom of the client area of the page-high window, even
// when the window is kept lower than asked.
TEST_F(PrintTest, OnlyTheTextsReachThePaperWithoutImageOrFrames)
{
    REQUIRE_PDFTOPPM();
    setTick(actionOf(form, "borderAction"), true);
    setTick(actionOf(form, "threeDAction"), true);
    blankSheet();
    for (SheetEdit *field : {textField(form, "NOM"), textField(form, "COCHE_ACCES"), textField(form, "ACTE_4")})
        crisp(field);
    textField(form, "NOM")->setText(QStringLiteral("HHHH"));
    textField(form, "COCHE_ACCES")->setText(QStringLiteral("X"));
    // Below the bottom of the window as it stands, inside the page-high window
    // of the capture; a screen lower than the page, or a window manager, may
    // keep the window lower than asked.
    textField(form, "ACTE_4")->setText(QStringLiteral("HH"));
    textField(form, "ACTE_4")->move(textField(form, "ACTE_4")->x(), 1030);
    form->setMaximumHeight(600);
    ASSERT_GT(inClientArea(textField(form, "ACTE_4")).bottom(), viewport->height());

    // The texts on the sheet: the boxes the claim rules ticked among them.
    QList<QWidget *> texts;
    for (SheetEdit *field : form->plainTextFields())
        if (field->isVisible() && !field->text().isEmpty())
            texts << field;
    ASSERT_TRUE(texts.contains(textField(form, "ACTE_4")));

    const QImage page = printAndRender(QStringLiteral("page"));
    ASSERT_FALSE(page.isNull());
    EXPECT_TRUE(formImageOf(form)->isVisible());
    EXPECT_LE(form->height(), 600);

    // Each text is on the paper, and nothing else: no form image, no frame
    // of a field, empty or not, and no date field's button.
    QImage rest = page;
    for (QWidget *field : texts) {
        const QRect area = onPage(inClientArea(field)).intersected(page.rect());
        EXPECT_FALSE(inkBox(page, kDark, area).isNull()) << field->objectName().toStdString();
        const QRect ink = inkBox(page, kAnyMark, area);
        // A frame would be the whole box.
        EXPECT_GT(ink.top(), area.top() + 4) << field->objectName().toStdString();
        EXPECT_GT(ink.left(), area.left() + 4) << field->objectName().toStdString();
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                rest.setPixel(x, y, qRgb(255, 255, 255));
    }
    EXPECT_EQ(inkBox(rest, kAnyMark), QRect());
}

// The height of 1110 pixels is the window's outer height: the capture is the
// client area that window has, below the title bar and the menu bar, and it
// does not depend on the height the window manager lets the window have.
TEST_F(PrintTest, TheCaptureIsTheClientAreaOfAWindow1110PixelsHighOutside)
{
    const int frameHeight = form->frameGeometry().height() - form->height();
    print(QStringLiteral("page"));
    ASSERT_EQ(capture.renders, 1);
    EXPECT_EQ(capture.outerHeight, 1110);
    EXPECT_EQ(capture.area, QRect(0, 0, viewport->width(), capture.clientHeight));

    // Kept lower, the window still captures the client area of the page-high one.
    form->setMaximumHeight(600);
    print(QStringLiteral("low"));
    ASSERT_EQ(capture.renders, 1);
    EXPECT_LE(capture.outerHeight, 600 + frameHeight);
    EXPECT_EQ(capture.area.height(), 1110 - frameHeight - (form->height() - viewport->height()));
    EXPECT_GT(capture.area.bottom(), 1030);
}

// What prints does not depend on how far the sheet is scrolled, and printing
// leaves the scroll position as it was: a low window scrolled 120 pixels down
// prints the page from its top.
TEST_F(PrintTest, WhatPrintsDoesNotDependOnTheScrollAndTheScrollStays)
{
    print(QStringLiteral("top"));
    const AtCapture top = capture;
    ASSERT_EQ(top.area.top(), 0);

    form->resize(form->width(), 500);
    QScrollBar *bar = scrollAreaOf(form)->verticalScrollBar();
    bar->setValue(120);
    ASSERT_EQ(bar->value(), 120);
    print(QStringLiteral("down"));
    EXPECT_EQ(capture.area, top.area);
    EXPECT_EQ(capture.fieldPlaces, top.fieldPlaces);
    EXPECT_EQ(bar->value(), 120);
    EXPECT_EQ(form->height(), 500);
}

// Moving the image panel moves every field on the sheet, so every printed
// text; resizing it only stretches the image, which is not printed.
TEST_F(PrintTest, PrintedTextsFollowThePanelsPlaceNotItsSize)
{
    print(QStringLiteral("first"));
    const AtCapture first = capture;
    ASSERT_FALSE(first.imageShown);

    imagePanelOf(form)->move(imagePanelOf(form)->pos() + QPoint(10, 10));
    print(QStringLiteral("moved"));
    ASSERT_EQ(capture.fieldPlaces.size(), first.fieldPlaces.size());
    // The fields on the panel move with it; a field on the window itself stays.
    for (int i = 0; i < capture.fieldPlaces.size(); ++i) {
        SheetEdit *field = form->plainTextFields().at(i);
        const QPoint offset = field->parentWidget() == imagePanelOf(form) ? QPoint(10, 10) : QPoint();
        EXPECT_EQ(capture.fieldPlaces[i] - first.fieldPlaces[i], offset) << field->objectName().toStdString();
    }
    EXPECT_EQ(capture.area, first.area);
    const AtCapture moved = capture;

    imagePanelOf(form)->resize(imagePanelOf(form)->size() + QSize(40, 30));
    print(QStringLiteral("wider"));
    EXPECT_EQ(capture.fieldPlaces, moved.fieldPlaces);
    EXPECT_EQ(capture.area, moved.area);
    EXPECT_FALSE(capture.imageShown);
}

// The pregnancy date prints with the maternity box alone, whatever the
// screen shows, and is shown after printing in every case.
struct PregnancyCase
{
    const char *name;
    bool maternity;
    bool datesHidden;
};

void PrintTo(const PregnancyCase &c, std::ostream *os)
{
    *os << c.name;
}

class PregnancyDatePrint : public PrintTest, public ::testing::WithParamInterface<PregnancyCase>
{
};

TEST_P(PregnancyDatePrint, PrintsOnlyWithTheMaternityBoxTicked)
{
    const PregnancyCase c = GetParam();
    blankSheet();
    textField(form, "COCHE_MATERNITE")->setText(c.maternity ? QStringLiteral("X") : QString());
    dateField(form, "DDG")->setText(QStringLiteral("01/02/2026"));
    setTick(actionOf(form, "hideDatesAction"), c.datesHidden);
    // Shown on screen even with the box empty.
    if (!c.datesHidden)
        dateField(form, "DDG")->show();
    imagePanelOf(form)->setFocus();

    print(QStringLiteral("page"));
    ASSERT_EQ(capture.renders, 1);
    EXPECT_EQ(capture.pregnancyDateShown, c.maternity);
    EXPECT_TRUE(capture.area.contains(QRect(onTheSheet(dateField(form, "DDG")), dateField(form, "DDG")->size())));
    EXPECT_TRUE(dateField(form, "DDG")->isVisible());
    EXPECT_TRUE(dateField(form, "DDG")->isButtonVisible());
    // The other dates follow the hiding command, on paper as on screen.
    EXPECT_EQ(dateField(form, "DATE")->isVisible(), !c.datesHidden);
}

INSTANTIATE_TEST_SUITE_P(
    MaternityAndHiddenDates, PregnancyDatePrint,
    ::testing::Values(PregnancyCase{"TickedDatesShown", true, false},
                      PregnancyCase{"TickedDatesHidden", true, true},
                      PregnancyCase{"EmptyDatesShown", false, false},
                      PregnancyCase{"EmptyDatesHidden", false, true}),
    [](const ::testing::TestParamInfo<PregnancyCase> &testInfo) { return std::string(testInfo.param.name); });

// What printing leaves behind, for each tick of "&Encadrer" and "3D".
struct LookCase
{
    const char *name;
    bool framed;
    bool sunken;
};

void PrintTo(const LookCase &c, std::ostream *os)
{
    *os << c.name;
}

class LookAfterPrint : public PrintTest, public ::testing::WithParamInterface<LookCase>
{
};

TEST_P(LookAfterPrint, WindowIsPutBackAsTheTicksSay)
{
    const LookCase c = GetParam();
    setTick(actionOf(form, "borderAction"), c.framed);
    setTick(actionOf(form, "threeDAction"), c.sunken);
    textField(form, "COCHE_MATERNITE")->setText(QString());
    ASSERT_FALSE(dateField(form, "DDG")->isVisible());

    // A stored placement other than the window's present one.
    form->move(30, 40);
    form->resize(800, 900);
    saveWindowPlacement(form);
    form->move(100, 60);
    form->resize(810, 700);
    pickList(form, "LISTE_VILLES")->show();
    pickList(form, "Liste_CPAMS")->show();
    textField(form, "NOM")->setFocus();

    print(QStringLiteral("page"));
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("error")).isEmpty());
    EXPECT_TRUE(QFileInfo(session.path(QStringLiteral("page.pdf"))).size() > 0);
    // During the capture: no frame, no 3-D edge, no calendar button, no image.
    ASSERT_EQ(capture.renders, 1);
    EXPECT_FALSE(capture.anyFrame);
    EXPECT_FALSE(capture.imageShown);

    for (SheetEdit *field : form->plainTextFields()) {
        EXPECT_EQ(field->isBordered(), c.framed) << field->objectName().toStdString();
        EXPECT_EQ(field->is3D(), c.sunken) << field->objectName().toStdString();
    }
    for (DateEdit *date : {dateField(form, "DATE"), dateField(form, "DATE_ACTE"), dateField(form, "DDN"), dateField(form, "DDG")}) {
        EXPECT_EQ(date->isFramed(), c.framed) << date->objectName().toStdString();
        EXPECT_TRUE(date->isButtonVisible()) << date->objectName().toStdString();
    }
    EXPECT_TRUE(dateField(form, "DDG")->isVisible());
    EXPECT_TRUE(formImageOf(form)->isVisible());
    EXPECT_FALSE(pickList(form, "LISTE_VILLES")->isVisible());
    EXPECT_FALSE(pickList(form, "Liste_CPAMS")->isVisible());
    EXPECT_EQ(form->focusWidget(), imagePanelOf(form));
    EXPECT_EQ(imagePanelOf(form)->caption(), QString());
    // The stored placement, with the height the window had.
    EXPECT_EQ(form->pos(), QPoint(30, 40));
    EXPECT_EQ(form->size(), QSize(800, 700));
}

INSTANTIATE_TEST_SUITE_P(
    BorderAnd3D, LookAfterPrint,
    ::testing::Values(LookCase{"Framed", true, false}, LookCase{"FramedSunken", true, true},
                      LookCase{"Flat", false, false}, LookCase{"Sunken", false, true}),
    [](const ::testing::TestParamInfo<LookCase> &testInfo) { return std::string(testInfo.param.name); });

TEST_F(PrintTest, CancelledPrintDialogChangesNothing)
{
    setTick(actionOf(form, "borderAction"), true);
    setTick(actionOf(form, "threeDAction"), true);
    dateField(form, "DDG")->show();   // shown with the maternity box empty
    pickList(form, "LISTE_VILLES")->show();
    textField(form, "NOM")->setFocus();

    struct Look
    {
        QRect geometry;
        QString caption;
        QWidget *focus;
        bool image, villes, ddg, nomFramed, nom3D, dateFramed, dateButton;
        bool operator==(const Look &o) const
        {
            return geometry == o.geometry && caption == o.caption && focus == o.focus && image == o.image
                && villes == o.villes && ddg == o.ddg && nomFramed == o.nomFramed && nom3D == o.nom3D
                && dateFramed == o.dateFramed && dateButton == o.dateButton;
        }
    };
    auto look = [this] {
        return Look{form->geometry(), imagePanelOf(form)->caption(), form->focusWidget(),
                    formImageOf(form)->isVisible(), pickList(form, "LISTE_VILLES")->isVisible(), dateField(form, "DDG")->isVisible(),
                    textField(form, "NOM")->isBordered(), textField(form, "NOM")->is3D(), dateField(form, "DDN")->isFramed(),
                    dateField(form, "DDN")->isButtonVisible()};
    };
    const Look before = look();

    testDialogs().clear();
    testDialogs().printAnswer = [](QPrinter &) { return false; };
    actionOf(form, "printAction")->trigger();

    ASSERT_EQ(testDialogs().shown.size(), 1);   // the print dialog alone
    EXPECT_EQ(testDialogs().shown.at(0).kind, QStringLiteral("print"));
    EXPECT_TRUE(look() == before);
    EXPECT_EQ(form->focusWidget(), textField(form, "NOM"));
}

TEST_F(PrintTest, AJobThatCannotStartIsReportedAndLeavesTheDatesBare)
{
    setTick(actionOf(form, "borderAction"), true);
    setTick(actionOf(form, "threeDAction"), true);
    textField(form, "COCHE_MATERNITE")->setText(QString());
    dateField(form, "DDG")->show();
    const int heightBefore = form->height();
    const QString pdf = session.path(QStringLiteral("absent/page.pdf"));
    testDialogs().printAnswer = [pdf](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setResolution(kPrinterDpi);
        return true;
    };

    actionOf(form, "printAction")->trigger();

    EXPECT_EQ(testDialogs().texts(QStringLiteral("error")),
              QStringList{QStringLiteral("L'imprimante n'imprime pas actuellement")});
    EXPECT_FALSE(QFileInfo::exists(pdf));
    // Put back: the height, the form image, the plain fields.
    EXPECT_EQ(form->height(), heightBefore);
    EXPECT_TRUE(formImageOf(form)->isVisible());
    for (SheetEdit *field : form->plainTextFields()) {
        EXPECT_TRUE(field->isBordered()) << field->objectName().toStdString();
        EXPECT_TRUE(field->is3D()) << field->objectName().toStdString();
    }
    // Left as during the capture: the dates without frame nor button, the
    // pregnancy date hidden with its box empty.
    for (DateEdit *date : {dateField(form, "DATE"), dateField(form, "DATE_ACTE"), dateField(form, "DDN"), dateField(form, "DDG")}) {
        EXPECT_FALSE(date->isFramed()) << date->objectName().toStdString();
        EXPECT_FALSE(date->isButtonVisible()) << date->objectName().toStdString();
    }
    EXPECT_FALSE(dateField(form, "DDG")->isVisible());
}

TEST_F(PrintTest, AnUnreadableStoredPlacementStillGivesTheHeightBack)
{
    writeSetting(QStringLiteral("Tiravon"), QStringLiteral("Form1"), QStringLiteral("abc"));
    const int heightBefore = form->height();
    print(QStringLiteral("page"));
    // The placement's own error, after a print that went through.
    EXPECT_EQ(testDialogs().texts(QStringLiteral("error")).size(), 1);
    EXPECT_GT(QFileInfo(session.path(QStringLiteral("page.pdf"))).size(), 0);
    EXPECT_EQ(form->height(), heightBefore);
    EXPECT_TRUE(formImageOf(form)->isVisible());
    EXPECT_TRUE(dateField(form, "DDN")->isButtonVisible());
}

TEST_F(PrintTest, ASelectionLeftInAFieldIsNotPrinted)
{
    // The field tabbed into (its text selected) when the print dialog took the
    // window's activation away.
    textField(form, "NOM")->setText(QStringLiteral("HHHH"));
    textField(form, "NOM")->setFocus();
    textField(form, "NOM")->selectAll();
    QApplication::setActiveWindow(nullptr);
    ASSERT_TRUE(textField(form, "NOM")->hasSelectedText());
    print(QStringLiteral("selected"));
    ASSERT_EQ(capture.renders, 1);
    EXPECT_FALSE(capture.anySelection);
}

// The field being edited when the print starts is left before the capture and
// its exit handler runs, also when the print dialog leaves the window
// inactive (as the real one does: the dialog was the active window).
TEST_F(PrintTest, AValueTypedJustBeforePrintingIsPrintedWithItsConsequences)
{
    QWidget dialog;
    dialog.resize(200, 100);
    dialog.show();
    struct Case
    {
        const char *name;
        bool dialogDeactivates;
    };
    for (const Case c : {Case{"inactive after the dialog", true}, Case{"active after the dialog", false}}) {
        SCOPED_TRACE(c.name);
        QApplication::setActiveWindow(form);
        beforeReturning = [&dialog, c] {
            if (c.dialogDeactivates)
                QApplication::setActiveWindow(&dialog);
        };
        textField(form, "TARIF_1")->setText(QStringLiteral("23"));
        textField(form, "TARIF_2")->setText(QStringLiteral("3"));
        textField(form, "TARIF_3")->setText(QStringLiteral("2"));
        textField(form, "TARIF_4")->setText(QString());
        textField(form, "MONTANT_TOTAL")->setText(QStringLiteral("28,00"));
        QTest::mouseClick(textField(form, "TARIF_1"), Qt::LeftButton);
        ASSERT_EQ(QApplication::focusWidget(), textField(form, "TARIF_1"));
        textField(form, "TARIF_1")->selectAll();
        QTest::keyClicks(textField(form, "TARIF_1"), QStringLiteral("10"));
        testDialogs().shown.clear();
        preparePrint(QStringLiteral("tariff"));
        QTest::keyClick(textField(form, "TARIF_1"), Qt::Key_P, Qt::ControlModifier);
        capturing = false;
        ASSERT_EQ(testDialogs().texts(QStringLiteral("print")).size(), 1);
        ASSERT_EQ(capture.renders, 1);
        EXPECT_EQ(capture.total, QStringLiteral("15,00"));
        EXPECT_EQ(textField(form, "MONTANT_TOTAL")->text(), QStringLiteral("15,00"));
        EXPECT_EQ(form->focusWidget(), imagePanelOf(form));

        // A town and a fund typed are offered to their lists, once.
        for (SheetEdit *field : {textField(form, "VILLE"), textField(form, "CPAM")}) {
            QListWidget *list = field == textField(form, "VILLE") ? pickList(form, "LISTE_VILLES") : pickList(form, "Liste_CPAMS");
            const QString typed = QStringLiteral("NOUVEAU %1 %2").arg(field->objectName()).arg(c.dialogDeactivates);
            QApplication::setActiveWindow(form);
            field->setFocus(Qt::TabFocusReason);
            field->setText(typed);
            testDialogs().shown.clear();
            print(field->objectName());
            QCoreApplication::processEvents();
            EXPECT_EQ(list->findItems(typed, Qt::MatchExactly).size(), 1) << field->objectName().toStdString();
            EXPECT_EQ(testDialogs().texts(QStringLiteral("information")),
                      QStringList{QStringLiteral("\"%1\" ajouté à la liste").arg(typed)});
        }
    }
}

TEST_F(PrintTest, ThePrinterChosenIsOfferedAgainAtTheNextPrint)
{
    print(QStringLiteral("first"));
    QString offered;
    testDialogs().printAnswer = [&offered](QPrinter &printer) {
        offered = printer.outputFileName();
        return false;
    };
    actionOf(form, "printAction")->trigger();
    EXPECT_EQ(offered, session.path(QStringLiteral("first.pdf")));
}

// The dark runs down a column of the page: the middle of each, in dots.
QList<double> darkRunsDown(const QImage &page, int x, int from, int to)
{
    QList<double> middles;
    int start = -1;
    for (int y = from; y <= to; ++y) {
        const bool dark = page.constScanLine(y)[x] < kDark;
        if (dark && start < 0)
            start = y;
        if (!dark && start >= 0) {
            middles << (start + y - 1) / 2.0;
            start = -1;
        }
    }
    return middles;
}

// The dark runs along a row of the page: the middle of each, in dots.
QList<double> darkRunsAlong(const QImage &page, int y, int from, int to)
{
    QList<double> middles;
    int start = -1;
    const uchar *line = page.constScanLine(y);
    for (int x = from; x <= to; ++x) {
        const bool dark = line[x] < kDark;
        if (dark && start < 0)
            start = x;
        if (!dark && start >= 0) {
            middles << (start + x - 1) / 2.0;
            start = -1;
        }
    }
    return middles;
}

// A printer's offset moves the whole page by that many tenths of a
// millimetre; an offset stored for another printer, or none, leaves the
// page exactly as it was.
TEST_F(PrintTest, ThePrintersOffsetMovesThePageAndNoOffsetLeavesItAsItWas)
{
    REQUIRE_PDFTOPPM();
    setTick(actionOf(form, "borderAction"), false);
    setTick(actionOf(form, "threeDAction"), false);
    blankSheet();
    crisp(textField(form, "NOM"));
    textField(form, "NOM")->setText(QStringLiteral("HHHH"));
    textField(form, "NOM")->move(200, 300);
    scrollAreaOf(form)->verticalScrollBar()->setValue(0);

    const QImage none = printAndRender(QStringLiteral("none"));
    writeSetting(QStringLiteral("IMPRIMANTES"), QStringLiteral("Bureau"), QStringLiteral("100;-50"));
    const QImage other = printAndRender(QStringLiteral("other"));
    // The PDF file output is kept under "PDF": 10.0 mm right, 5.0 mm up.
    writeSetting(QStringLiteral("IMPRIMANTES"), QStringLiteral("PDF"), QStringLiteral("100;-50"));
    const QImage moved = printAndRender(QStringLiteral("moved"));
    ASSERT_FALSE(none.isNull());
    ASSERT_FALSE(moved.isNull());
    EXPECT_TRUE(other == none);

    const QRect before = inkBox(none);
    const QRect after = inkBox(moved);
    ASSERT_FALSE(before.isNull());
    ASSERT_FALSE(after.isNull());
    const double dotsPerMm = kPrinterDpi / 25.4;
    const double tolerance = 0.2 * dotsPerMm;
    EXPECT_NEAR(after.left() - before.left(), 10.0 * dotsPerMm, tolerance);
    EXPECT_NEAR(after.top() - before.top(), -5.0 * dotsPerMm, tolerance);
    EXPECT_EQ(after.size(), before.size());
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("confirm")).isEmpty());
}

// Before printing, the zones that would fall outside the printable area are
// named; Cancel prints nothing, OK prints, and the tick turns the question off.
TEST_F(PrintTest, TextsOutsideThePrintableAreaAreAskedAboutFirst)
{
    blankSheet();
    textField(form, "TARIF_1")->setText(QStringLiteral("25,00"));
    textField(form, "TARIF_1")->move(100, textField(form, "TARIF_1")->y());
    testDialogs().clear();
    QString pdf = print(QStringLiteral("fits"), PrinterSetup::HardwareMargins);
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("confirm")).isEmpty());
    EXPECT_TRUE(QFileInfo::exists(pdf));

    // The printable area is 4360 dots (about 697 pixels) wide.
    textField(form, "TARIF_1")->setAlignment(Qt::AlignLeft);
    textField(form, "TARIF_1")->move(690, textField(form, "TARIF_1")->y());
    const QString question =
        QStringLiteral("Ces zones sortent de la partie imprimable de la page : Tarif1\nImprimer quand même ?");
    struct Case
    {
        const char *name;
        bool warn, answer, asked, printed;
    };
    const Case cases[] = {
        {"cancelled", true, false, true, false},
        {"confirmed", true, true, true, true},
        {"not asked", false, false, false, true},
    };
    for (const Case &c : cases) {
        actionOf(form, "printerOffsetsAction")->trigger();
        QCheckBox *tick = nullptr;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->objectName() == QStringLiteral("Form_DECALAGE"))
                tick = window->findChild<QCheckBox *>(QStringLiteral("chk_WARN"));
        ASSERT_NE(tick, nullptr);
        tick->setChecked(c.warn);
        testDialogs().clear();
        testDialogs().confirmAnswers = {c.answer};
        pdf = print(QString::fromLatin1(c.name), PrinterSetup::HardwareMargins);
        EXPECT_EQ(testDialogs().texts(QStringLiteral("confirm")),
                  c.asked ? QStringList{question} : QStringList())
            << c.name;
        EXPECT_EQ(QFileInfo::exists(pdf), c.printed) << c.name;
        EXPECT_EQ(readBoolSetting(QStringLiteral("OPTIONS"), QStringLiteral("AVERTIR_HORS_ZONE"), true), c.warn)
            << c.name;
    }
}

// Each field is judged by what it prints: a date whose text fits is not
// asked about although its box and hidden calendar button reach past the
// printable area, nor is an empty field; a date whose text goes past is, by
// the name the user knows it by.
TEST_F(PrintTest, OnlyTheInkOfTheTextsIsJudgedAndFieldsAreNamedByTheirHints)
{
    blankSheet();
    dateField(form, "DATE")->setText(QStringLiteral("01/02/2026"));
    dateField(form, "DATE")->move(500, dateField(form, "DATE")->y());
    const QRect ink = inkOnScreen(dateField(form, "DATE")->findChild<QLineEdit *>(QStringLiteral("edit")));
    ASSERT_FALSE(ink.isNull());
    // The text's last column 10 pixels inside the 697 pixels of the printable
    // area, the box 20 pixels or more past it.
    dateField(form, "DATE")->move(dateField(form, "DATE")->x() + 687 - ink.right(), dateField(form, "DATE")->y());
    ASSERT_GT(inClientArea(dateField(form, "DATE")).right(), 717);
    textField(form, "TARIF_4")->setText(QString());
    textField(form, "TARIF_4")->move(720, textField(form, "TARIF_4")->y());
    testDialogs().clear();
    QString pdf = print(QStringLiteral("fits"), PrinterSetup::HardwareMargins);
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("confirm")).isEmpty());
    EXPECT_TRUE(QFileInfo::exists(pdf));

    dateField(form, "DATE_ACTE")->setText(QStringLiteral("01/02/2026"));
    dateField(form, "DATE_ACTE")->move(660, dateField(form, "DATE_ACTE")->y());
    textField(form, "COCHE_MALADIE")->move(720, textField(form, "COCHE_MALADIE")->y());
    testDialogs().confirmAnswers = {false};
    pdf = print(QStringLiteral("past"), PrinterSetup::HardwareMargins);
    EXPECT_EQ(testDialogs().texts(QStringLiteral("confirm")),
              QStringList{QStringLiteral("Ces zones sortent de la partie imprimable de la page : Maladie, "
                                         "Date de l'acte\nImprimer quand même ?")});
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

// The offsets window keeps each printer's own offset under its name.
TEST_F(PrintTest, TheOffsetsWindowKeepsEachPrintersOffset)
{
    PrinterOffsetWindow window({QStringLiteral("Accueil"), QStringLiteral("Cabinet")});
    window.choosePrinter(QStringLiteral("Cabinet"));
    window.rightBox->setValue(100);
    window.downBox->setValue(-50);
    window.downBox->setValue(-400);   // beyond 30 mm: kept at the bound
    EXPECT_EQ(readSetting(QStringLiteral("IMPRIMANTES"), QStringLiteral("Cabinet"), QString()),
              QStringLiteral("100;-300"));
    window.choosePrinter(QStringLiteral("Accueil"));
    EXPECT_EQ(window.rightBox->value(), 0);
    EXPECT_EQ(readSetting(QStringLiteral("IMPRIMANTES"), QStringLiteral("Accueil"), QStringLiteral("none")),
              QStringLiteral("none"));
    window.choosePrinter(QStringLiteral("Cabinet"));
    EXPECT_EQ(window.rightBox->value(), 100);
    EXPECT_EQ(window.downBox->value(), -300);
}

// The calibration page's rulers: a long mark every 10 mm from the printable
// area's corner, the left ruler's numbers level with their marks; and every
// text of the page reaches the printer as filled outlines, no font at all
// (a printer driver may fail on the font a text would send it).
TEST_F(PrintTest, TheCalibrationRulersAreNumberedBesideTheirMarksInOutlinesOnly)
{
    REQUIRE_PDFTOPPM();
    const QString pdf = preparePrint(QStringLiteral("calibration"));
    actionOf(form, "calibrationAction")->trigger();
    ASSERT_TRUE(testDialogs().texts(QStringLiteral("error")).isEmpty());
    const QImage page = render(pdf);
    ASSERT_FALSE(page.isNull());
    const double dotsPerMm = kPrinterDpi / 25.4;
    // 3 mm down only the 10 mm marks reach.
    const QList<double> marks = darkRunsAlong(page, int(3 * dotsPerMm), int(5 * dotsPerMm), int(155 * dotsPerMm));
    ASSERT_EQ(marks.size(), 15);
    for (int i = 0; i < marks.size(); ++i)
        EXPECT_NEAR(marks[i], (i + 1) * 10 * dotsPerMm, 2.0) << i;

    // 3 mm right of the left edge too; each number's ink centred on its mark.
    const QList<double> left = darkRunsDown(page, int(3 * dotsPerMm), int(45 * dotsPerMm), int(105 * dotsPerMm));
    ASSERT_EQ(left.size(), 6);
    for (int i = 0; i < left.size(); ++i) {
        EXPECT_NEAR(left[i], (i + 5) * 10 * dotsPerMm, 2.0) << i;
        const QRect number = inkBox(page, kDark,
                                    QRect(QPoint(int(4.3 * dotsPerMm), int(left[i] - 2 * dotsPerMm)),
                                          QSize(int(6 * dotsPerMm), int(4 * dotsPerMm))));
        ASSERT_FALSE(number.isNull()) << i;
        EXPECT_NEAR((number.top() + number.bottom()) / 2.0, left[i], 0.1 * dotsPerMm) << i;
    }

    const QString pdffonts = hostProgram(QStringLiteral("pdffonts"));
    if (pdffonts.isEmpty())
        GTEST_SKIP() << "pdffonts (poppler-utils) is not installed: the fonts of the page cannot be listed";
    QByteArray fonts;
    ASSERT_EQ(runHostProgram(pdffonts, {hostPath(pdf)}, nullptr, &fonts), 0);
    // The heading of the list and its rule, and no font under them.
    EXPECT_EQ(QString::fromLocal8Bit(fonts).trimmed().split(QLatin1Char('\n')).size(), 2);
}

// The preview draws the page as printing would, asks nothing, and prints it
// through the print dialog.
TEST_F(PrintTest, ThePreviewShowsOnePageAndPrintsFromIt)
{
    blankSheet();
    textField(form, "TARIF_1")->setText(QStringLiteral("25,00"));
    textField(form, "TARIF_1")->setAlignment(Qt::AlignLeft);
    textField(form, "TARIF_1")->move(690, textField(form, "TARIF_1")->y());
    testDialogs().clear();
    const QString pdf = preparePrint(QStringLiteral("previewed"), PrinterSetup::HardwareMargins);
    capturing = true;
    actionOf(form, "previewAction")->trigger();
    capturing = false;
    auto *preview = form->findChild<QPrintPreviewWidget *>(QStringLiteral("preview"));
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->pageCount(), 1);
    // Drawn once: the texts, and the sheet with the form image for behind them.
    EXPECT_EQ(capture.renders, 2);
    EXPECT_TRUE(testDialogs().shown.isEmpty());
    EXPECT_TRUE(formImageOf(form)->isVisible());

    testDialogs().confirmAnswers = {true};
    form->findChild<QPushButton *>(QStringLiteral("btn_PRINT"))->click();
    EXPECT_TRUE(QFileInfo::exists(pdf));
    EXPECT_EQ(testDialogs().texts(QStringLiteral("confirm")).size(), 1);
}

// The preview is drawn again from the sheet each time it is shown and while
// it is open, without taking the focus from the field being typed into nor
// moving the window; it fits the page to its window and zooms.
TEST_F(PrintTest, ThePreviewFollowsTheSheetAndZooms)
{
    blankSheet();
    textField(form, "NOM")->setText(QStringLiteral("DURAND"));
    QAction *menu = actionOf(form, "previewAction");
    capturing = true;
    menu->trigger();
    capturing = false;
    EXPECT_EQ(capture.name, QStringLiteral("DURAND"));
    auto *window = form->findChild<QWidget *>(QStringLiteral("Form_APERCU"));
    ASSERT_NE(window, nullptr);
    auto *preview = window->findChild<QPrintPreviewWidget *>(QStringLiteral("preview"));
    EXPECT_EQ(preview->zoomMode(), QPrintPreviewWidget::FitInView);
    QCoreApplication::processEvents();
    // The name on the sheet each time the page is drawn.
    QStringList drawn;
    QObject::connect(preview, &QPrintPreviewWidget::paintRequested, form, [this, &drawn] { drawn << textField(form, "NOM")->text(); });

    // Typed into the sheet while it is open: drawn again once the typing is
    // over, the field keeping the focus, its caret and its look, the window
    // its place and size.
    const QRect placed = form->geometry();
    QApplication::setActiveWindow(form);
    textField(form, "NOM")->setFocus();
    textField(form, "NOM")->selectAll();
    QTest::keyClicks(textField(form, "NOM"), QStringLiteral("MARTIN"));
    QCoreApplication::processEvents();
    EXPECT_EQ(drawn, QStringList{QStringLiteral("MARTIN")});
    EXPECT_EQ(QApplication::focusWidget(), textField(form, "NOM"));
    EXPECT_EQ(textField(form, "NOM")->cursorPosition(), 6);
    EXPECT_EQ(form->geometry(), placed);
    EXPECT_TRUE(textField(form, "NOM")->isBordered());
    EXPECT_TRUE(formImageOf(form)->isVisible());

    // Closed, it is not drawn; changed and shown again, it is.
    auto *close = window->findChild<QPushButton *>(QStringLiteral("btn_CLOSE"));
    ASSERT_NE(close, nullptr);
    close->click();
    EXPECT_FALSE(window->isVisible());
    drawn.clear();
    textField(form, "NOM")->setText(QStringLiteral("PETIT"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(drawn.isEmpty());
    menu->trigger();
    EXPECT_EQ(form->findChildren<QPrintPreviewWidget *>().size(), 1);
    EXPECT_EQ(drawn, QStringList{QStringLiteral("PETIT")});

    // The zoom: the true size, a step larger and smaller with the keys, the
    // whole page again.
    auto *actualSize = window->findChild<QPushButton *>(QStringLiteral("btn_100"));
    auto *wholePage = window->findChild<QPushButton *>(QStringLiteral("btn_FIT"));
    ASSERT_TRUE(actualSize && wholePage);
    actualSize->click();
    EXPECT_DOUBLE_EQ(preview->zoomFactor(), 1.0);
    QApplication::setActiveWindow(window);
    QTest::keyClick(preview, Qt::Key_Plus);
    EXPECT_GT(preview->zoomFactor(), 1.0);
    QTest::keyClick(preview, Qt::Key_Minus, Qt::KeypadModifier);
    QTest::keyClick(preview, Qt::Key_Minus);
    EXPECT_LT(preview->zoomFactor(), 1.0);
    wholePage->click();
    EXPECT_EQ(preview->zoomMode(), QPrintPreviewWidget::FitInView);
}

// The page the preview draws, printed to a PDF file by its own drawing: the
// form faintly behind the texts unless its tick is off, the margins the
// printer cannot print on shaded, a zone outside the printable area outlined
// in red. None of it reaches the paper, and the warning tick is the stored
// option the offsets window shows too.
TEST_F(PrintTest, ThePreviewShowsTheFormTheMarginsAndTheZonesOutsideButThePaperNone)
{
    REQUIRE_PDFTOPPM();
    setTick(actionOf(form, "borderAction"), false);
    setTick(actionOf(form, "threeDAction"), false);
    blankSheet();
    textField(form, "TARIF_1")->setText(QStringLiteral("25,00"));
    textField(form, "TARIF_1")->setAlignment(Qt::AlignLeft);
    textField(form, "TARIF_1")->move(690, textField(form, "TARIF_1")->y());
    testDialogs().confirmAnswers = {true};
    const QImage before = printAndRender(QStringLiteral("before"), PrinterSetup::HardwareMargins);

    actionOf(form, "printerOffsetsAction")->trigger();
    PrinterOffsetWindow *offsets = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == QStringLiteral("Form_DECALAGE"))
            offsets = static_cast<PrinterOffsetWindow *>(window);
    ASSERT_NE(offsets, nullptr);
    actionOf(form, "previewAction")->trigger();
    QWidget *window = form->findChild<QWidget *>(QStringLiteral("Form_APERCU"));
    ASSERT_NE(window, nullptr);
    auto *preview = window->findChild<QPrintPreviewWidget *>(QStringLiteral("preview"));
    auto *formTick = window->findChild<QCheckBox *>(QStringLiteral("chk_FORM"));
    auto *warnTick = window->findChild<QCheckBox *>(QStringLiteral("chk_WARN"));
    ASSERT_TRUE(preview && formTick && warnTick);
    EXPECT_TRUE(formTick->isChecked());

    auto previewPage = [&](const QString &name) {
        QPrinter printer(QPrinter::HighResolution);
        const QString pdf = session.path(name + QStringLiteral(".pdf"));
        setUpPdf(printer, pdf, PrinterSetup::HardwareMargins);
        emit preview->paintRequested(&printer);
        return render(pdf, QRect(), true);
    };
    const QImage withForm = previewPage(QStringLiteral("withform"));
    formTick->setChecked(false);
    const QImage bare = previewPage(QStringLiteral("bare"));
    ASSERT_FALSE(withForm.isNull());
    ASSERT_EQ(bare.size(), withForm.size());

    // The left margin (300 dots) and the bottom one (300 dots) shaded, the
    // printable area white where nothing prints.
    for (const QPoint dot : {QPoint(150, 3500), QPoint(2400, 6900), QPoint(5, 5)})
        EXPECT_TRUE(qGray(bare.pixel(dot)) > 150 && qGray(bare.pixel(dot)) < 235) << dot.x() << "," << dot.y();
    EXPECT_EQ(qGray(bare.pixel(1000, 6500)), 255);
    int red = 0, formDots = 0, darkFormDots = 0;
    for (int y = 225; y < 6716; ++y) {
        const auto *bareLine = reinterpret_cast<const QRgb *>(bare.constScanLine(y));
        const auto *formLine = reinterpret_cast<const QRgb *>(withForm.constScanLine(y));
        for (int x = 300; x < 4660; ++x) {
            const QRgb dot = bareLine[x];
            red += qRed(dot) > 200 && qGreen(dot) < 80 && qBlue(dot) < 80;
            if (dot == qRgb(255, 255, 255) && formLine[x] != dot) {
                formDots += 1;
                darkFormDots += qGray(formLine[x]) < 170;
            }
        }
    }
    EXPECT_GT(red, 100);
    // The form's lines and letters show, faintly.
    EXPECT_GT(formDots, 10000);
    EXPECT_EQ(darkFormDots, 0);

    // One stored choice, ticked or not from either window.
    warnTick->setChecked(false);
    EXPECT_FALSE(offsets->warnTick->isChecked());
    EXPECT_FALSE(readBoolSetting(QStringLiteral("OPTIONS"), QStringLiteral("AVERTIR_HORS_ZONE"), true));
    offsets->warnTick->setChecked(true);
    EXPECT_TRUE(warnTick->isChecked());
    EXPECT_TRUE(readBoolSetting(QStringLiteral("OPTIONS"), QStringLiteral("AVERTIR_HORS_ZONE"), false));

    window->close();
    testDialogs().confirmAnswers = {true};
    const QImage after = printAndRender(QStringLiteral("after"), PrinterSetup::HardwareMargins);
    ASSERT_FALSE(after.isNull());
    EXPECT_TRUE(after == before);
}

// A stored offset that cannot be read moves nothing and is never rewritten
// by showing it; the offsets window says so, and the first print on that
// printer tells it once.
TEST_F(PrintTest, AnUnreadableStoredOffsetIsShownAndToldOnceAndKeptUntilReplaced)
{
    for (const char *text : {"abc", "999;0"}) {
        const QString stored = QString::fromLatin1(text);
        writeSetting(QStringLiteral("IMPRIMANTES"), QStringLiteral("Cabinet"), stored);
        PrinterOffsetWindow window({QStringLiteral("Accueil"), QStringLiteral("Cabinet")});
        window.choosePrinter(QStringLiteral("Cabinet"));
        EXPECT_EQ(window.rightBox->value(), 0) << text;
        EXPECT_FALSE(window.unreadableNote->isHidden()) << text;
        EXPECT_EQ(window.unreadableNote->text(),
                  QStringLiteral("Le décalage enregistré « ") + stored
                      + QStringLiteral(" » ne peut pas être lu : aucun décalage n'est appliqué. Il est gardé tel "
                                       "quel jusqu'à ce qu'une nouvelle valeur soit choisie ici."));
        window.choosePrinter(QStringLiteral("Accueil"));
        EXPECT_TRUE(window.unreadableNote->isHidden()) << text;
        window.choosePrinter(QStringLiteral("Cabinet"));
        EXPECT_EQ(readSetting(QStringLiteral("IMPRIMANTES"), QStringLiteral("Cabinet"), QString()), stored);
        window.downBox->setValue(-20);
        EXPECT_EQ(readSetting(QStringLiteral("IMPRIMANTES"), QStringLiteral("Cabinet"), QString()),
                  QStringLiteral("0;-20"));
        EXPECT_TRUE(window.unreadableNote->isHidden()) << text;
    }

    blankSheet();
    writeSetting(QStringLiteral("IMPRIMANTES"), QStringLiteral("PDF"), QStringLiteral("abc"));
    testDialogs().clear();
    print(QStringLiteral("first"));
    const QString second = print(QStringLiteral("second"));
    EXPECT_TRUE(QFileInfo::exists(second));
    EXPECT_EQ(testDialogs().texts(QStringLiteral("information")),
              QStringList{QStringLiteral("Le décalage enregistré pour l'imprimante « PDF » (« abc ») ne peut pas être "
                                         "lu : la page est imprimée sans décalage. Choisissez-en un nouveau dans "
                                         "« Décalage de l'imprimante ».")});
}

// Each cross of the calibration page lies on the top-left corner of its
// field's text as the sheet prints it: from the capture of the page-high
// window without frames, not from the window as it stands, low, framed and
// scrolled further down than the page-high one can be.
TEST_F(PrintTest, TheCalibrationCrossesLieOnTheCornersOfThePrintedTexts)
{
    REQUIRE_PDFTOPPM();
    setTick(actionOf(form, "borderAction"), true);
    setTick(actionOf(form, "threeDAction"), true);
    blankSheet();
    struct Case
    {
        SheetEdit *field;
        const char *text;
    };
    const Case cases[] = {{textField(form, "NOM"), "HHHH"}, {textField(form, "TARIF_1"), "25,00"}, {textField(form, "COCHE_MALADIE"), "X"}};
    for (const Case &c : cases) {
        crisp(c.field);
        c.field->setText(QString::fromLatin1(c.text));
    }
    textField(form, "COCHE_MATERNITE")->setText(QString());
    imagePanelOf(form)->setFocus();
    QScrollBar *bar = scrollAreaOf(form)->verticalScrollBar();
    form->resize(form->width(), 500);
    bar->setValue(bar->maximum());
    const int lowScroll = bar->value();

    const QImage sheet = printAndRender(QStringLiteral("sheet"));
    const QRect area = capture.area;
    ASSERT_LT(area.top(), lowScroll);
    bar->setValue(lowScroll);
    const QString pdf = preparePrint(QStringLiteral("calibration"));
    actionOf(form, "calibrationAction")->trigger();
    capturing = false;
    const QImage calibration = render(pdf);
    ASSERT_FALSE(sheet.isNull());
    ASSERT_FALSE(calibration.isNull());

    const double dotsPerMm = kPrinterDpi / 25.4;
    for (const Case &c : cases) {
        const QRect ink =
            inkBox(sheet, kDark, onPage(QRect(onTheSheet(c.field) - area.topLeft(), c.field->size())));
        ASSERT_FALSE(ink.isNull()) << c.text;
        // The cross's two lines: the darkest column and row near the corner.
        const QRect near(ink.topLeft() - QPoint(int(2 * dotsPerMm), int(2 * dotsPerMm)),
                         QSize(int(2.9 * dotsPerMm), int(2.9 * dotsPerMm)));
        QList<int> columns(near.width()), rows(near.height());
        for (int y = 0; y < near.height(); ++y)
            for (int x = 0; x < near.width(); ++x)
                if (qGray(calibration.pixel(near.topLeft() + QPoint(x, y))) < kDark) {
                    columns[x] += 1;
                    rows[y] += 1;
                }
        const auto middleOfMost = [](const QList<int> &counts) {
            const int most = *std::max_element(counts.begin(), counts.end());
            int first = -1, last = -1;
            for (int i = 0; i < counts.size(); ++i)
                if (counts[i] == most) {
                    first = first < 0 ? i : first;
                    last = i;
                }
            return (first + last) / 2.0;
        };
        ASSERT_GT(*std::max_element(columns.begin(), columns.end()), int(1.2 * dotsPerMm)) << c.text;
        const QPointF cross(near.left() + middleOfMost(columns), near.top() + middleOfMost(rows));
        EXPECT_NEAR(cross.x(), ink.left(), 0.2 * dotsPerMm) << c.text;
        EXPECT_NEAR(cross.y(), ink.top(), 0.2 * dotsPerMm) << c.text;

        // The arms are millimetre scales: each half's whole millimetres
        // stand out 1 mm on its own side (the left half's above, the right
        // half's below, the upper half's right, the lower half's left), read
        // 0.75 mm from the line over the first 3 mm, the other arm's line
        // among them. The marks are 1.00 mm apart and their zero is the cross.
        const auto along = [&](bool horizontal, double side, double from, double to) {
            const int across = qRound((horizontal ? cross.y() : cross.x()) + side * 0.75 * dotsPerMm);
            const double centre = horizontal ? cross.x() : cross.y();
            const int first = qRound(centre + from * dotsPerMm), last = qRound(centre + to * dotsPerMm);
            return horizontal ? darkRunsAlong(calibration, across, first, last)
                              : darkRunsDown(calibration, across, first, last);
        };
        struct Half
        {
            const char *name;
            bool horizontal;
            double side, from, to;
            int first;   // the millimetre of the first mark read
        };
        const Half halves[] = {
            {"left", true, -1, -3.3, 0.3, -3},
            {"right", true, 1, -0.3, 3.3, 0},
            {"up", false, 1, -3.3, 0.3, -3},
            {"down", false, -1, -0.3, 3.3, 0},
        };
        for (const Half &half : halves) {
            const QList<double> runs = along(half.horizontal, half.side, half.from, half.to);
            ASSERT_EQ(runs.size(), 4) << c.text << " " << half.name;
            const double zero = half.horizontal ? cross.x() : cross.y();
            double fitted = 0;
            for (int i = 0; i < runs.size(); ++i) {
                if (i > 0) {
                    EXPECT_NEAR(runs[i] - runs[i - 1], dotsPerMm, 0.05 * dotsPerMm) << c.text << " " << half.name;
                }
                fitted += runs[i] - (half.first + i) * dotsPerMm;
            }
            EXPECT_NEAR(fitted / runs.size(), zero, 0.05 * dotsPerMm) << c.text << " " << half.name;
        }
    }
}

} // namespace

namespace {

TEST_F(PrintTest, TheOptionsTopBoxMovesPrintedTextsDownAndTheWidthBoxMovesNone)
{
    blankSheet();
    crisp(textField(form, "NOM"));
    textField(form, "NOM")->setText(QStringLiteral("HHHH"));
    const QImage first = printAndRender(QStringLiteral("first"));
    const QRect firstInk = inkBox(first, kDark, onPage(inClientArea(textField(form, "NOM"))));

    currentWindows().presentation()->panelWidthBox->setValue(currentWindows().presentation()->panelWidthBox->value() + 25);
    currentWindows().presentation()->panelTopBox->setValue(currentWindows().presentation()->panelTopBox->value() + 10);
    const QImage lower = printAndRender(QStringLiteral("lower"));
    const QRect lowerInk = inkBox(lower, kDark, onPage(inClientArea(textField(form, "NOM"))));

    // Ten pixels down are 10/96 inch: 62.5 dots; the width moved nothing.
    ASSERT_FALSE(firstInk.isNull());
    ASSERT_FALSE(lowerInk.isNull());
    EXPECT_NEAR(lowerInk.top() - firstInk.top(), 62.5, 1.0);
    EXPECT_EQ(lowerInk.left(), firstInk.left());
}

TEST_F(PrintTest, AShownStampPrintsTurnedAsOnScreenAndAHiddenOneNotAtAll)
{
    // No frame of a field under the stamp, which the screen would show and the paper not.
    setTick(actionOf(form, "borderAction"), false);
    setTick(actionOf(form, "threeDAction"), false);
    blankSheet();
    crisp(stampOf(form));
    stampOf(form)->setText(QStringLiteral("DUPLICATA"));
    stampOf(form)->setAngle(30);
    stampOf(form)->show();
    const QRect place = inClientArea(stampOf(form));
    const QImage page = printAndRender(QStringLiteral("stamp"));
    ASSERT_FALSE(page.isNull());
    const QRect ink = inkBox(page, kDark, onPage(place));
    ASSERT_FALSE(ink.isNull());
    // Turned: the ink rises across the box, higher than one line of the font.
    EXPECT_GT(ink.height(), QFontMetrics(stampOf(form)->font()).height() * kDotsPerPixel * 1.5);
    EXPECT_EQ(differingDots(page, stampOf(form)), 0);

    stampOf(form)->hide();
    const QImage without = printAndRender(QStringLiteral("nostamp"));
    EXPECT_TRUE(inkBox(without, kAnyMark, onPage(place)).isNull());
}

} // namespace

// ---------------------------------------------------------------------------
// A real printer of the system, through the system's own print path: on
// Windows, Wine's, which hands the host's CUPS printers to Windows programs.
// scripts/windows names a CUPS PDF printer in TIRAVON_PRINTER and the folder
// its pages land in in TIRAVON_PRINTER_PAGES; the places measured are added
// to TIRAVON_PRINTER_REPORT, where the Linux and the Windows program's are
// compared.
namespace {

class RealPrinterTest : public PrintTest
{
protected:
    QString printerName;
    QString pagesFolder;

    void SetUp() override
    {
        PrintTest::SetUp();
        printerName = qEnvironmentVariable("TIRAVON_PRINTER");
        pagesFolder = qEnvironmentVariable("TIRAVON_PRINTER_PAGES");
        if (printerName.isEmpty() || pagesFolder.isEmpty())
            GTEST_SKIP() << "no real printer named: scripts/windows sets TIRAVON_PRINTER and TIRAVON_PRINTER_PAGES";
        REQUIRE_PDFTOPPM();
        setTick(actionOf(form, "borderAction"), false);
        setTick(actionOf(form, "threeDAction"), false);
        blankSheet();
        for (SheetEdit *field : {textField(form, "NOM"), textField(form, "MATRICULE"), textField(form, "TARIF_1"), textField(form, "MONTANT_TOTAL")})
            crisp(field);
        textField(form, "NOM")->setText(QStringLiteral("MARTIN JEANNE"));
        textField(form, "MATRICULE")->setText(QStringLiteral("2 80 05 75 111 222   33"));
        textField(form, "TARIF_1")->setText(QStringLiteral("30,00"));
        scrollAreaOf(form)->verticalScrollBar()->setValue(0);
    }

    // Runs the command, its print dialog answered with the real printer, and
    // gives the page that came out of it, rendered.
    QImage onThePrinter(QAction *command)
    {
        const QStringList before = QDir(pagesFolder).entryList({QStringLiteral("*.pdf")}, QDir::Files);
        testDialogs().clear();
        testDialogs().printAnswer = [this](QPrinter &printer) {
            // As the print dialog leaves it when the printer is chosen.
            printer.setOutputFileName(QString());
            printer.setOutputFormat(QPrinter::NativeFormat);
            printer.setPrinterName(printerName);
            capturing = true;
            return true;
        };
        command->trigger();
        capturing = false;
        // Nothing asked or told but the print dialog.
        QStringList told;
        for (const ScriptedDialogs::Shown &box : testDialogs().shown)
            if (box.kind != QLatin1String("print"))
                told << box.kind + QStringLiteral(": ") + box.text;
        EXPECT_TRUE(told.isEmpty()) << told.join(QLatin1Char('|')).toStdString();
        // The printer's queue writes the page a moment later.
        QString page;
        const QDeadlineTimer deadline(std::chrono::seconds(90));
        qint64 size = -1;
        while (!deadline.hasExpired()) {
            QThread::msleep(250);
            if (page.isEmpty())
                for (const QString &name : QDir(pagesFolder).entryList({QStringLiteral("*.pdf")}, QDir::Files))
                    if (!before.contains(name))
                        page = QDir(pagesFolder).filePath(name);
            if (page.isEmpty())
                continue;
            const qint64 now = QFileInfo(page).size();
            if (now > 0 && now == size)
                break;
            size = now;
        }
        if (page.isEmpty()) {
            ADD_FAILURE() << "no page came out of " << printerName.toStdString();
            return QImage();
        }
        QThread::msleep(500);
        // pdftoppm writes its picture beside the page: a copy of the page here.
        const QString copy = session.path(QStringLiteral("imprimante-%1.pdf").arg(before.size()));
        QFile::remove(copy);
        EXPECT_TRUE(QFile::copy(page, copy));
        return render(copy);
    }

    // The same command printed by the program to a PDF file laid out as the
    // real printer's page: its printable corner at the same place.
    QImage asPdf(QAction *command, const QString &name)
    {
        QPrinter real(QPrinter::HighResolution);
        real.setPrinterName(printerName);
        const QPageLayout layout = real.pageLayout();
        const QString pdf = session.path(name + QStringLiteral(".pdf"));
        testDialogs().printAnswer = [this, pdf, layout](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setResolution(kPrinterDpi);
            printer.setPageLayout(QPageLayout(layout.pageSize(), QPageLayout::Portrait, layout.minimumMargins(),
                                              layout.units(), layout.minimumMargins()));
            capturing = true;
            return true;
        };
        command->trigger();
        capturing = false;
        return render(pdf);
    }

    // An ink box in millimetres from the page's corner, for the report.
    void report(const char *what, const QRect &box) const
    {
        const QString file = qEnvironmentVariable("TIRAVON_PRINTER_REPORT");
        if (file.isEmpty())
            return;
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::Append | QIODevice::Text));
        const double mm = 25.4 / kPrinterDpi;
        out.write(QStringLiteral("%1 %2 %3 %4 %5\n")
                      .arg(QLatin1String(what))
                      .arg(box.left() * mm, 0, 'f', 2)
                      .arg(box.top() * mm, 0, 'f', 2)
                      .arg((box.right() + 1) * mm, 0, 'f', 2)
                      .arg((box.bottom() + 1) * mm, 0, 'f', 2)
                      .toUtf8());
    }

    static void expectWithinHalfAMillimetre(const QRect &printed, const QRect &expected, const QPoint &shift = {})
    {
        ASSERT_FALSE(printed.isNull());
        ASSERT_FALSE(expected.isNull());
        const double half = 0.5 * kPrinterDpi / 25.4;
        EXPECT_NEAR(printed.left(), expected.left() + shift.x(), half);
        EXPECT_NEAR(printed.top(), expected.top() + shift.y(), half);
        EXPECT_NEAR(printed.right(), expected.right() + shift.x(), half);
        EXPECT_NEAR(printed.bottom(), expected.bottom() + shift.y(), half);
    }
};

} // namespace

// The care sheet and the calibration page reach the printer at true scale
// from its printable corner, as the program lays them out; the printer's
// offset moves the page by as much.
TEST_F(RealPrinterTest, TheSheetAndTheCalibrationPageLandWhereTheProgramPutsThem)
{
    const QImage sheet = onThePrinter(actionOf(form, "printAction"));
    const QImage expected = asPdf(actionOf(form, "printAction"), QStringLiteral("feuille"));
    expectWithinHalfAMillimetre(inkBox(sheet), inkBox(expected));
    report("feuille", inkBox(sheet));

    // 5.0 mm to the right, 3.0 mm down.
    writeSetting(QStringLiteral("IMPRIMANTES"), printerName, QStringLiteral("50;30"));
    const QImage moved = onThePrinter(actionOf(form, "printAction"));
    const double dotsPerMm = kPrinterDpi / 25.4;
    expectWithinHalfAMillimetre(inkBox(moved), inkBox(sheet), QPoint(qRound(5 * dotsPerMm), qRound(3 * dotsPerMm)));
    report("decalee", inkBox(moved));
    writeSetting(QStringLiteral("IMPRIMANTES"), printerName, QString());

    QAction *calibration = actionOf(form, "calibrationAction");
    const QImage page = onThePrinter(calibration);
    expectWithinHalfAMillimetre(inkBox(page), inkBox(asPdf(calibration, QStringLiteral("calibrage"))));
    report("calibrage", inkBox(page));
}

// With the real printer chosen, the preview shows its page and a text pushed
// outside its printable area is asked about before anything prints (what
// Cancel then does is the same for every printer).
TEST_F(RealPrinterTest, ThePreviewAndTheQuestionKnowThePrintersPrintableArea)
{
    const QImage sheet = onThePrinter(actionOf(form, "printAction"));
    ASSERT_FALSE(sheet.isNull());
    actionOf(form, "previewAction")->trigger();
    auto *window = form->findChild<QWidget *>(QStringLiteral("Form_APERCU"));
    ASSERT_NE(window, nullptr);
    auto *preview = window->findChild<QPrintPreviewWidget *>(QStringLiteral("preview"));
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->pageCount(), 1);
    window->close();

    // A tariff near the right edge, moved 25 mm further to the right.
    textField(form, "TARIF_1")->setAlignment(Qt::AlignLeft);
    textField(form, "TARIF_1")->move(690, textField(form, "TARIF_1")->y());
    writeSetting(QStringLiteral("IMPRIMANTES"), printerName, QStringLiteral("250;0"));
    testDialogs().clear();
    testDialogs().confirmAnswers = {false};
    testDialogs().printAnswer = [this](QPrinter &printer) {
        printer.setOutputFileName(QString());
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(printerName);
        return true;
    };
    actionOf(form, "printAction")->trigger();
    ASSERT_EQ(testDialogs().texts(QStringLiteral("confirm")).size(), 1);
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("confirm")).first().startsWith(
        QStringLiteral("Ces zones sortent de la partie imprimable de la page : ")));
}
