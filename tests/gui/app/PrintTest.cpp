// Printing the care sheet: the page comes out of the print dialog as a PDF
// file at 600 dots per inch, is rendered back to a picture with pdftoppm, and
// the dark dots on it are compared with the texts on the screen.
#include "ScriptedDialogs.h"
#include "TiravonSession.h"

#include "widgets/ImagePanel.h"
#include "widgets/SheetEdit.h"
#include "app/Unit1.h"
#include "app/variables_globales.h"
#include "windows/unit_options.h"
#include "widgets/DateEdit.h"
#include "widgets/FormImage.h"
#include "widgets/StampLabel.h"
#include "support/tq32_ini.h"
#include "widgets/FormPlacement.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <cmath>
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

class PrintTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        session.start();
        form = session.form();
        QApplication::setActiveWindow(form);
        viewport = form->ScrollBox->viewport();
    }

    // Asks for a print whose dialog sends it to a PDF file at 600 dpi, with
    // margins of 36 points (300 dots) left and 27 points (225 dots) top.
    QString print(const QString &name)
    {
        const QString pdf = session.path(name + QStringLiteral(".pdf"));
        testDialogs().printAnswer = [this, pdf](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setResolution(kPrinterDpi);
            printer.setPageSize(QPageSize(QPageSize::A4));
            printer.setPageMargins(QMarginsF(36, 27, 36, 36), QPageLayout::Point);
            origin = printer.pageRect(QPrinter::DevicePixel).topLeft();
            return true;
        };
        form->btn_IMPRIMER->trigger();
        return pdf;
    }

    // The first page of a PDF file rendered at the printer's resolution, in grey.
    QImage render(const QString &pdf)
    {
        const QString prefix = pdf.chopped(4);
        QProcess pdftoppm;
        pdftoppm.start(QStringLiteral("pdftoppm"),
                       {QStringLiteral("-r"), QString::number(kPrinterDpi), QStringLiteral("-gray"),
                        QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, prefix});
        if (!pdftoppm.waitForFinished(-1) || pdftoppm.exitCode() != 0) {
            ADD_FAILURE() << "pdftoppm failed: " << pdftoppm.readAllStandardError().toStdString();
            return QImage();
        }
        // An A4 page at 600 dpi is larger than Qt's default limit for a picture.
        QImageReader::setAllocationLimit(512);
        return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
    }

    QImage printAndRender(const QString &name)
    {
        const QString pdf = print(name);
        EXPECT_TRUE(testDialogs().texts(QStringLiteral("error")).isEmpty())
            << testDialogs().texts(QStringLiteral("error")).join(QLatin1Char('|')).toStdString();
        return render(pdf);
    }

    // A widget's place in the captured client area.
    QRect inClientArea(QWidget *widget) const
    {
        return QRect(widget->mapTo(viewport, QPoint(0, 0)), widget->size());
    }

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
        form->Image1->hide();
        const QImage shot = viewport->grab(inClientArea(field)).toImage().convertToFormat(QImage::Format_Grayscale8);
        form->Image1->show();
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
        form->mnu_ToutEffacerClick();
        for (DateEdit *date : {form->DATE, form->DATE_ACTE, form->DDN, form->DDG})
            date->setText(QString());
        form->NOTE->hide();
        form->oriente->hide();
        form->Panel_IMAGE->setFocus();
    }

    void setTick(QAction *item, bool ticked)
    {
        if (item->isChecked() != ticked)
            item->trigger();
        ASSERT_EQ(item->isChecked(), ticked);
    }

    TiravonSession session;
    TForm1 *form = nullptr;
    QWidget *viewport = nullptr;
    QPointF origin;
};

TEST_F(PrintTest, TextPrintsAtTrueScaleFromThePrintableAreasCorner)
{
    setTick(form->mnu_Border, false);
    setTick(form->mnu_3D, false);
    blankSheet();
    crisp(form->NOM);
    form->NOM->setText(QStringLiteral("HHHH"));
    form->ADRESSE->setText(QStringLiteral("12 RUE DES ÉCOLES"));

    // The first dark column of the text brought to 192 pixels from the left
    // of the client area.
    const QRect before = inkOnScreen(form->NOM);
    ASSERT_FALSE(before.isNull());
    form->NOM->move(form->NOM->x() + 192 - before.left(), form->NOM->y());
    const QRect screen = inkOnScreen(form->NOM);
    ASSERT_EQ(screen.left(), 192);

    const QImage page = printAndRender(QStringLiteral("page"));
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(origin, QPointF(300, 225));
    const QRect printed = inkBox(page, kDark, onPage(inClientArea(form->NOM)));
    // Two inches from the left of the printable area.
    EXPECT_NEAR(printed.left(), origin.x() + 1200, 1.0);
    expectScaled(printed, screen);

    // The pixels as they are, smoothed letters included: no shade added or
    // lost by a lossy compression on the way.
    EXPECT_EQ(differingDots(page, form->NOM), 0);
    EXPECT_EQ(differingDots(page, form->ADRESSE), 0);
}

TEST_F(PrintTest, OnlyTheTextsReachThePaperWithoutImageOrFrames)
{
    setTick(form->mnu_Border, true);
    setTick(form->mnu_3D, true);
    blankSheet();
    for (SheetEdit *field : {form->NOM, form->COCHE_ACCES, form->ACTE_4})
        crisp(field);
    form->NOM->setText(QStringLiteral("HHHH"));
    form->COCHE_ACCES->setText(QStringLiteral("X"));
    // Below the bottom of the window as it stands, inside the page-high window
    // of the capture.
    form->ACTE_4->setText(QStringLiteral("HH"));
    form->ACTE_4->move(form->ACTE_4->x(), 1030);
    ASSERT_GT(inClientArea(form->ACTE_4).bottom(), viewport->height());

    // The texts on the sheet: the boxes the claim rules ticked among them.
    QList<QWidget *> texts;
    for (SheetEdit *field : form->plainTextFields())
        if (field->isVisible() && !field->text().isEmpty())
            texts << field;
    ASSERT_TRUE(texts.contains(form->ACTE_4));

    const QImage page = printAndRender(QStringLiteral("page"));
    ASSERT_FALSE(page.isNull());
    EXPECT_TRUE(form->Image1->isVisible());

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

// A screen lower than the page, or a window manager, may keep the window
// lower than the 1110 pixels asked for: the bottom of the sheet must print all
// the same, at its place.
TEST_F(PrintTest, AWindowKeptLowerThanAskedStillPrintsTheBottomOfTheSheet)
{
    blankSheet();
    crisp(form->ACTE_4);
    form->ACTE_4->setText(QStringLiteral("HH"));
    form->ACTE_4->move(form->ACTE_4->x(), 1030);
    form->setMaximumHeight(600);
    const QRect place = inClientArea(form->ACTE_4);

    const QImage page = printAndRender(QStringLiteral("low"));
    ASSERT_FALSE(page.isNull());
    EXPECT_FALSE(inkBox(page, kDark, onPage(place).intersected(page.rect())).isNull());
    EXPECT_LE(form->height(), 600);
}

TEST_F(PrintTest, PrintedTextsFollowThePanelsPlace)
{
    blankSheet();
    crisp(form->NOM);
    form->NOM->setText(QStringLiteral("HHHH"));
    const QImage first = printAndRender(QStringLiteral("first"));
    const QRect firstInk = inkBox(first, kDark, onPage(inClientArea(form->NOM)));

    form->Panel_IMAGE->move(form->Panel_IMAGE->pos() + QPoint(10, 10));
    const QImage moved = printAndRender(QStringLiteral("moved"));
    const QRect movedInk = inkBox(moved, kDark, onPage(inClientArea(form->NOM)));

    // Ten pixels are 10/96 inch: 62.5 dots.
    ASSERT_FALSE(firstInk.isNull());
    ASSERT_FALSE(movedInk.isNull());
    EXPECT_NEAR(movedInk.left() - firstInk.left(), 62.5, 1.0);
    EXPECT_NEAR(movedInk.top() - firstInk.top(), 62.5, 1.0);
    EXPECT_EQ(movedInk.size(), firstInk.size());
}

TEST_F(PrintTest, ThePanelsSizeMovesNoPrintedText)
{
    blankSheet();
    form->NOM->setText(QStringLiteral("HHHH"));
    const QImage first = printAndRender(QStringLiteral("first"));

    form->Panel_IMAGE->resize(form->Panel_IMAGE->size() + QSize(40, 30));
    const QImage wider = printAndRender(QStringLiteral("wider"));
    ASSERT_FALSE(first.isNull());
    ASSERT_FALSE(inkBox(first).isNull());
    EXPECT_EQ(inkBox(wider, kAnyMark), inkBox(first, kAnyMark));
    EXPECT_TRUE(wider == first);
}

TEST_F(PrintTest, AScrolledWindowPrintsEveryTextHigher)
{
    blankSheet();
    form->NOM->setText(QStringLiteral("HHHH"));
    const QImage top = printAndRender(QStringLiteral("top"));
    const QRect nomArea = onPage(inClientArea(form->NOM));

    const int scrolled = 10;
    form->ScrollBox->verticalScrollBar()->setValue(scrolled);
    ASSERT_EQ(form->ScrollBox->verticalScrollBar()->value(), scrolled);
    const QImage down = printAndRender(QStringLiteral("down"));

    const QRect topInk = inkBox(top, kDark, nomArea);
    const QRect downInk = inkBox(down, kDark, nomArea.adjusted(0, -70, 0, 0));
    ASSERT_FALSE(topInk.isNull());
    ASSERT_FALSE(downInk.isNull());
    EXPECT_NEAR(topInk.top() - downInk.top(), scrolled * kDotsPerPixel, 1.0);
    EXPECT_EQ(downInk.left(), topInk.left());
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
    form->COCHE_MATERNITE->setText(c.maternity ? QStringLiteral("X") : QString());
    form->DDG->setText(QStringLiteral("01/02/2026"));
    setTick(form->Hide_DATES, c.datesHidden);
    // Shown on screen even with the box empty.
    if (!c.datesHidden)
        form->DDG->show();
    form->Panel_IMAGE->setFocus();

    const QImage page = printAndRender(QStringLiteral("page"));
    ASSERT_FALSE(page.isNull());
    const QRect dateInk = inkBox(page, kDark, onPage(inClientArea(form->DDG)));
    EXPECT_EQ(!dateInk.isNull(), c.maternity);
    EXPECT_TRUE(form->DDG->isVisible());
    EXPECT_TRUE(form->DDG->isButtonVisible());
    // The other dates follow the hiding command, on paper as on screen.
    EXPECT_EQ(form->DATE->isVisible(), !c.datesHidden);
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
    setTick(form->mnu_Border, c.framed);
    setTick(form->mnu_3D, c.sunken);
    form->COCHE_MATERNITE->setText(QString());
    ASSERT_FALSE(form->DDG->isVisible());

    // A stored placement other than the window's present one.
    form->move(30, 40);
    form->resize(800, 900);
    Form_SavePosition(form);
    form->move(100, 60);
    form->resize(810, 700);
    form->LISTE_VILLES->show();
    form->Liste_CPAMS->show();
    form->NOM->setFocus();

    print(QStringLiteral("page"));
    EXPECT_TRUE(testDialogs().texts(QStringLiteral("error")).isEmpty());
    EXPECT_TRUE(QFileInfo(session.path(QStringLiteral("page.pdf"))).size() > 0);

    for (SheetEdit *field : form->plainTextFields()) {
        EXPECT_EQ(field->isBordered(), c.framed) << field->objectName().toStdString();
        EXPECT_EQ(field->is3D(), c.sunken) << field->objectName().toStdString();
    }
    for (DateEdit *date : {form->DATE, form->DATE_ACTE, form->DDN, form->DDG}) {
        EXPECT_EQ(date->isFramed(), c.framed) << date->objectName().toStdString();
        EXPECT_TRUE(date->isButtonVisible()) << date->objectName().toStdString();
    }
    EXPECT_TRUE(form->DDG->isVisible());
    EXPECT_TRUE(form->Image1->isVisible());
    EXPECT_FALSE(form->LISTE_VILLES->isVisible());
    EXPECT_FALSE(form->Liste_CPAMS->isVisible());
    EXPECT_EQ(form->focusWidget(), form->Panel_IMAGE);
    EXPECT_EQ(form->Panel_IMAGE->caption(), QString());
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
    setTick(form->mnu_Border, true);
    setTick(form->mnu_3D, true);
    form->DDG->show();   // shown with the maternity box empty
    form->LISTE_VILLES->show();
    form->NOM->setFocus();

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
        return Look{form->geometry(), form->Panel_IMAGE->caption(), form->focusWidget(),
                    form->Image1->isVisible(), form->LISTE_VILLES->isVisible(), form->DDG->isVisible(),
                    form->NOM->isBordered(), form->NOM->is3D(), form->DDN->isFramed(),
                    form->DDN->isButtonVisible()};
    };
    const Look before = look();

    testDialogs().clear();
    testDialogs().printAnswer = [](QPrinter &) { return false; };
    form->btn_IMPRIMER->trigger();

    ASSERT_EQ(testDialogs().shown.size(), 1);   // the print dialog alone
    EXPECT_EQ(testDialogs().shown.at(0).kind, QStringLiteral("print"));
    EXPECT_TRUE(look() == before);
    EXPECT_EQ(form->focusWidget(), form->NOM);
}

TEST_F(PrintTest, AJobThatCannotStartIsReportedAndLeavesTheDatesBare)
{
    setTick(form->mnu_Border, true);
    setTick(form->mnu_3D, true);
    form->COCHE_MATERNITE->setText(QString());
    form->DDG->show();
    const int heightBefore = form->height();
    const QString pdf = session.path(QStringLiteral("absent/page.pdf"));
    testDialogs().printAnswer = [pdf](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setResolution(kPrinterDpi);
        return true;
    };

    form->btn_IMPRIMER->trigger();

    EXPECT_EQ(testDialogs().texts(QStringLiteral("error")),
              QStringList{QStringLiteral("L'imprimante n'imprime pas actuellement")});
    EXPECT_FALSE(QFileInfo::exists(pdf));
    // Put back: the height, the form image, the plain fields.
    EXPECT_EQ(form->height(), heightBefore);
    EXPECT_TRUE(form->Image1->isVisible());
    for (SheetEdit *field : form->plainTextFields()) {
        EXPECT_TRUE(field->isBordered()) << field->objectName().toStdString();
        EXPECT_TRUE(field->is3D()) << field->objectName().toStdString();
    }
    // Left as during the capture: the dates without frame nor button, the
    // pregnancy date hidden with its box empty.
    for (DateEdit *date : {form->DATE, form->DATE_ACTE, form->DDN, form->DDG}) {
        EXPECT_FALSE(date->isFramed()) << date->objectName().toStdString();
        EXPECT_FALSE(date->isButtonVisible()) << date->objectName().toStdString();
    }
    EXPECT_FALSE(form->DDG->isVisible());
}

TEST_F(PrintTest, AnUnreadableStoredPlacementStillGivesTheHeightBack)
{
    INI_WriteString(QStringLiteral("Tiravon"), QStringLiteral("Form1"), QStringLiteral("abc"));
    const int heightBefore = form->height();
    print(QStringLiteral("page"));
    // The placement's own error, after a print that went through.
    EXPECT_EQ(testDialogs().texts(QStringLiteral("error")).size(), 1);
    EXPECT_GT(QFileInfo(session.path(QStringLiteral("page.pdf"))).size(), 0);
    EXPECT_EQ(form->height(), heightBefore);
    EXPECT_TRUE(form->Image1->isVisible());
    EXPECT_TRUE(form->DDN->isButtonVisible());
}

TEST_F(PrintTest, ASelectionLeftInAFieldIsNotPrinted)
{
    blankSheet();
    crisp(form->NOM);
    form->NOM->setText(QStringLiteral("HHHH"));
    const QImage plain = printAndRender(QStringLiteral("plain"));

    // The field tabbed into (its text selected) when the print dialog took the
    // window's activation away.
    form->NOM->setFocus();
    form->NOM->selectAll();
    QApplication::setActiveWindow(nullptr);
    ASSERT_TRUE(form->NOM->hasSelectedText());
    const QImage selected = printAndRender(QStringLiteral("selected"));

    const QRect area = onPage(inClientArea(form->NOM));
    ASSERT_FALSE(inkBox(plain, kDark, area).isNull());
    EXPECT_EQ(inkBox(selected, kAnyMark, area), inkBox(plain, kAnyMark, area));
}

TEST_F(PrintTest, ThePrinterChosenIsOfferedAgainAtTheNextPrint)
{
    print(QStringLiteral("first"));
    QString offered;
    testDialogs().printAnswer = [&offered](QPrinter &printer) {
        offered = printer.outputFileName();
        return false;
    };
    form->btn_IMPRIMER->trigger();
    EXPECT_EQ(offered, session.path(QStringLiteral("first.pdf")));
}

} // namespace

namespace {

TEST_F(PrintTest, TheOptionsTopBoxMovesPrintedTextsDownAndTheWidthBoxMovesNone)
{
    blankSheet();
    crisp(form->NOM);
    form->NOM->setText(QStringLiteral("HHHH"));
    const QImage first = printAndRender(QStringLiteral("first"));
    const QRect firstInk = inkBox(first, kDark, onPage(inClientArea(form->NOM)));

    Form_OPTIONS->SpinEdit_W->setValue(Form_OPTIONS->SpinEdit_W->value() + 25);
    Form_OPTIONS->SpinEditTOP->setValue(Form_OPTIONS->SpinEditTOP->value() + 10);
    const QImage lower = printAndRender(QStringLiteral("lower"));
    const QRect lowerInk = inkBox(lower, kDark, onPage(inClientArea(form->NOM)));

    // Ten pixels down are 10/96 inch: 62.5 dots; the width moved nothing.
    ASSERT_FALSE(firstInk.isNull());
    ASSERT_FALSE(lowerInk.isNull());
    EXPECT_NEAR(lowerInk.top() - firstInk.top(), 62.5, 1.0);
    EXPECT_EQ(lowerInk.left(), firstInk.left());
}

TEST_F(PrintTest, AShownStampPrintsTurnedAsOnScreenAndAHiddenOneNotAtAll)
{
    // No frame of a field under the stamp, which the screen would show and the paper not.
    setTick(form->mnu_Border, false);
    setTick(form->mnu_3D, false);
    blankSheet();
    crisp(form->NOTE);
    form->NOTE->setText(QStringLiteral("DUPLICATA"));
    form->NOTE->setAngle(30);
    form->NOTE->show();
    const QRect place = inClientArea(form->NOTE);
    const QImage page = printAndRender(QStringLiteral("stamp"));
    ASSERT_FALSE(page.isNull());
    const QRect ink = inkBox(page, kDark, onPage(place));
    ASSERT_FALSE(ink.isNull());
    // Turned: the ink rises across the box, higher than one line of the font.
    EXPECT_GT(ink.height(), QFontMetrics(form->NOTE->font()).height() * kDotsPerPixel * 1.5);
    EXPECT_EQ(differingDots(page, form->NOTE), 0);

    form->NOTE->hide();
    const QImage without = printAndRender(QStringLiteral("nostamp"));
    EXPECT_TRUE(inkBox(without, kAnyMark, onPage(place)).isNull());
}

} // namespace
